// The timetable panels' tool strip and what its clicks change.
#include <gtest/gtest.h>

#include "app/TimetableFrameModel.h"
#include "data/DataSet.h"
#include "output/PictureExport.h"
#include "output/RecordingCanvas.h"
#include "output/WorkbookExports.h"
#include "support/TestSupport.h"

using namespace tabrel;
using test::U;
using Hit = TimetableToolStrip::Hit;

namespace {
std::pair<int, int> centre(const TimetableToolStrip& s, Hit h)
{
    Rect r = s.rectOf(h);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void school(DataSet& ds, int classes)
{
    ds.applyNewDocumentDefaults();
    ds.setGradeCount(1);
    ds.setClassCount(0, classes);
}
} // namespace

TEST(TimetableToolStrip, ItemsStandLeftToRightWithoutOverlapping)
{
    for (auto variant : {TimetableToolStrip::Variant::Class, TimetableToolStrip::Variant::Teacher}) {
        TimetableToolStrip s(variant);
        s.layout(1200, 36);
        std::vector<std::string> texts;
        int right = 0;
        for (const auto& it : s.items()) {
            texts.push_back(U(it.text));
            EXPECT_GE(it.rect.left, right);
            right = it.rect.right;
            EXPECT_LE(it.rect.bottom, 36);
        }
        if (variant == TimetableToolStrip::Variant::Class)
            EXPECT_EQ(texts, (std::vector<std::string>{"显示科目", "显示教师", "全称", "简称", "每行显示", "", "张表格",
                                                       "导出打印"}));
        else
            EXPECT_EQ(texts, (std::vector<std::string>{"显示科目", "显示班级", "每行显示", "", "张表格", "导出打印"}));
        EXPECT_FALSE(s.grooves().empty());
    }
    EXPECT_EQ(TimetableToolStrip::stripHeight(800), 40);
    EXPECT_EQ(TimetableToolStrip::stripHeight(200), 24);
    auto menu = TimetableToolStrip::exportMenuItems();
    ASSERT_EQ(menu.size(), 3u);
    EXPECT_EQ(U(menu[1]), "导出多个表到一个EXCEL文件");
}

TEST(ClassTableFrame, ClicksFlipChecksSelectRadiosAndOpenMenus)
{
    DataSet ds;
    school(ds, 3);
    ClassTableFrameModel m(&ds);
    m.strip.layout(1000, 32);
    using R = TimetableFrameModel::ClickResult;

    auto [sx, sy] = centre(m.strip, Hit::SecondCheck);
    EXPECT_EQ(m.click(sx, sy), R::Redraw);
    EXPECT_EQ(m.classPanel.showTeacher, 0);
    EXPECT_FALSE(m.isOn(Hit::SecondCheck));
    EXPECT_EQ(m.click(sx, sy), R::Redraw);
    EXPECT_EQ(m.classPanel.showTeacher, 1);

    // The selected radio button does nothing; the other one selects 简称.
    auto [fx, fy] = centre(m.strip, Hit::FullName);
    EXPECT_EQ(m.click(fx, fy), R::None);
    auto [kx, ky] = centre(m.strip, Hit::ShortName);
    EXPECT_EQ(m.click(kx, ky), R::Redraw);
    EXPECT_EQ(m.classPanel.nameStyle, 1);
    EXPECT_TRUE(m.isOn(Hit::ShortName));

    auto [px, py] = centre(m.strip, Hit::PerRowBox);
    EXPECT_EQ(m.click(px, py), R::OpenPerRowMenu);
    auto [ex, ey] = centre(m.strip, Hit::Export);
    EXPECT_EQ(m.click(ex, ey), R::OpenExportMenu);
    const Rect label = m.strip.items()[4].rect; // "每行显示" is only a label
    EXPECT_EQ(m.click(label.left + 2, label.top + 2), R::None);
}

TEST(ClassTableFrame, TablesPerRowRemakesThePictureOnlyWhenItChanges)
{
    DataSet ds;
    school(ds, 7);
    ClassTableFrameModel m(&ds);
    m.prepareForShow();
    m.pictureStale = false;
    EXPECT_FALSE(m.chooseTablesPerRow(4));
    EXPECT_FALSE(m.pictureStale);
    const int oneRowWidth = m.classPanel.contentWidth;
    EXPECT_TRUE(m.chooseTablesPerRow(7));
    EXPECT_TRUE(m.pictureStale);
    EXPECT_GT(m.classPanel.contentWidth, oneRowWidth);
}

TEST(ClassTableFrame, ShowingTwiceListsEveryClassOnceAndFollowsNewClasses)
{
    DataSet ds;
    school(ds, 2);
    ClassTableFrameModel m(&ds);
    m.prepareForShow();
    m.prepareForShow();
    EXPECT_EQ(m.classPanel.classList.size(), 2u);
    ds.setClassCount(0, 5);
    m.prepareForShow();
    EXPECT_EQ(m.classPanel.classList.size(), 5u);
    EXPECT_TRUE(m.pictureStale);

    // A replaced data set drops every pointer into the old one.
    DataSet other;
    school(other, 1);
    m.setDataSet(&other);
    EXPECT_TRUE(m.classPanel.classList.empty());
    m.prepareForShow();
    ASSERT_EQ(m.classPanel.classList.size(), 1u);
    EXPECT_EQ(m.classPanel.classList[0], other.classAt(0, 0));
}

TEST(TeacherTableFrame, HasNoNameStyleAndLaysOutEveryTeacher)
{
    DataSet ds;
    school(ds, 1);
    for (int i = 0; i < 5; ++i)
        ds.appendTeacher();
    TeacherTableFrameModel m(&ds);
    m.strip.layout(1000, 32);
    EXPECT_EQ(m.strip.rectOf(Hit::FullName).width(), 0);
    auto [sx, sy] = centre(m.strip, Hit::SecondCheck);
    EXPECT_EQ(m.click(sx, sy), TimetableFrameModel::ClickResult::Redraw);
    EXPECT_EQ(m.teacherPanel.showClass, 0);
    EXPECT_EQ(m.prepareForShow(), "");
    EXPECT_GT(m.teacherPanel.contentHeight, 0);
}

namespace {
// Pictures drawn into a recording canvas over a plain white raster.
class PlainFactory : public CanvasFactory {
    struct Surface : RasterSurface {
        Surface(int w, int h) : buffer(w, h) {}
        Canvas& canvas() override { return recorder; }
        PixelBuffer pixels() override { return buffer; }
        RecordingCanvas recorder;
        PixelBuffer buffer;
    };

public:
    std::unique_ptr<RasterSurface> createSurface(int width, int height, std::string&) override
    {
        return std::make_unique<Surface>(width, height);
    }
};

int bitsPerPixelOf(const std::filesystem::path& bmp)
{
    const std::string bytes = test::readFile(bmp);
    return bytes.size() > 29 ? static_cast<unsigned char>(bytes[28]) | static_cast<unsigned char>(bytes[29]) << 8 : -1;
}
} // namespace

TEST(TimetableFrames, PicturesFollowTheDisplayDepthAndFallBackTo24)
{
    DataSet ds;
    school(ds, 1);
    ds.renameClasses("(", ")");
    ds.appendTeacher();
    ds.teachers[0]->name = test::G("王芳");
    test::TempDir dir;
    PlainFactory pictures;
    ClassTableFrameModel classes(&ds);
    TeacherTableFrameModel teachers(&ds);
    classes.prepareForShow();
    teachers.prepareForShow();

    const std::pair<int, int> depths[] = {{16, 16}, {32, 32}, {24, 24}, {8, 24}, {0, 24}};
    for (auto [display, expected] : depths) {
        classes.setDisplayDepth(display);
        teachers.setDisplayDepth(display);
        classes.runExport(2, dir.path(), pictures, xlsxWorkbookFactory());
        teachers.runExport(2, dir.path(), pictures, xlsxWorkbookFactory());
        EXPECT_EQ(bitsPerPixelOf(dir.path() / ClassPictureFolder / (test::U(ds.classAt(0, 0)->name) + ".bmp")), expected)
            << display;
        EXPECT_EQ(bitsPerPixelOf(dir.path() / TeacherPictureFolder / "王芳.bmp"), expected) << display;
    }
}

TEST(TimetableFrames, AnExportWithoutTablesIsReportedAndAPartlyFailedOneNamesBoth)
{
    DataSet empty;
    test::TempDir dir;
    PlainFactory pictures;
    ClassTableFrameModel classes(&empty);
    const ExportOutcome none = classes.runExport(0, dir.path(), pictures, xlsxWorkbookFactory());
    EXPECT_FALSE(none.ok);
    EXPECT_EQ(none.failureMessage(), "没有可导出的课程表");

    ExportOutcome partly{false, "已导出 2 个EXCEL文件到 /x", "无法写入 /x/c.xlsx"};
    EXPECT_EQ(partly.failureMessage(), "已导出 2 个EXCEL文件到 /x\n无法写入 /x/c.xlsx");
}

TEST(TimetableToolStrip, TheKeyboardFocusVisitsEveryItemThatActsAndWrapsRound)
{
    for (auto variant : {TimetableToolStrip::Variant::Class, TimetableToolStrip::Variant::Teacher}) {
        TimetableToolStrip s(variant);
        s.layout(1200, 36);
        std::vector<TimetableToolStrip::Hit> acting;
        for (const auto& it : s.items())
            if (it.hit != TimetableToolStrip::Hit::None)
                acting.push_back(it.hit);
        ASSERT_GE(acting.size(), 3u);
        for (std::size_t k = 0; k <= acting.size(); ++k) {
            ASSERT_TRUE(s.moveFocus(1));
            EXPECT_EQ(s.focus(), acting[k % acting.size()]);
            // Return acts on the focused item as a click on its centre: the centre hits it.
            const Rect r = s.rectOf(s.focus());
            EXPECT_EQ(s.hitTest((r.left + r.right) / 2, (r.top + r.bottom) / 2), s.focus());
        }
        s.moveFocus(-1);
        EXPECT_EQ(s.focus(), acting.back());
    }
}
