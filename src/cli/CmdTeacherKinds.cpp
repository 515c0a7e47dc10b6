// The teacher page's and the assignment page's clipboard commands on the command line, each after
// the preparation the page runs when it is shown (every teacher's assigned periods).
#include <ostream>

#include "cli/TeacherKinds.h"
#include "data/ClipboardTable.h"
#include "data/DataSet.h"
#include "scheduling/TeacherAssignment.h"
#include "setup/TeacherClassMatch.h"
#include "setup/TeacherInfoGrid.h"

namespace tabrel::cli {

int copyTeachers(DataSet& ds, const CopyRequest&, std::string& text, Io)
{
    ComputeAssignedPeriods(ds);
    text = TeacherInfoGrid::wholeTableText(ds);
    return ExitDone;
}

int copyAssignments(DataSet& ds, const CopyRequest&, std::string& text, Io)
{
    ComputeAssignedPeriods(ds);
    text = TeacherClassMatch::wholeTableText(ds);
    return ExitDone;
}

int copyTeacherLoad(DataSet& ds, const CopyRequest&, std::string& text, Io)
{
    ComputeAssignedPeriods(ds);
    text = joinClipboardTable(TeacherClassMatch::teacherLoadRows(ds));
    return ExitDone;
}

int pasteTeachers(DataSet& ds, const PasteRequest& request, Io io)
{
    ComputeAssignedPeriods(ds);
    const int row = request.atGiven ? request.row : 0;
    const int column = request.atGiven ? request.column : 1;
    const int count = static_cast<int>(ds.teachers.size());
    // An empty list still shows one (empty) row the user can select.
    const bool rowSelectable = row >= 0 && (row < count || (row == 0 && count == 0));
    if (!rowSelectable) {
        io.err << request.input << ": there is no teacher row " << row << " (the school has " << count
               << " teachers)\n";
        return ExitNothingToDo;
    }
    if (column < 0 || column >= TeacherInfoGrid::ColumnCount) {
        io.err << request.input << ": there is no teacher column " << column << " (columns 0 to 6)\n";
        return ExitNothingToDo;
    }
    TeacherInfoGrid::pasteAt(ds, row, column, request.text);
    return ExitDone;
}

int pasteAssignments(DataSet& ds, const PasteRequest& request, Io io)
{
    ComputeAssignedPeriods(ds);
    const int row = request.atGiven ? request.row : 0;
    const int column = request.atGiven ? request.column : 0;
    const int classes = TeacherClassMatch::classCount(ds);
    const int subjects = static_cast<int>(ds.subjects.size());
    if (row < 0 || row >= classes) {
        io.err << request.input << ": there is no class row " << row << " (the school has " << classes
               << " classes)\n";
        return ExitNothingToDo;
    }
    if (column < 0 || column >= subjects) {
        io.err << request.input << ": there is no subject column " << column << " (the school has " << subjects
               << " subjects)\n";
        return ExitNothingToDo;
    }
    TeacherClassMatch::pasteAt(ds, row, column, request.text);
    return ExitDone;
}

} // namespace tabrel::cli
