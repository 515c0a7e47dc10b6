#include <gtest/gtest.h>

#include "output/DrawnTable.h"
#include "output/PictureExport.h"
#include "output/RecordingCanvas.h"
#include "output/TimetableFixtures.h"

using namespace tabrel;
using namespace tabrel::test;
using Kind = RecordingCanvas::Kind;

namespace {

// A surface that records the drawing and hands back a white picture of its size.
class RecordingSurface : public RasterSurface {
public:
    RecordingSurface(int w, int h) : width(w), height(h) {}
    Canvas& canvas() override { return recorder; }
    PixelBuffer pixels() override { return PixelBuffer(width, height); }
    RecordingCanvas recorder;
    int width, height;
};

class RecordingFactory : public CanvasFactory {
public:
    std::unique_ptr<RasterSurface> createSurface(int width, int height, std::string& error) override
    {
        if (fail) {
            error = "no surface";
            return nullptr;
        }
        auto s = std::make_unique<RecordingSurface>(width, height);
        surfaces.push_back(s.get());
        kept.push_back(std::move(s));
        return std::unique_ptr<RasterSurface>(new Forwarding(*kept.back()));
    }
    bool fail = false;
    std::vector<RecordingSurface*> surfaces;

private:
    // The test keeps the recording after the export dropped its surface.
    struct Forwarding : RasterSurface {
        explicit Forwarding(RecordingSurface& s) : target(s) {}
        Canvas& canvas() override { return target.canvas(); }
        PixelBuffer pixels() override { return target.pixels(); }
        RecordingSurface& target;
    };
    std::vector<std::unique_ptr<RecordingSurface>> kept;
};

std::vector<RecordingCanvas::Call> cellTexts(const RecordingCanvas& canvas, int height)
{
    std::vector<RecordingCanvas::Call> out;
    for (const auto& c : canvas.ofKind(Kind::Text))
        if (c.style.height == height)
            out.push_back(c);
    return out;
}

} // namespace

// Five days, seven periods: a 580 x 308 picture whose table starts at (10, 10).
TEST(PictureExport, PictureSheetGeometry)
{
    auto ds = newDocumentSchool();
    ds->dayNames = {G("周一"), G("周二"), G("周三"), G("周四"), G("周五")};
    ClassTable& table = *ds->classAt(0, 0);
    table.cells[0][0].markFlag = 1;
    const PictureGeometry g = pictureGeometry(*ds);
    EXPECT_EQ(g.width(), 580);
    EXPECT_EQ(g.height(), 308);

    RecordingCanvas canvas;
    DrawClassPicture(table, 10, 10, canvas, {});

    const auto* title = canvas.findText(G("初一(1) 班级课程情况表"));
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->rect, (Rect{10, 13, 570, 42}));
    EXPECT_EQ(title->style.height, 25);
    EXPECT_EQ(title->style.flags & (text::HCenter | text::VCenter | text::Clip), text::HCenter | text::Clip);

    // Only black lines: ten horizontal ones, the left edge, six column lines, the right edge.
    const auto lines = canvas.ofKind(Kind::Line);
    EXPECT_EQ(lines.size(), 10u + 1 + 6 + 1);
    EXPECT_EQ(canvas.linesOf(colors::Black).size(), lines.size());
    for (int i = 0; i <= 9; ++i)
        EXPECT_TRUE(canvas.hasLine(10, 10 + 32 * i, 570, 10 + 32 * i, colors::Black)) << i;
    EXPECT_TRUE(canvas.hasLine(10, 10, 10, 299, colors::Black));
    for (int d = 0; d <= 5; ++d)
        EXPECT_TRUE(canvas.hasLine(70 + 100 * d, 42, 70 + 100 * d, 299, colors::Black)) << d;
    EXPECT_TRUE(canvas.hasLine(570, 11, 570, 300, colors::Black));

    // Numbers 1 … 7, 21 high, 8 to 24 pixels into their rows; headings from the data set.
    for (int p = 0; p < 7; ++p) {
        const auto* n = canvas.findText(std::to_string(p + 1));
        ASSERT_NE(n, nullptr);
        EXPECT_EQ(n->rect, (Rect{10, 74 + 32 * p + 8, 70, 74 + 32 * p + 24}));
        EXPECT_EQ(n->style.height, 21);
    }
    const auto* heading = canvas.findText(G("周三"));
    ASSERT_NE(heading, nullptr);
    EXPECT_EQ(heading->rect, (Rect{270, 48, 370, 67}));
    EXPECT_EQ(heading->style.height, 19);
    EXPECT_EQ(canvas.findText(G("星期一")), nullptr);
    EXPECT_TRUE(canvas.ofKind(Kind::Icon).empty()); // no mark icon in pictures
}

