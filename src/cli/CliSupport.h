#pragma once
// What the commands of the editing panels share: names from the command line as GBK, the first
// grade, class, teacher or subject of a name, slots by label or number, the clipboard text read
// from a file, and where a changed school is saved.
#include <optional>
#include <string>

#include "cli/Commands.h"

namespace tabrel {
class ClassTable;
class DataSet;
}

namespace tabrel::cli {

// A command-line text as GBK; on failure prints "FILE: OPTION: reason" and returns nothing.
std::optional<std::string> gbkArgument(const std::string& file, const std::string& option, const std::string& utf8,
                                       Io io);

// Positions of the first record of a name (GBK), -1 when none.
int findGrade(const DataSet& ds, const std::string& name);
int findSubject(const DataSet& ds, const std::string& name);
int findTeacher(const DataSet& ds, const std::string& name);
struct ClassPosition {
    int grade = -1;
    int index = -1; // within the grade
    int listIndex = -1; // within every class in grade order
    bool found() const { return grade >= 0; }
};
// The first class of the name in grade order.
ClassPosition findClass(const DataSet& ds, const std::string& name);

// A slot value: a day name or its 1-based position; a period label ("早1节", "第3节") or the
// 1-based number counted through all sections. A matching name or label wins; otherwise a
// decimal number (leading zeros allowed) within the grid. 0-based index, or -1 when the value names
// no slot ("第8节" on a 7-period day, "星期八", "+1", "1.0" all name none).
int parseDay(const DataSet& ds, const std::string& utf8);
int parsePeriod(const DataSet& ds, const std::string& utf8);

// Reads the file TEXT of a paste ("-" is standard input) as clipboard text: UTF-8 (a leading
// byte-order mark is ignored) without NUL bytes, turned into GBK. On failure prints one line
// naming the file and returns nothing.
std::optional<std::string> readClipboardFile(const std::string& path, Io io);

// Output path of a command that changes the school: "-o OUT" or "--in-place" (exactly one).
// Returns nothing and sets `usage` when the choice is missing or doubled.
std::optional<std::string> changedSchoolPath(const Args& args, const std::string& input, std::string& usage);

} // namespace tabrel::cli
