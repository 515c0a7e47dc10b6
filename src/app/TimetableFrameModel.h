#pragma once
// The class and teacher timetable panels as the window sees them: the panel state of the output
// layer plus the tool strip, and what a click on the strip or a menu choice changes.
#include <filesystem>
#include <string>

#include "views/TimetableToolStrip.h"
#include "output/TimetableLayout.h"
#include "output/WorkbookExports.h"

namespace tabrel {

class CanvasFactory;
class DataSet;

// What an export did, for the user (UTF-8): a summary naming where the files went, and the
// failures when there were any.
struct ExportOutcome {
    bool ok = true;
    std::string summary;
    std::string errors;
    std::string folder; // where the files went (UTF-8): offered to be opened after the export
    // The message box of a failed export: what was written, then what failed.
    std::string failureMessage() const { return summary.empty() ? errors : summary + "\n" + errors; }
};

class TimetableFrameModel {
public:
    explicit TimetableFrameModel(TimetableToolStrip::Variant variant) : strip(variant) {}
    virtual ~TimetableFrameModel() = default;

    TimetableToolStrip strip;

    virtual TimetablePanel& panel() = 0;
    virtual void setDataSet(DataSet* dataSet) = 0;
    // Whether a check box or radio button is on.
    virtual bool isOn(TimetableToolStrip::Hit hit) const = 0;

    enum class ClickResult { None, Redraw, OpenPerRowMenu, OpenExportMenu };
    // A click on the strip: check boxes flip, an unselected radio button is selected (the picture is
    // redrawn), the number box and the export button open their menus.
    ClickResult click(int x, int y);

    // A choice of the per-row menu ("1" … "15"): true when the picture must be made anew.
    bool chooseTablesPerRow(int n);

    // Before the panel is shown: the tables are listed and laid out again, and the picture is
    // remade, so the panel always shows the schedule as it stands.
    virtual std::string prepareForShow() = 0;

    // Runs entry `item` of the export menu (0 = one workbook per table, 1 = all tables in one
    // workbook, 2 = one picture per table) into `programFolder`, the folder the user chose.
    virtual ExportOutcome runExport(int item, const std::filesystem::path& programFolder, CanvasFactory& pictures,
                                    const WorkbookFactory& workbooks) = 0;

    // The picture must be made at the panel's picture size and drawn again.
    bool pictureStale = true;

    // Bits per pixel of exported pictures: the display's depth (16, 24 or 32); the window sets it
    // from its screen. Other depths (8 bits and fewer need a colour table) give 24.
    void setDisplayDepth(int bitsPerPixel) { pictureDepth = (bitsPerPixel == 16 || bitsPerPixel == 32) ? bitsPerPixel : 24; }
    int pictureDepth = 24;

protected:
    virtual bool toggle(TimetableToolStrip::Hit hit) = 0;
};

class ClassTableFrameModel : public TimetableFrameModel {
public:
    explicit ClassTableFrameModel(DataSet* dataSet);
    ClassTablePanel classPanel;

    TimetablePanel& panel() override { return classPanel; }
    void setDataSet(DataSet* dataSet) override;
    bool isOn(TimetableToolStrip::Hit hit) const override;
    std::string prepareForShow() override;
    ExportOutcome runExport(int item, const std::filesystem::path& programFolder, CanvasFactory& pictures,
                            const WorkbookFactory& workbooks) override;

protected:
    bool toggle(TimetableToolStrip::Hit hit) override;
};

class TeacherTableFrameModel : public TimetableFrameModel {
public:
    explicit TeacherTableFrameModel(DataSet* dataSet);
    TeacherTablePanel teacherPanel;

    TimetablePanel& panel() override { return teacherPanel; }
    void setDataSet(DataSet* dataSet) override;
    bool isOn(TimetableToolStrip::Hit hit) const override;
    std::string prepareForShow() override;
    ExportOutcome runExport(int item, const std::filesystem::path& programFolder, CanvasFactory& pictures,
                            const WorkbookFactory& workbooks) override;

protected:
    bool toggle(TimetableToolStrip::Hit hit) override;
};

} // namespace tabrel
