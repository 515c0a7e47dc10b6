#pragma once
// The venue page ("场室设置"), opened from the subjects panel: the venues' table (name, capacity,
// subjects), the plan rows of the chosen venue sent there as exceptions, and its week where a click
// or the space bar closes or opens a slot. Every change is one undo step through the document's
// edit door; refused input is answered in Chinese and changes nothing.
#include <QDialog>
#include <functional>
#include <string>

class QComboBox;
class QListWidget;
class QPushButton;
class QTableWidget;

namespace tabrel {
class DataSet;
class Document;
}

namespace tabrel::ui {

class VenueDlg : public QDialog {
    Q_OBJECT
public:
    VenueDlg(QWidget* parent, Document& doc);

    // Reads the venues again (after an undo, or a refused edit).
    void reload();
    int currentVenue() const;
    QTableWidget* venueTable() const { return venues_; }
    QTableWidget* slotTable() const { return slotGrid_; }
    QListWidget* planList() const { return plans_; }
    QPushButton* button(const QString& text) const;

    void addVenue();
    void removeVenue();
    void moveUp();
    void moveDown();
    void addPlan();
    void removePlan();
    void toggleSlot(int period, int day);
    void showHelp();
    // Runs one change as an undo step; a refusal is shown and the page read again.
    bool change(const char* stepName, const std::function<std::string(DataSet&)>& edit);

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    void cellEdited(int row, int column);
    void showVenue();
    Document& doc_;
    QTableWidget* venues_ = nullptr;
    QTableWidget* slotGrid_ = nullptr;
    QListWidget* plans_ = nullptr;
    QComboBox* planClass_ = nullptr;
    QComboBox* planSubject_ = nullptr;
    std::vector<QPushButton*> buttons_;
    bool filling_ = false;
};

} // namespace tabrel::ui
