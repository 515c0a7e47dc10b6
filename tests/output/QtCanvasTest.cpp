// Real rendering through QPainter on the offscreen platform (QtTestEnvironment makes the app).
#include <QFont>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <gtest/gtest.h>

#include "output/DrawnTable.h"
#include "output/BmpFile.h"
#include "output/ClassTimetableSheet.h"
#include "output/PictureExport.h"
#include "output/TimetableFixtures.h"
#include "render/QtCanvas.h"

using namespace tabrel;
using namespace tabrel::test;

namespace {

// Set TABREL_PICTURE_DIR to keep PNG copies of what the tests render.
void keep(const QImage& image, const char* name)
{
    const QByteArray dir = qgetenv("TABREL_PICTURE_DIR");
    if (!dir.isEmpty())
        image.save(QString::fromUtf8(dir) + "/" + name + ".png");
}

uint32_t pixelAt(const std::string& file, int width, int height, int x, int y)
{
    const std::size_t row = static_cast<std::size_t>(height - 1 - y); // bottom-up
    const std::size_t at = 54 + row * width * 3 + static_cast<std::size_t>(x) * 3;
    return static_cast<uint8_t>(file[at + 2]) << 16 | static_cast<uint8_t>(file[at + 1]) << 8 |
           static_cast<uint8_t>(file[at]);
}

int darkPixels(const QImage& img, const QRect& area)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(img.pixel(x, y)) < 128)
                ++n;
    return n;
}

} // namespace

TEST(QtCanvas, FacesMapToInstalledChineseFonts)
{
    for (const char* face : {"", "黑体", "宋体", "楷体_GB2312"}) {
        TextStyle style;
        style.face = G(face);
        style.height = 20;
        const QFont font = QtCanvas::fontFor(style);
        const QString family = QFontInfo(font).family();
        EXPECT_TRUE(QtCanvas::familiesFor(style.face).contains(family))
            << face << " resolved to " << family.toStdString();
        EXPECT_TRUE(QFontMetrics(font).inFont(QChar(0x8BFE))) << face; // 课
        EXPECT_EQ(font.pixelSize(), 20);
    }
    EXPECT_EQ(QtCanvas::familiesFor(G("黑体")).front(), "Noto Sans CJK SC");
    EXPECT_EQ(QtCanvas::familiesFor(G("楷体_GB2312")).front(), "AR PL UKai CN");
}

TEST(QtCanvas, LinesAndFillsLandOnExactPixels)
{
    QtRasterSurface surface(20, 10);
    Canvas& c = surface.canvas();
    c.drawLine(2, 3, 12, 3, colors::Red);      // pixels 2 … 11
    c.drawLine(15, 1, 15, 8, colors::Blue, 2); // x 15 and 16, y 1 … 7
    c.fillRect({0, 9, 4, 10}, colors::Grey);
    const QImage& img = surface.image();
    EXPECT_EQ(img.pixel(2, 3), qRgb(250, 80, 80));
    EXPECT_EQ(img.pixel(11, 3), qRgb(250, 80, 80));
    EXPECT_EQ(img.pixel(12, 3), qRgb(255, 255, 255));
    EXPECT_EQ(img.pixel(1, 3), qRgb(255, 255, 255));
    EXPECT_EQ(img.pixel(16, 7), qRgb(0, 0, 255));
    EXPECT_EQ(img.pixel(15, 8), qRgb(255, 255, 255));
    EXPECT_EQ(img.pixel(3, 9), qRgb(150, 150, 150));
    EXPECT_EQ(img.pixel(4, 9), qRgb(255, 255, 255));
}

TEST(QtCanvas, TextIsCentredAndClipped)
{
    QtRasterSurface surface(200, 60);
    TextStyle style;
    style.height = 20;
    style.flags = text::HCenter | text::VCenter | text::Clip;
    surface.canvas().drawText({0, 0, 200, 30}, G("课程"), style);
    surface.canvas().drawText({0, 40, 200, 45}, G("课程"), style); // only 5 rows may be touched
    const QImage& img = surface.image();
    const int left = darkPixels(img, QRect(0, 0, 100, 30));
    const int right = darkPixels(img, QRect(100, 0, 100, 30));
    EXPECT_GT(left, 20);
    EXPECT_GT(right, 20);
    EXPECT_EQ(darkPixels(img, QRect(0, 30, 200, 10)), 0);
    EXPECT_EQ(darkPixels(img, QRect(0, 45, 200, 15)), 0);
    EXPECT_GT(darkPixels(img, QRect(0, 40, 200, 5)), 0);
    EXPECT_EQ(darkPixels(img, QRect(0, 0, 60, 30)), 0); // centred: nothing at the far left
}

// The picture's period numbers: 21 pixels high in a 16-pixel rectangle, clipped. A digit fits,
// so clipping must not cut it: it shows as many pixels as when drawn with room to spare.
TEST(QtCanvas, ClippingMovesAFittingTextInsideInsteadOfCuttingIt)
{
    TextStyle style;
    style.height = 21;
    style.flags = text::HCenter | text::Top | text::Clip;
    QtRasterSurface surface(120, 60);
    surface.canvas().drawText({0, 8, 60, 24}, "2", style);
    surface.canvas().drawText({60, 8, 120, 58}, "2", style);
    const QImage& img = surface.image();
    const int clipped = darkPixels(img, QRect(0, 0, 60, 60));
    EXPECT_GT(clipped, 10);
    EXPECT_EQ(clipped, darkPixels(img, QRect(60, 0, 60, 60)));
    EXPECT_EQ(darkPixels(img, QRect(0, 24, 60, 36)), 0);
}