TEST(PictureExport, ClassCellsByTheOptions)
{
    auto ds = newDocumentSchool();
    ds->earlyReadingCount = 1; // the first morning period is numbered 2, no "早1节" label
    ClassTable& table = *ds->classAt(0, 0);
    table.cells[1][0].subject = G("语文");
    table.cells[1][0].teacher = G("欧阳修远");
    table.commonPeriods[2][1] = G("劳动");
    const Rect cell = {70, 10 + 3 * 32, 170, 10 + 4 * 32};

    auto draw = [&](PictureOptions o) {
        RecordingCanvas canvas;
        DrawClassPicture(table, 10, 10, canvas, o);
        return canvas;
    };
    {
        RecordingCanvas c = draw({});
        EXPECT_EQ(c.findText(G("语文"))->rect, (Rect{70, cell.top, 170, cell.top + 16}));
        EXPECT_EQ(c.findText(G("欧阳修远"))->rect, (Rect{70, cell.top + 16, 170, cell.bottom}));
        EXPECT_EQ(c.findText(G("劳动"))->rect, (Rect{170, 10 + 4 * 32, 270, 10 + 5 * 32}));
        EXPECT_NE(c.findText("8"), nullptr);
        EXPECT_EQ(c.findText(G("早1节")), nullptr);
        EXPECT_EQ(c.findText(G("语文"))->style.flags & text::Clip, text::Clip);
    }
    {
        PictureOptions o;
        o.nameStyle = 1;
        o.showSubject = false;
        RecordingCanvas c = draw(o);
        EXPECT_EQ(c.findText(G("修远"))->rect, cell);
        EXPECT_EQ(c.findText(G("劳动")), nullptr);
    }
    {
        PictureOptions o;
        o.showTeacher = false;
        RecordingCanvas c = draw(o);
        EXPECT_EQ(c.findText(G("语文"))->rect, cell);
        EXPECT_NE(c.findText(G("劳动")), nullptr);
    }
    PictureOptions none;
    none.showSubject = none.showTeacher = false;
    EXPECT_TRUE(cellTexts(draw(none), 0).empty());
}

TEST(PictureExport, TeacherPictureTitleAndJoinedCellTexts)
{
    auto ds = newDocumentSchool(3);
    addTeacher(*ds, "赵六");
    TeacherInfoRecord& t = addTeacher(*ds, "王老师");
    putLesson(*ds, *ds->classAt(0, 0), 0, 0, "数学", "王老师");
    putLesson(*ds, *ds->classAt(0, 2), 0, 0, "数学", "王老师");
    putLesson(*ds, *ds->classAt(0, 1), 6, 4, "物理", "王老师");
    RecordingCanvas canvas;
    DrawTeacherPicture(t, 2, 10, 10, canvas);

    EXPECT_NE(canvas.findText(G("2. 王老师 教师任课情况表 [共2节课]")), nullptr);
    const auto cells = cellTexts(canvas, 19);
    // Five headings and two slots share the height 19.
    ASSERT_EQ(cells.size(), 7u);
    const auto* slot = canvas.findText(G("初一1.3数学"));
    ASSERT_NE(slot, nullptr);
    EXPECT_EQ(slot->rect, (Rect{70, 74, 170, 106}));
    EXPECT_EQ(slot->style.flags & (text::HCenter | text::VCenter | text::EndEllipsis),
              text::HCenter | text::VCenter | text::EndEllipsis);
    EXPECT_EQ(canvas.findText(G("初一2物理"))->rect, (Rect{470, 10 + 8 * 32, 570, 10 + 9 * 32}));
}

