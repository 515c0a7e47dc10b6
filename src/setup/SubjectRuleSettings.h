#pragma once
// The settings clipboard of the subjects panel: one subject's rule pattern over every class, as
// text lines, so that "复制设置" on one subject and "粘贴设置" on another copy the pattern. Texts
// are GBK.
#include <string>
#include <vector>

namespace tabrel {

class DataSet;

// The subject's settings lines: its rule summary first, then for every grade i, class j, period
// k < periodsPerDay and day l < dayCount (in that nesting) the line "i,j,k,l,RULE" with the
// subject's rule text in that cell (possibly empty). Empty for a subject index outside the list.
std::vector<std::string> copySubjectSettings(const DataSet& dataSet, int subjectIndex);

// Applies settings lines to the subject: the first line becomes its rule summary; every further
// line "i,j,k,l,RULE" sets the subject's rule in that cell (the rule text ends at its first white
// space; an empty one removes the subject's rule). Lines naming a grade, class, period or day that
// does not exist, and lines that do not read as four numbers, are skipped. A subject whose name
// holds "-" keeps no rule lines (they could never be read back), so only its summary is written.
// Returns whether anything changed; nothing happens for an empty clipboard or a bad index.
bool pasteSubjectSettings(DataSet& dataSet, int subjectIndex, const std::vector<std::string>& lines);

// Reads one settings line "i,j,k,l,RULE" as the page reads it (numbers with optional blanks and
// sign, the rule text up to its first white space). False when the four numbers are not there.
bool readSettingsLine(const std::string& line, int& grade, int& classIndex, int& period, int& day,
                      std::string& rule);

} // namespace tabrel
