#pragma once
// Pictures of the timetables: one bitmap file per class in "classFiles" and one per teacher in
// "teacher". A picture has its own geometry (100 x 32 cells, black lines, the data set's day names)
// and its own titles; it is drawn through a Canvas on a raster surface that the caller provides
// (render/QtCanvas makes one from a QImage), read back and written by BmpFile.
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "data/Dimensions.h"
#include "output/BmpFile.h"

namespace tabrel {

class Canvas;
class ClassTable;
class DataSet;
class TeacherInfoRecord;

struct PictureOptions {
    bool showSubject = true, showTeacher = true, showClass = true;
    int nameStyle = 0; // 0 = full teacher name, 1 = its last two characters
    int bitDepth = 24; // 16, 24 or 32
};

// An off-screen picture to draw on and read back.
class RasterSurface {
public:
    virtual ~RasterSurface() = default;
    virtual Canvas& canvas() = 0;
    // Ends the drawing and returns the pixels, top row first.
    virtual PixelBuffer pixels() = 0;
};

// Makes raster surfaces. Returns nullptr and a message (UTF-8) when it cannot.
class CanvasFactory {
public:
    virtual ~CanvasFactory() = default;
    virtual std::unique_ptr<RasterSurface> createSurface(int width, int height, std::string& error) = 0;
};

inline const char* const ClassPictureFolder = "classFiles";
inline const char* const TeacherPictureFolder = "teacher";

// Geometry of a picture: 100-pixel day columns, 32-pixel rows, a 60-pixel number column and a
// 10-pixel margin on every side.
struct PictureGeometry {
    static constexpr int ColumnWidth = 100;
    static constexpr int RowHeight = 32;
    static constexpr int NumberColumnWidth = ColumnWidth * 3 / 5;
    static constexpr int Margin = 10;
    int x0 = Margin, y0 = Margin;
    int periods = 0; // T
    int days = 0;    // D
    int tableWidth() const { return NumberColumnWidth + ColumnWidth * days; }
    int width() const { return tableWidth() + 2 * Margin; }
    int height() const { return (periods + 2) * RowHeight + 2 * Margin; }
    int bottomLine() const { return y0 + (periods + 2) * RowHeight; }
    Rect cellRect(int period, int day) const;
};
PictureGeometry pictureGeometry(const DataSet& dataSet);

// The sheet of a picture (title, lines, period numbers, the data set's day names) at (x0, y0).
void DrawPictureSheet(const PictureGeometry& geometry, const DataSet& dataSet, const std::string& title,
                      Canvas& canvas);
// Title "%s 班级课程情况表", then the class cells with the options' subject, teacher and name style.
void DrawClassPicture(const ClassTable& table, int x0, int y0, Canvas& canvas, const PictureOptions& options);
// Title "%d. %s 教师任课情况表 [共%d节课]" with `number` (the position in the teacher list from 1),
// then grade, class numbers and subject of every slot in one line.
void DrawTeacherPicture(const TeacherInfoRecord& teacher, int number, int x0, int y0, Canvas& canvas);

struct PictureExportResult {
    bool ok = true;                  // false when any picture could not be written
    int written = 0;                 // files written
    std::vector<std::string> files;  // their paths (UTF-8)
    std::string message;             // UTF-8: one line per picture that was skipped, and why
};

// One picture each. `folder` is the folder the file goes into (created when missing).
PictureExportResult ExportClassPicture(ClassTable& table, const std::filesystem::path& folder, CanvasFactory& factory,
                                       const PictureOptions& options);
PictureExportResult ExportTeacherPicture(TeacherInfoRecord& teacher, int number, const std::filesystem::path& folder,
                                         CanvasFactory& factory, const PictureOptions& options);

// Every class of the list, in order, into <baseDir>/classFiles/<class name>.bmp. A picture that
// cannot be written is skipped and the others are still written.
PictureExportResult ExportClassPictures(const std::vector<ClassTable*>& classList, const std::filesystem::path& baseDir,
                                        CanvasFactory& factory, const PictureOptions& options);
// Every class of every grade, in order.
PictureExportResult ExportClassPictures(DataSet& dataSet, const std::filesystem::path& baseDir, CanvasFactory& factory,
                                        const PictureOptions& options);
// Every teacher of the list, in order, into <baseDir>/teacher/<teacher name>.bmp.
PictureExportResult ExportTeacherPictures(DataSet& dataSet, const std::filesystem::path& baseDir,
                                          CanvasFactory& factory, const PictureOptions& options);

// The UTF-8 file name "<name>.bmp" for a GBK record name; "" with a message when the name cannot
// be a file name inside the folder (empty, ".", "..", or holding "/", "\" or a NUL byte).
std::string pictureFileName(const std::string& gbkName, std::string& error);

} // namespace tabrel
