#pragma once
// The teacher grid (教师信息): the seven columns drawn over the teacher list, selection, in-place
// editing, the rule cell buttons, the context menu, Ctrl+V and scrolling. The core TeacherInfoGrid
// decides; this widget draws and forwards input.
#include <QWidget>
#include <functional>
#include <optional>

#include "setup/TeacherInfoGrid.h"

namespace tabrel {
class DataSet;
class Document;
}

class QLineEdit;
class QPushButton;
class QScrollBar;

namespace tabrel::ui {

class TeacherInfoGridCtrl : public QWidget {
    Q_OBJECT
public:
    explicit TeacherInfoGridCtrl(Document& doc, QWidget* parent = nullptr);

    TeacherInfoGrid& grid() { return grid_; }
    void setDataSet(DataSet* dataSet);
    // Re-reads the school (after any change, undo included); the never-empty rule applies here.
    void refresh();

    // "数据复制" and "数据粘贴" of the page and of the context menu.
    void copyWholeTable();
    void pasteClipboard();
    // Opens the in-place editor on the selected cell (columns 1 to 5).
    void openEditor();
    bool editorOpen() const;
    QLineEdit* editor() const { return editor_; }
    QPushButton* ruleButton(int i) const { return ruleButtons_[i]; }
    // Screen rectangle of a visible cell.
    QRect cellRect(int row, int column) const;

    // "设置..." for the selected teacher: returns the rule summary to store, or nothing when the
    // one-teacher rule window is not available. Set by the page.
    std::function<std::optional<std::string>(const std::string& teacherName)> openTeacherRules;

signals:
    void changed();

protected:
    bool event(QEvent*) override; // tooltips of marked cells
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void mouseDoubleClickEvent(QMouseEvent*) override;
    void wheelEvent(QWheelEvent*) override;
    void keyPressEvent(QKeyEvent*) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int count() const;
    void act(TeacherInfoGrid::Action action);
    void finishEdit(TeacherInfoGrid::EditEnd end);
    void syncScrollBar();
    void placeRuleButtons();
    void showMenu(const QPoint& globalPos);
    void runRuleDialog();
    void copySettings();
    void pasteSettings();

    Document& doc_;
    DataSet* ds_;
    TeacherInfoGrid grid_;
    QScrollBar* vbar_ = nullptr;
    QLineEdit* editor_ = nullptr;
    int editTeacher_ = -1, editColumn_ = -1;
    QPushButton* ruleButtons_[3] = {};
    bool syncing_ = false;
};

} // namespace tabrel::ui
