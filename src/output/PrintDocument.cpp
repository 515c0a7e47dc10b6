#include "output/PrintDocument.h"

#include <algorithm>

#include "data/DataSet.h"
#include "data/Gbk.h"
#include "views/Canvas.h"
#include "output/LoadDistribution.h"
#include "output/SheetDrawing.h"
#include "output/TeacherTeachTable.h"

namespace tabrel {

namespace {

constexpr int Margin = 20;

class ClassSheets : public PrintDocument {
public:
    ClassSheets(const DataSet& ds, std::vector<const ClassTable*> classes, const ClassCellOptions& o)
        : ds_(ds), classes_(std::move(classes)), o_(o) {}
    int pageCount() const override { return static_cast<int>(classes_.size()); }
    bool landscape() const override { return false; }
    PageDrawing pageDrawing(int) const override
    {
        return {sheetWidth(ds_) + 2 * Margin, sheetHeight(ds_) + 2 * Margin};
    }
    void drawPage(int page, Canvas& canvas) const override
    {
        drawClassSheet(ds_, *classes_.at(page), Margin, Margin, canvas, o_);
    }
    std::string title() const override { return GBK("班级课程表"); }

private:
    const DataSet& ds_;
    std::vector<const ClassTable*> classes_;
    ClassCellOptions o_;
};

class TeacherSheets : public PrintDocument {
public:
    TeacherSheets(const DataSet& ds, const TeacherCellOptions& o) : ds_(ds), o_(o) {}
    int pageCount() const override { return static_cast<int>(ds_.teachers.size()); }
    bool landscape() const override { return false; }
    PageDrawing pageDrawing(int) const override
    {
        return {sheetWidth(ds_) + 2 * Margin, sheetHeight(ds_) + 2 * Margin};
    }
    void drawPage(int page, Canvas& canvas) const override
    {
        drawTeacherSheet(ds_, *ds_.teachers.at(page), Margin, Margin, canvas, o_);
    }
    std::string title() const override { return GBK("教师课程表"); }

private:
    const DataSet& ds_;
    TeacherCellOptions o_;
};

class MasterStyle1 : public PrintDocument {
public:
    MasterStyle1(const DataSet& ds, std::vector<const ClassTable*> classes, const Style1Options& o)
        : ds_(ds), classes_(std::move(classes)), o_(o),
          table_(ds, static_cast<int>(classes_.size()), LandscapeDrawingHeight - 20)
    {
        const int K = table_.columnCount();
        for (int first = 0; first < K;) {
            const int m = style1ColumnsOnPage(table_, first, LandscapeDrawingWidth);
            pages_.push_back({first, std::min(first + m, K)});
            first += m;
        }
        if (pages_.empty())
            pages_.push_back({0, 0});
    }
    int pageCount() const override { return static_cast<int>(pages_.size()); }
    bool landscape() const override { return true; }
    PageDrawing pageDrawing(int) const override { return {LandscapeDrawingWidth, LandscapeDrawingHeight}; }
    void drawPage(int page, Canvas& canvas) const override
    {
        const auto [first, last] = pages_.at(page);
        table_.draw(canvas, ds_, classes_, o_, first, last);
    }
    std::string title() const override { return GBK("总课程表"); }

private:
    const DataSet& ds_;
    std::vector<const ClassTable*> classes_;
    Style1Options o_;
    TotalScheduleTable table_;
    std::vector<std::pair<int, int>> pages_;
};

class MasterStyle2 : public PrintDocument {
public:
    static constexpr int RowsPerPage = 15;
    MasterStyle2(const DataSet& ds, std::vector<const ClassTable*> classes, const Style2Options& o)
        : ds_(ds), classes_(std::move(classes)), o_(o) {}
    int pageCount() const override
    {
        return std::max(1, (static_cast<int>(classes_.size()) + RowsPerPage - 1) / RowsPerPage);
    }
    bool landscape() const override { return true; }
    PageDrawing pageDrawing(int) const override { return {LandscapeDrawingWidth, LandscapeDrawingHeight}; }
    void drawPage(int page, Canvas& canvas) const override
    {
        const TotalScheduleOne rows(ds_, LandscapeDrawingWidth, LandscapeDrawingHeight, RowsPerPage);
        rows.drawRows(canvas, ds_, classes_, o_, page * RowsPerPage, std::vector<bool>(classes_.size()));
    }
    std::string title() const override { return GBK("总课程表"); }

private:
    const DataSet& ds_;
    std::vector<const ClassTable*> classes_;
    Style2Options o_;
};

class AssignmentTable : public PrintDocument {
public:
    static constexpr int RowsPerPage = 25;
    static constexpr int DistributionRowsPerPage = 30;
    AssignmentTable(const DataSet& ds, int showSubject, int showClass)
        : ds_(ds), showSubject_(showSubject), showClass_(showClass), dist_(buildLoadDistribution(ds))
    {
        const int teachers = static_cast<int>(ds.teachers.size());
        rowPages_ = std::max(1, (teachers + RowsPerPage - 1) / RowsPerPage);
        const int columns = TeacherTeachTable::slotColumns(ds);
        columnPages_ = std::max(1, (columns + TeacherTeachTable::VisibleColumns - 1) / TeacherTeachTable::VisibleColumns);
        distPages_ = std::max(1, (teachers + DistributionRowsPerPage - 1) / DistributionRowsPerPage);
    }
    int pageCount() const override { return rowPages_ * columnPages_ + distPages_; }
    bool landscape() const override { return true; }
    PageDrawing pageDrawing(int) const override { return {LandscapeDrawingWidth, LandscapeDrawingHeight}; }
    void drawPage(int page, Canvas& canvas) const override
    {
        if (page < rowPages_ * columnPages_) {
            TeacherTeachTable t;
            t.showSubject = showSubject_;
            t.showClass = showClass_;
            t.visibleRows = RowsPerPage;
            t.firstVisibleRow = (page / columnPages_) * RowsPerPage;
            t.firstVisibleColumn = (page % columnPages_) * TeacherTeachTable::VisibleColumns;
            t.draw(canvas, ds_, LandscapeDrawingWidth, LandscapeDrawingHeight);
            return;
        }
        drawDistribution(page - rowPages_ * columnPages_, canvas);
    }
    std::string title() const override { return GBK("总任课表"); }

private:
    void drawDistribution(int page, Canvas& canvas) const
    {
        const int columns = static_cast<int>(dist_.header.size());
        const int W = LandscapeDrawingWidth, rowH = LandscapeDrawingHeight / (DistributionRowsPerPage + 2);
        const int unit = (W - 20) / std::max(columns, 1);
        auto x = [&](int c) { return c == 0 ? 0 : unit * c + 20; };
        TextStyle s;
        s.height = std::min(16, rowH - 6);
        s.flags = text::HCenter | text::VCenter | text::SingleLine | text::NoPrefix | text::Clip;
        TextStyle titleStyle = s;
        titleStyle.height = std::min(20, rowH);
        canvas.drawText({0, 0, W, rowH}, GBK("分布情况"), titleStyle);
        const int top = rowH;
        auto row = [&](int r, const std::vector<std::string>& cells) {
            for (int c = 0; c < columns && c < static_cast<int>(cells.size()); ++c)
                canvas.drawText({x(c), top + r * rowH, x(c + 1), top + (r + 1) * rowH}, cells[c], s);
        };
        canvas.fillRect({0, top, x(columns), top + rowH}, Rgb{220, 220, 220});
        row(0, dist_.header);
        const int firstTeacher = page * DistributionRowsPerPage;
        int r = 1;
        for (int i = firstTeacher; i < static_cast<int>(dist_.rows.size()) && r <= DistributionRowsPerPage; ++i, ++r)
            row(r, dist_.rows[i]);
        for (int k = 0; k <= r; ++k)
            canvas.drawLine(0, top + k * rowH, x(columns), top + k * rowH, colors::Black);
        for (int c = 0; c <= columns; ++c)
            canvas.drawLine(x(c), top, x(c), top + r * rowH, colors::Black);
    }