TEST(QtCanvas, EndEllipsisKeepsALongTextInsideItsCell)
{
    TextStyle style;
    style.height = 19;
    style.flags = text::HCenter | text::VCenter | text::EndEllipsis; // no clip: the cut alone keeps it in
    QtRasterSurface surface(300, 40);
    const std::string longText = G("初一1.2.3.4.5语文阅读");
    surface.canvas().drawText({100, 0, 200, 40}, longText, style);
    const QImage& img = surface.image();
    keep(img, "ellipsis");
    EXPECT_GT(darkPixels(img, QRect(100, 0, 100, 40)), 50);
    EXPECT_EQ(darkPixels(img, QRect(0, 0, 100, 40)), 0);
    EXPECT_EQ(darkPixels(img, QRect(200, 0, 100, 40)), 0);
    EXPECT_GT(surface.canvas().textWidth(longText, style), 100);
}

// A class picture rendered for real: the right size, black lines where the geometry puts them,
// and Chinese text in the title.
TEST(QtCanvas, ClassPictureRendersThroughTheFactory)
{
    auto ds = newDocumentSchool(1);
    TeacherInfoRecord& t = addTeacher(*ds, "王老师");
    ClassTable& table = *ds->classAt(0, 0);
    putLesson(*ds, table, 0, 0, "语文", "王老师");
    putLesson(*ds, table, 4, 2, "数学", "王老师");
    table.commonPeriods[6][4] = G("自习");
    TempDir dir;
    QtCanvasFactory factory;
    PictureExportResult r = ExportClassPictures(*ds, dir.path(), factory, {});
    ASSERT_TRUE(r.ok) << r.message;
    r = ExportTeacherPictures(*ds, dir.path(), factory, {});
    ASSERT_TRUE(r.ok) << r.message;

    const std::string file = readFile(dir.path() / "classFiles" / "初一(1).bmp");
    ASSERT_EQ(file.size(), 535974u);
    EXPECT_EQ(pixelAt(file, 580, 308, 10, 10), 0u);         // top-left corner of the table
    EXPECT_EQ(pixelAt(file, 580, 308, 569, 10), 0u);        // end of the top line
    EXPECT_EQ(pixelAt(file, 580, 308, 570, 10), 0xFFFFFFu); // the right edge starts one lower
    EXPECT_EQ(pixelAt(file, 580, 308, 570, 11), 0u);
    EXPECT_EQ(pixelAt(file, 580, 308, 70, 298), 0u);        // column line reaches the last line
    EXPECT_EQ(pixelAt(file, 580, 308, 5, 5), 0xFFFFFFu);    // margin

    // Draw the same picture again into an image to look at it.
    QtRasterSurface surface(580, 308);
    surface.canvas().fillRect({0, 0, 580, 308}, colors::White);
    DrawClassPicture(table, 10, 10, surface.canvas(), {});
    const QImage& img = surface.image();
    keep(img, "class-picture");
    EXPECT_GT(darkPixels(img, QRect(11, 13, 558, 28)), 100); // the title
    EXPECT_GT(darkPixels(img, QRect(71, 75, 98, 30)), 20);   // 语文 / 王老师
    // Same pixels as the file.
    EXPECT_EQ(bmp::encode(surface.pixels(), 24), file);

    QtRasterSurface teacherSurface(580, 308);
    teacherSurface.canvas().fillRect({0, 0, 580, 308}, colors::White);
    DrawTeacherPicture(t, 1, 10, 10, teacherSurface.canvas());
    keep(teacherSurface.image(), "teacher-picture");
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "teacher" / "王老师.bmp"));
}

TEST(QtCanvas, ClassSheetShowsTheRedLineAndGreyGrid)
{
    auto ds = newDocumentSchool(1);
    ClassTable& table = *ds->classAt(0, 0);
    putLesson(*ds, table, 0, 0, "语文", "欧阳修远");
    table.cells[1][1].markFlag = 1;
    DrawnTable view;
    view.SetDrawOrigin(*ds, 30, 40);
    QtRasterSurface surface(470, 420);
    surface.canvas().fillRect({0, 0, 470, 420}, colors::White);
    DrawClassTimetable(table, view, surface.canvas(), {});
    const QImage& img = surface.image();
    keep(img, "class-sheet");
    EXPECT_EQ(img.pixel(100, 256), qRgb(250, 80, 80));
    EXPECT_EQ(img.pixel(100, 257), qRgb(250, 80, 80));
    EXPECT_EQ(img.pixel(100, 293), qRgb(150, 150, 150));
    EXPECT_EQ(img.pixel(436, 200), qRgb(150, 150, 150)); // shadow
    EXPECT_GT(darkPixels(img, QRect(74, 113, 70, 34)), 20);
}

TEST(QtCanvas, FactoryRefusesImpossibleSizes)
{
    QtCanvasFactory factory;
    std::string error;
    EXPECT_EQ(factory.createSurface(0, 10, error), nullptr);
    EXPECT_FALSE(error.empty());
}