TEST(PictureExport, ExportWritesOneFilePerClassAndTeacher)
{
    auto ds = newDocumentSchool(2);
    addTeacher(*ds, "赵六");
    addTeacher(*ds, "王老师");
    TempDir dir;
    RecordingFactory factory;

    PictureExportResult r = ExportClassPictures(*ds, dir.path(), factory, {});
    EXPECT_TRUE(r.ok) << r.message;
    EXPECT_EQ(r.written, 2);
    const auto classFile = dir.path() / "classFiles" / "初一(1).bmp";
    ASSERT_TRUE(std::filesystem::exists(classFile));
    EXPECT_EQ(std::filesystem::file_size(classFile), 535974u);
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "classFiles" / "初一(2).bmp"));
    ASSERT_EQ(factory.surfaces.size(), 2u);
    EXPECT_EQ(factory.surfaces[0]->width, 580);
    EXPECT_EQ(factory.surfaces[0]->height, 308);
    // The picture starts white and its table stands at the margin.
    const auto& first = factory.surfaces[0]->recorder.calls().front();
    EXPECT_EQ(first.kind, Kind::Fill);
    EXPECT_EQ(first.rect, (Rect{0, 0, 580, 308}));
    EXPECT_EQ(factory.surfaces[0]->recorder.findText(G("初一(1) 班级课程情况表"))->rect.left, 10);

    PictureOptions o;
    o.bitDepth = 16;
    r = ExportTeacherPictures(*ds, dir.path(), factory, o);
    EXPECT_TRUE(r.ok) << r.message;
    EXPECT_EQ(std::filesystem::file_size(dir.path() / "teacher" / "王老师.bmp"), 580u * 2 * 308 + 54);
    // Teachers are numbered by their place in the list, from 1; a teacher without lessons shows 0.
    EXPECT_NE(factory.surfaces[2]->recorder.findText(G("1. 赵六 教师任课情况表 [共0节课]")), nullptr);
    EXPECT_NE(factory.surfaces[3]->recorder.findText(G("2. 王老师 教师任课情况表 [共0节课]")), nullptr);
}

TEST(PictureExport, BadNamesAreSkippedAndTheOthersStillWritten)
{
    auto ds = newDocumentSchool(4);
    ds->classAt(0, 0)->name = G("../../逃出");
    ds->classAt(0, 1)->name = "";
    ds->classAt(0, 2)->name = G("同名");
    ds->classAt(0, 3)->name = G("同名");
    TempDir dir;
    RecordingFactory factory;
    const PictureExportResult r = ExportClassPictures(*ds, dir.path() / "out", factory, {});
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.written, 2); // the same file twice: the later class remains
    EXPECT_NE(r.message.find("../../逃出"), std::string::npos);
    // Every skipped picture's line names the folder it was meant for.
    const std::string folder = (dir.path() / "out" / "classFiles").string();
    EXPECT_EQ(r.message.rfind(folder, 0), 0u) << r.message;
    EXPECT_NE(r.message.find("\n" + folder), std::string::npos) << r.message;
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "out" / "classFiles" / "同名.bmp"));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "逃出.bmp"));
    EXPECT_FALSE(std::filesystem::exists(dir.path().parent_path() / "逃出.bmp"));
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path() / "out" / "classFiles"))
        ++files;
    EXPECT_EQ(files, 1u);
}

TEST(PictureExport, UnsupportedDepthOrNoSurfaceWritesNothing)
{
    auto ds = newDocumentSchool(1);
    TempDir dir;
    RecordingFactory factory;
    PictureOptions o;
    o.bitDepth = 8;
    PictureExportResult r = ExportClassPictures(*ds, dir.path(), factory, o);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.written, 0);
    EXPECT_NE(r.message.find("8"), std::string::npos);

    factory.fail = true;
    r = ExportClassPictures(*ds, dir.path(), factory, {});
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("no surface"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "classFiles" / "初一(1).bmp"));
}
