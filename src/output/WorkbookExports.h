#pragma once
// The seven workbook exports: class files, all classes, teacher files, all teachers and the three
// master timetable styles. Each fills the first (only) worksheet of a fresh workbook, sets wrap text
// on the used range and saves. All texts handed to the workbook are GBK.
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "output/Workbook.h"

namespace tabrel {

class ClassTable;
class DataSet;
class TeacherInfoRecord;

// Makes the workbook for one file; nullptr when no spreadsheet can be had.
using WorkbookFactory = std::function<std::unique_ptr<Workbook>()>;
// Workbooks written as .xlsx files.
WorkbookFactory xlsxWorkbookFactory();

// Outcome of one export: files written and one message (UTF-8) per file that failed.
struct WorkbookExportReport {
    int filesWritten = 0;
    std::vector<std::string> errors;
    bool ok() const { return errors.empty(); }
};

// "无法创建Excel应用！", shown when no workbook can be made.
std::string cannotCreateWorkbookMessage();

// ---- cell texts ----
// The common-period name when the cell has no subject, otherwise the subject; "empty" gives "".
std::string classSubjectText(const ClassTable& classTable, int period, int day);
// The teacher cut for the master workbooks: to its last 4 bytes when its length is even and above 4,
// to its last 3 bytes when odd and above 3, else whole. A cut never starts inside a two-byte character:
// it then starts at the next character.
std::string shortTeacherText(const std::string& teacher);
// Grade text, class numbers and subject of a teacher's slot, joined without separators.
std::string teacherSlotText(const TeacherInfoRecord& teacher, int period, int day);
// "星 期 一" … "星 期 日" by day index (the master workbooks' day names); "" outside 0 … 6.
std::string masterDayName(int day);
// A file name stem on disk (UTF-8) for a class or teacher name: "/", "\" and NUL become "_", and a
// name that is empty, "." or ".." becomes underscores, so that no file lands outside its folder.
std::string safeFileStem(const std::string& gbkName);

// Every class of every grade, grades in order and classes in grade order.
std::vector<const ClassTable*> allClassesInOrder(const DataSet& dataSet);

// ---- layouts on one workbook ----
// Each returns "" when done, or a message (UTF-8) and writes nothing when the layout would need
// more columns than a worksheet can name.
enum class BlockForm { Sheet, PerFile };
void writeClassBlock(Workbook& wb, const DataSet& dataSet, const ClassTable& classTable, int column, int row,
                     BlockForm form);
void writeTeacherBlock(Workbook& wb, const DataSet& dataSet, const TeacherInfoRecord& teacher, int column, int row,
                       BlockForm form);
std::string layoutClassBlocks(Workbook& wb, const DataSet& dataSet, const std::vector<const ClassTable*>& classes,
                              int tablesPerRow);
std::string layoutTeacherBlocks(Workbook& wb, const DataSet& dataSet, int tablesPerRow);
std::string layoutMasterStyle1(Workbook& wb, const DataSet& dataSet, const std::vector<const ClassTable*>& selected);
std::string layoutMasterStyle2(Workbook& wb, const DataSet& dataSet, const std::vector<const ClassTable*>& selected,
                               int subjectFontSize = 11, int teacherFontSize = 9);

// ---- the exports ----
// `programFolder` is the folder that gets "classFiles" and "teacherExcelFiles" (created when missing).
WorkbookExportReport exportClassFiles(const DataSet& dataSet, const std::vector<const ClassTable*>& classList,
                                      const std::filesystem::path& programFolder, const WorkbookFactory& factory);
WorkbookExportReport exportAllClasses(const DataSet& dataSet, const std::vector<const ClassTable*>& classList,
                                      int tablesPerRow, const std::filesystem::path& programFolder,
                                      const WorkbookFactory& factory);
WorkbookExportReport exportTeacherFiles(const DataSet& dataSet, const std::filesystem::path& programFolder,
                                        const WorkbookFactory& factory);
WorkbookExportReport exportAllTeachers(const DataSet& dataSet, int tablesPerRow,
                                       const std::filesystem::path& programFolder, const WorkbookFactory& factory);
// The master exports write the file chosen in the save dialog.
WorkbookExportReport exportMasterStyle1(const DataSet& dataSet, const std::vector<const ClassTable*>& selected,
                                        const std::filesystem::path& file, const WorkbookFactory& factory);
WorkbookExportReport exportMasterStyle2(const DataSet& dataSet, const std::vector<const ClassTable*>& selected,
                                        const std::filesystem::path& file, const WorkbookFactory& factory,
                                        int subjectFontSize = 11, int teacherFontSize = 9);
WorkbookExportReport exportMasterStyle3(const DataSet& dataSet, const std::vector<const ClassTable*>& selected,
                                        const std::filesystem::path& file, const WorkbookFactory& factory);

} // namespace tabrel
