#pragma once
// Printed pages of the timetables: each document knows how many pages it has, whether they are
// printed across (landscape), the size of each page's drawing in pixels and how to draw it through
// a Canvas. The Qt side scales every page's drawing onto an A4 sheet of a printer or a PDF file,
// so paper shows what the screen draws.
#include <memory>
#include <string>
#include <vector>

#include "output/ClassTimetableSheet.h"
#include "output/TeacherTimetableSheet.h"
#include "output/TotalScheduleOne.h"
#include "output/TotalScheduleTable.h"

namespace tabrel {

class Canvas;
class ClassTable;
class DataSet;

struct PageDrawing {
    int width = 0, height = 0; // of the drawing, in pixels
};

class PrintDocument {
public:
    virtual ~PrintDocument() = default;
    virtual int pageCount() const = 0;
    virtual bool landscape() const = 0;
    virtual PageDrawing pageDrawing(int page) const = 0;
    virtual void drawPage(int page, Canvas& canvas) const = 0;
    // The document's name (GBK), e.g. for the print job.
    virtual std::string title() const = 0;
};

// The drawing size of a landscape A4 page and of a portrait one (96 pixels to the inch, less the
// margins the Qt side keeps).
inline constexpr int LandscapeDrawingWidth = 1040, LandscapeDrawingHeight = 700;
inline constexpr int PortraitDrawingWidth = 700, PortraitDrawingHeight = 1040;

// One portrait page per class: the class sheet as the class panel draws it.
std::unique_ptr<PrintDocument> classSheetsDocument(const DataSet& dataSet, std::vector<const ClassTable*> classes,
                                                   const ClassCellOptions& options);
// One portrait page per teacher.
std::unique_ptr<PrintDocument> teacherSheetsDocument(const DataSet& dataSet, const TeacherCellOptions& options);
// Style 1 of the master timetable on as many landscape pages as its width needs; every page
// repeats the title, the day names of its columns and the label columns.
std::unique_ptr<PrintDocument> masterStyle1Document(const DataSet& dataSet, std::vector<const ClassTable*> classes,
                                                    const Style1Options& options);
// Style 2 on landscape pages of 15 classes each.
std::unique_ptr<PrintDocument> masterStyle2Document(const DataSet& dataSet, std::vector<const ClassTable*> classes,
                                                    const Style2Options& options);
// The master assignment table (landscape pages of 25 teachers by 30 slots), then the load
// distribution (pages of 30 teachers).
std::unique_ptr<PrintDocument> assignmentTableDocument(const DataSet& dataSet, int showSubject, int showClass);

// Style-1 columns a page holds: body columns first … that fit into `width` pixels after the
// label columns and before a 10-pixel right margin (at least one).
int style1ColumnsOnPage(const TotalScheduleTable& table, int first, int width);

} // namespace tabrel
