#include "output/WorkbookExports.h"

#include <algorithm>
#include <system_error>

#include "data/DataSet.h"
#include "data/Gbk.h"
#include "output/XlsxWorkbook.h"

namespace tabrel {

namespace {

std::string at(int column, int row) { return cellAddress(column, row); }

int periodCount(const DataSet& ds) { return ds.gridPeriods(); }
int dayCount(const DataSet& ds) { return ds.gridDays(); }
int upperCount(const DataSet& ds)
{
    return std::clamp(ds.earlyReadingCount + ds.morningCount, 0, periodCount(ds));
}

// Value written, centred both ways, thin border around the cell or range; merged first when asked.
void boxed(Workbook& wb, const std::string& first, const std::string& last, const std::string& text, bool merged)
{
    if (merged)
        wb.merge(first, last);
    wb.setValue(first, last, text);
    wb.centre(first, last);
    wb.borderAround(first, last);
}

void boxedCell(Workbook& wb, int column, int row, const std::string& text)
{
    const std::string a = at(column, row);
    boxed(wb, a, a, text, false);
}

void boxedMerged(Workbook& wb, int c1, int r1, int c2, int r2, const std::string& text)
{
    boxed(wb, at(c1, r1), at(c2, r2), text, true);
}

// Merged title: "黑体", bold, size 20, black, centred; no border.
void title(Workbook& wb, int c1, int r1, int c2, int r2, const std::string& text)
{
    const std::string first = at(c1, r1), last = at(c2, r2);
    wb.merge(first, last);
    wb.setValue(first, last, text);
    wb.centre(first, last);
    FontSettings f;
    f.name = GBK("黑体");
    f.bold = true;
    f.size = 20;
    f.colorIndex = 1;
    wb.setFont(first, last, f);
}

void fontSize(Workbook& wb, int column, int row, double size)
{
    const std::string a = at(column, row);
    FontSettings f;
    f.size = size;
    wb.setFont(a, a, f);
}

std::string columnLimitMessage(int needed)
{
    return "表格需要" + std::to_string(needed) + "列，超过了工作表最多" + std::to_string(MaxWorkbookColumns) +
           "列的限制，无法导出";
}

// Last column of a row of block tables `width` columns wide, `count` blocks, `perRow` to a row.
int blocksLastColumn(int count, int perRow, int days)
{
    if (count <= 0)
        return 0;
    const int inRow = std::min(count, perRow);
    return (days + 3) * (inRow - 1) + 1 + days + 1;
}

void createFolder(const std::filesystem::path& dir)
{
    std::error_code ec;
    std::filesystem::create_directories(dir, ec); // a failure shows up when the file is saved
}

// Wrap text, then save; a failure is reported with the file's name.
void finishAndSave(Workbook& wb, const std::filesystem::path& file, WorkbookExportReport& report)
{
    wb.wrapUsedRange();
    std::string error;
    if (wb.saveAs(file, error))
        ++report.filesWritten;
    else
        report.errors.push_back(error.empty() ? "无法写入Excel文件：" + file.string() : error);
}

} // namespace

WorkbookFactory xlsxWorkbookFactory()
{
    return [] { return std::make_unique<XlsxWorkbook>(); };
}

std::string cannotCreateWorkbookMessage() { return "无法创建Excel应用！"; }

// ---------------------------------------------------------------- cell texts

std::string classSubjectText(const ClassTable& classTable, int period, int day)
{
    const LessonCell* cell = classTable.cellAt(period, day);
    if (!cell)
        return {};
    if (cell->subject.empty())
        return classTable.commonPeriods[period][day];
    if (cell->subject == "empty")
        return {};
    return cell->subject;
}

std::string shortTeacherText(const std::string& teacher)
{
    // An even length keeps at most 4 bytes, an odd one at most 3; the tail starts on a character.
    const std::size_t n = teacher.size();
    return gbk::lastBytes(teacher, n % 2 == 0 ? 4 : 3);
}

std::string teacherSlotText(const TeacherInfoRecord& teacher, int period, int day)
{
    if (period < 0 || period >= MaxPeriodRows || day < 0 || day >= DayColumns)
        return {};
    return teacher.slotGradeText[period][day] + teacher.slotClassNumbers[period][day] +
           teacher.slotSubject[period][day];
}

std::string masterDayName(int day)
{
    static const char* const names[] = {"星 期 一", "星 期 二", "星 期 三", "星 期 四",
                                        "星 期 五", "星 期 六", "星 期 日"};
    if (day < 0 || day >= DayColumns)
        return {};
    return gbk::literal(names[day]);
}

std::string safeFileStem(const std::string& gbkName)
{
    std::string s = gbk::toUtf8(gbkName);
    for (char& ch : s)
        if (ch == '/' || ch == '\\' || ch == '\0')
            ch = '_';
    if (s.empty())
        return "_";
    if (s == "." || s == "..")
        return std::string(s.size(), '_');
    return s;
}

std::vector<const ClassTable*> allClassesInOrder(const DataSet& dataSet)
{
    const auto classes = dataSet.classesInGradeOrder();
    return {classes.begin(), classes.end()};
}

// ---------------------------------------------------------------- blocks

// The frame every block shares: the title "<name>课程表" over the block, "时间" and the day names in
// the heading row, and the 上午 / 下午 labels down the first column, each period `rowsPerPeriod`
// rows high. A section without periods gets no label (its range would run backwards).
void writeBlockFrame(Workbook& wb, const DataSet& ds, int C, int R, int header, int rowsPerPeriod,
                     const std::string& name)
{
    const int D = dayCount(ds), T = periodCount(ds), U = upperCount(ds);
    const int body = header + 1;
    title(wb, C, R, C + D + 1, R, name + GBK("课程表"));
    boxedMerged(wb, C, header, C + 1, header, GBK("时间"));
    for (int d = 0; d < D; ++d)
        boxedCell(wb, C + 2 + d, header, ds.dayNames[d]);
    if (U > 0)
        boxedMerged(wb, C, body, C, body + rowsPerPeriod * U - 1, GBK("上午"));
    if (T > U)
        boxedMerged(wb, C, body + rowsPerPeriod * U, C, body + rowsPerPeriod * T - 1, GBK("下午"));
}

void writeClassBlock(Workbook& wb, const DataSet& ds, const ClassTable& c, int C, int R, BlockForm form)
{
    const int D = dayCount(ds), T = periodCount(ds);
    const bool perFile = form == BlockForm::PerFile;
    const int header = perFile ? R + 2 : R + 1;
    const int body = header + 1;

    writeBlockFrame(wb, ds, C, R, header, 2, c.name);
    for (int p = 0; p < T; ++p) {
        boxedMerged(wb, C + 1, body + 2 * p, C + 1, body + 2 * p + 1, gbk::formatInt(p + 1));
        for (int d = 0; d < D; ++d) {
            boxedCell(wb, C + 2 + d, body + 2 * p, classSubjectText(c, p, d));
            boxedCell(wb, C + 2 + d, body + 2 * p + 1, c.cells[p][d].teacher);
        }
    }

    if (perFile) {
        for (int r = 1; r <= 2 * T + 3; ++r)
            wb.setRowHeight(r, r == 2 ? 10 : 28);
        wb.setColumnWidth(C, 3);
        wb.setColumnWidth(C + 1, 3);
        if (D > 0)
            wb.setColumnWidth(at(C + 2, header), at(C + 1 + D, header), 12);
    } else {
        wb.setRowHeight(R, 30);
        for (int r = R + 1; r <= R + 2 * T + 1; ++r)
            wb.setRowHeight(r, 18);
        wb.setColumnWidth(C, 5);
        wb.setColumnWidth(C + 1, 5);
        if (D > 0)
            wb.setColumnWidth(at(C + 2, header), at(C + 1 + D, header), 10);
    }
}

void writeTeacherBlock(Workbook& wb, const DataSet& ds, const TeacherInfoRecord& t, int C, int R, BlockForm form)
{
    const int D = dayCount(ds), T = periodCount(ds);
    const bool perFile = form == BlockForm::PerFile;
    const int header = perFile ? R + 2 : R + 1;
    const int body = header + 1;

    writeBlockFrame(wb, ds, C, R, header, 1, t.name);
    for (int p = 0; p < T; ++p) {
        boxedCell(wb, C + 1, body + p, gbk::formatInt(p + 1));
        for (int d = 0; d < D; ++d)
            boxedCell(wb, C + 2 + d, body + p, teacherSlotText(t, p, d));
    }

    if (perFile) {
        for (int r = 1; r <= T + 3; ++r)
            wb.setRowHeight(r, r == 2 ? 10 : 38);
        wb.setColumnWidth(C, 3);
        wb.setColumnWidth(C + 1, 3);
        if (D > 0)
            wb.setColumnWidth(at(C + 2, header), at(C + 1 + D, header), 20);
    } else {
        wb.setRowHeight(R, 30);
        for (int r = R + 1; r <= R + T + 1; ++r)
            wb.setRowHeight(r, 38);
        wb.setColumnWidth(C, 5);
        wb.setColumnWidth(C + 1, 5);
        if (D > 0)
            wb.setColumnWidth(at(C + 2, header), at(C + 1 + D, header), 13);
    }
}

std::string layoutClassBlocks(Workbook& wb, const DataSet& ds, const std::vector<const ClassTable*>& classes,
                              int tablesPerRow)
{
    const int a = std::max(tablesPerRow, 1);
    const int D = dayCount(ds), T = periodCount(ds);
    const int n = static_cast<int>(classes.size());
    if (int last = blocksLastColumn(n, a, D); last > MaxWorkbookColumns)
        return columnLimitMessage(last);
    for (int i = 0; i < n; ++i) {
        const int R = (2 * T + 3) * (i / a) + 1;
        const int C = (D + 3) * (i % a) + 1;
        writeClassBlock(wb, ds, *classes[i], C, R, BlockForm::Sheet);
    }
    return {};
}

std::string layoutTeacherBlocks(Workbook& wb, const DataSet& ds, int tablesPerRow)
{
    const int a = std::max(tablesPerRow, 1);
    const int D = dayCount(ds), T = periodCount(ds);
    const int n = static_cast<int>(ds.teachers.size());
    if (int last = blocksLastColumn(n, a, D); last > MaxWorkbookColumns)
        return columnLimitMessage(last);
    for (int i = 0; i < n; ++i) {
        const int R = (T + 3) * (i / a) + 1;
        const int C = (D + 3) * (i % a) + 1;
        writeTeacherBlock(wb, ds, *ds.teachers[i], C, R, BlockForm::Sheet);
    }
    return {};
}

// ---------------------------------------------------------------- master workbooks

std::string layoutMasterStyle1(Workbook& wb, const DataSet& ds, const std::vector<const ClassTable*>& selected)
{
    const int D = dayCount(ds), T = periodCount(ds), U = upperCount(ds), V = T - U;
    const int n = static_cast<int>(selected.size());
    const int K = D * n + 2;
    if (K > MaxWorkbookColumns)
        return columnLimitMessage(K);

    title(wb, 1, 1, K, 1, ds.scheduleTitle);
    wb.setRowHeight(1, 30);
    boxedMerged(wb, 1, 2, 2, 2, GBK("时间"));
    if (n > 0)
        for (int d = 0; d < D; ++d)
            boxedMerged(wb, d * n + 3, 2, d * n + n + 2, 2, masterDayName(d));
    boxedMerged(wb, 1, 3, 2, 3, GBK("班级"));
    for (int d = 0; d < D; ++d)
        for (int c = 0; c < n; ++c)
            boxedCell(wb, d * n + c + 3, 3, selected[c]->name);

    // One block of periods: section label, numbers from 1, subject row and teacher row per period.
    auto block = [&](int firstRow, int firstPeriod, int count, const std::string& label) {
        if (count <= 0)
            return;
        boxedMerged(wb, 1, firstRow, 1, firstRow + 2 * count - 1, label);
        for (int k = 0; k < count; ++k) {
            const int row = firstRow + 2 * k;
            const int p = firstPeriod + k;
            boxedMerged(wb, 2, row, 2, row + 1, gbk::formatInt(k + 1));
            for (int d = 0; d < D; ++d)
                for (int c = 0; c < n; ++c) {
                    const int col = d * n + c + 3;
                    boxedCell(wb, col, row, classSubjectText(*selected[c], p, d));
                    wb.setRowHeight(row, 28);
                    boxedCell(wb, col, row + 1, shortTeacherText(selected[c]->cells[p][d].teacher));
                    fontSize(wb, col, row + 1, 9);
                }
        }
    };
    block(4, 0, U, GBK("上午"));
    const int band = 2 * U + 4;
    wb.merge(at(1, band), at(K, band));
    wb.setRowHeight(band, 5);
    block(2 * U + 5, U, V, GBK("下午"));

    for (int col = 1; col <= K; ++col)
        wb.setColumnWidth(col, 3);
    return {};
}

std::string layoutMasterStyle2(Workbook& wb, const DataSet& ds, const std::vector<const ClassTable*>& selected,
                               int subjectFontSize, int teacherFontSize)
{
    const int D = dayCount(ds), T = periodCount(ds);
    const int K = D * T + 1;
    if (K > MaxWorkbookColumns)
        return columnLimitMessage(K);

    title(wb, 1, 1, K, 1, ds.scheduleTitle);
    wb.setRowHeight(1, 30);
    boxedMerged(wb, 1, 2, 1, 3, GBK("总课程表"));
    if (T > 0)
        for (int d = 0; d < D; ++d) {
            boxedMerged(wb, d * T + 2, 2, d * T + T + 1, 2, masterDayName(d));
            for (int p = 0; p < T; ++p)
                boxedCell(wb, d * T + p + 2, 3, gbk::formatInt(p + 1));
        }
    for (std::size_t k = 0; k < selected.size(); ++k) {
        const ClassTable& c = *selected[k];
        const int row = 2 * static_cast<int>(k) + 4;
        boxedMerged(wb, 1, row, 1, row + 1, c.name);
        for (int d = 0; d < D; ++d)
            for (int p = 0; p < T; ++p) {
                const int col = d * T + p + 2;
                boxedCell(wb, col, row, classSubjectText(c, p, d));
                fontSize(wb, col, row, subjectFontSize);
                wb.setRowHeight(row, 28);
                boxedCell(wb, col, row + 1, shortTeacherText(c.cells[p][d].teacher));
                fontSize(wb, col, row + 1, teacherFontSize);
            }
    }
    for (int col = 1; col <= K; ++col)
        wb.setColumnWidth(col, 3);
    return {};
}

// ---------------------------------------------------------------- exports

WorkbookExportReport exportClassFiles(const DataSet& ds, const std::vector<const ClassTable*>& classList,
                                      const std::filesystem::path& programFolder, const WorkbookFactory& factory)
{
    WorkbookExportReport report;
    const std::filesystem::path dir = programFolder / "classFiles";
    createFolder(dir);
    for (const ClassTable* c : classList) {
        std::unique_ptr<Workbook> wb = factory ? factory() : nullptr;
        if (!wb) {
            report.errors.push_back(cannotCreateWorkbookMessage());
            continue;
        }
        writeClassBlock(*wb, ds, *c, 1, 1, BlockForm::PerFile);
        finishAndSave(*wb, dir / (safeFileStem(c->name) + ".xlsx"), report);
    }
    return report;
}

WorkbookExportReport exportTeacherFiles(const DataSet& ds, const std::filesystem::path& programFolder,
                                        const WorkbookFactory& factory)
{
    WorkbookExportReport report;
    const std::filesystem::path dir = programFolder / "teacherExcelFiles";
    createFolder(dir);
    for (const auto& t : ds.teachers) {
        std::unique_ptr<Workbook> wb = factory ? factory() : nullptr;
        if (!wb) {
            report.errors.push_back(cannotCreateWorkbookMessage());
            continue;
        }
        writeTeacherBlock(*wb, ds, *t, 1, 1, BlockForm::PerFile);
        finishAndSave(*wb, dir / (safeFileStem(t->name) + ".xlsx"), report);
    }
    return report;
}

namespace {

// One workbook, one layout, one file.
template <class Layout>
WorkbookExportReport exportOne(const std::filesystem::path& file, const WorkbookFactory& factory, Layout layout)
{
    WorkbookExportReport report;
    std::unique_ptr<Workbook> wb = factory ? factory() : nullptr;
    if (!wb) {
        report.errors.push_back(cannotCreateWorkbookMessage());
        return report;
    }
    std::string refused = layout(*wb);
    if (!refused.empty()) {
        report.errors.push_back(refused);
        return report;
    }
    finishAndSave(*wb, file, report);
    return report;
}

} // namespace

WorkbookExportReport exportAllClasses(const DataSet& ds, const std::vector<const ClassTable*>& classList,
                                      int tablesPerRow, const std::filesystem::path& programFolder,
                                      const WorkbookFactory& factory)
{
    const std::filesystem::path dir = programFolder / "classFiles";
    createFolder(dir);
    return exportOne(dir / "allclass.xlsx", factory,
                     [&](Workbook& wb) { return layoutClassBlocks(wb, ds, classList, tablesPerRow); });
}

WorkbookExportReport exportAllTeachers(const DataSet& ds, int tablesPerRow, const std::filesystem::path& programFolder,
                                       const WorkbookFactory& factory)
{
    const std::filesystem::path dir = programFolder / "teacherExcelFiles";
    createFolder(dir);
    return exportOne(dir / "allteacher.xlsx", factory,
                     [&](Workbook& wb) { return layoutTeacherBlocks(wb, ds, tablesPerRow); });
}

WorkbookExportReport exportMasterStyle1(const DataSet& ds, const std::vector<const ClassTable*>& selected,
                                        const std::filesystem::path& file, const WorkbookFactory& factory)
{
    return exportOne(file, factory, [&](Workbook& wb) { return layoutMasterStyle1(wb, ds, selected); });
}

WorkbookExportReport exportMasterStyle2(const DataSet& ds, const std::vector<const ClassTable*>& selected,
                                        const std::filesystem::path& file, const WorkbookFactory& factory,
                                        int subjectFontSize, int teacherFontSize)
{
    return exportOne(file, factory, [&](Workbook& wb) {
        return layoutMasterStyle2(wb, ds, selected, subjectFontSize, teacherFontSize);
    });
}

WorkbookExportReport exportMasterStyle3(const DataSet& ds, const std::vector<const ClassTable*>& selected,
                                        const std::filesystem::path& file, const WorkbookFactory& factory)
{
    return exportOne(file, factory, [&](Workbook& wb) { return layoutClassBlocks(wb, ds, selected, 4); });
}

} // namespace tabrel
