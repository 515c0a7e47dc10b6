#pragma once
// The venue timetable panel ("场室课程表"): on the left the venues (全部场室 and each venue), on the
// right every chosen venue's week as the core draws it (who uses the venue in each slot, the load
// against the capacity, over-capacity in red, free places in green, closed slots in grey), and a
// tool strip to export a workbook, pictures or a PDF, print, and copy the timetables as text.
#include <QWidget>
#include <vector>

#include "output/VenueTimetable.h"
#include "ui/widgets/PanelWindow.h"

class QLabel;
class QPushButton;
class QScrollArea;
class QTreeWidget;

namespace tabrel {
class Document;
}

namespace tabrel::ui {

class VenueSheetView;

class VenueTimetableWnd : public PanelWindow {
    Q_OBJECT
public:
    explicit VenueTimetableWnd(Document& doc, QWidget* parent = nullptr);
    void beforeShow(bool) override { refresh(); }
    void afterSchoolChange() override { refresh(); }
    void schoolReplaced(DataSet&) override { refresh(); }

    // Reads the school's venues and their use again.
    void refresh();
    // -1 shows every venue.
    void selectVenue(int venue);
    int selectedVenue() const { return selected_; }
    const std::vector<VenueTimetable>& tables() const { return tables_; }
    QPushButton* button(const QString& text) const;

    void exportWorkbook();
    void exportPictures();
    void exportPdfFile();
    void print();
    void copyText();
    void showHelp();

protected:
    void resizeEvent(QResizeEvent*) override;
    void keyPressEvent(QKeyEvent*) override;

private:
    std::vector<VenueTimetable> shown() const;
    Document& doc_;
    QTreeWidget* tree_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    VenueSheetView* view_ = nullptr;
    QLabel* summary_ = nullptr;
    QWidget* strip_ = nullptr;
    std::vector<QPushButton*> buttons_;
    std::vector<VenueTimetable> tables_;
    int selected_ = -1;
    bool filling_ = false;
};

} // namespace tabrel::ui