    const DataSet& ds_;
    int showSubject_, showClass_;
    LoadDistribution dist_;
    int rowPages_ = 1, columnPages_ = 1, distPages_ = 1;
};

} // namespace

int style1ColumnsOnPage(const TotalScheduleTable& table, int first, int width)
{
    const int K = table.columnCount();
    int m = 1;
    while (first + m < K && table.columnLeft(first + m, first) + TotalScheduleTable::ColumnWidth <= width - 10)
        ++m;
    return m;
}

std::unique_ptr<PrintDocument> classSheetsDocument(const DataSet& ds, std::vector<const ClassTable*> classes,
                                                   const ClassCellOptions& options)
{
    return std::make_unique<ClassSheets>(ds, std::move(classes), options);
}

std::unique_ptr<PrintDocument> teacherSheetsDocument(const DataSet& ds, const TeacherCellOptions& options)
{
    return std::make_unique<TeacherSheets>(ds, options);
}

std::unique_ptr<PrintDocument> masterStyle1Document(const DataSet& ds, std::vector<const ClassTable*> classes,
                                                    const Style1Options& options)
{
    return std::make_unique<MasterStyle1>(ds, std::move(classes), options);
}

std::unique_ptr<PrintDocument> masterStyle2Document(const DataSet& ds, std::vector<const ClassTable*> classes,
                                                    const Style2Options& options)
{
    return std::make_unique<MasterStyle2>(ds, std::move(classes), options);
}

std::unique_ptr<PrintDocument> assignmentTableDocument(const DataSet& ds, int showSubject, int showClass)
{
    return std::make_unique<AssignmentTable>(ds, showSubject, showClass);
}

} // namespace tabrel
