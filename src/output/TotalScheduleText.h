#pragma once
// The master timetable's clipboard texts and the edits it makes on the school: the text copies of
// styles 1 and 2, "批量导入" (a pasted block of subjects shaped like the style-1 grid body) and the
// clearing of the selected classes. Every edit works on the data set it is given and says whether
// it changed anything, so the window can record it as one undoable step.
#include <string>
#include <vector>

namespace tabrel {

class ClassTable;
class DataSet;

// One field of a batch-import text: row r, column c (both from 0) and its text, already cleaned.
struct BatchImportField {
    int row = 0;
    int column = 0;
    std::string text;
    bool operator==(const BatchImportField&) const = default;
};

// Cuts clipboard text the way the batch import reads it: a tab ends a field and moves one column
// on, a line feed ends a field and starts the next row at column 0, a double quote opens a part
// that runs to the next double quote and inside which tabs and line feeds do not cut; the text
// after the last separator is a field only when it holds a double quote. Each field is cleaned:
// every double quote removed, cut before its first carriage return (or, without one, its first
// line feed), and "体育" alone becomes "体育1".
std::vector<BatchImportField> cutBatchImportText(const std::string& text);

// Writes the fields into the selected classes: row r is period r, column c is day c / n of class
// selected[c % n] (n = selected.size()). Fields past the grid's periods or days, and fields on a
// slot that holds a common period, are skipped; "[空白]" clears a cell. Every written cell is
// relinked to its teacher. With no class selected nothing is written. Returns the number of cells
// whose subject or teacher changed.
int BatchImport(DataSet& dataSet, const std::vector<ClassTable*>& selected, const std::string& text);

// Empties every cell of every selected class (and relinks them). Returns whether a cell had a
// subject or a teacher before.
bool ClearSelectedClasses(DataSet& dataSet, const std::vector<ClassTable*>& selected);

// Replaces carriage returns and line feeds inside the subjects and teachers of the selected
// classes by spaces, as the text copies do before they copy. Returns whether a text changed.
bool ReplaceLineBreaksInCells(DataSet& dataSet, const std::vector<ClassTable*>& selected);

// The style-1 text copy: the class names once per day, then for every period a line of subjects
// and a line of teachers, one field per (day, class) in day-major order. Fields are joined by
// "\t", every line ends with "\n"; line breaks in subjects and teachers are copied as spaces and
// "empty" as an empty field. Without the closing zero byte the clipboard gets.
std::string masterStyle1Text(const DataSet& dataSet, const std::vector<const ClassTable*>& selected);

// The style-2 text copy: a line of the period numbers of every day, each followed by "\t"; then for
// every selected class a line of subjects and a line of teachers, one field per (day, period).
std::string masterStyle2Text(const DataSet& dataSet, const std::vector<const ClassTable*>& selected);

} // namespace tabrel
