#pragma once
// The subjects grid on screen: paints the KmGrid, scrolls it with a vertical scroll bar and the
// wheel, opens the in-place editor on the cells that have one, and reports the rule buttons.
#include <QWidget>

class QLineEdit;
class QScrollBar;

namespace tabrel {
class Document;
class KmGrid;
}

namespace tabrel::ui {

class KmGridCtrl : public QWidget {
    Q_OBJECT
public:
    KmGridCtrl(Document& doc, KmGrid& grid, QWidget* parent = nullptr);
    // After the school changed: the grid keeps its selection inside the list and repaints.
    void reload();
    QLineEdit* editor() const { return editor_; }
    QScrollBar* scrollBar() const { return bar_; }
    // Opens the in-place editor on the selected cell when it has one.
    // Delete/Backspace on a lesson count or a limit: empties it (one step); false elsewhere.
    bool clearSelectedNumber();
    void openEditor();
    // Closes the editor, storing its text when `keep`.
    void closeEditor(bool keep);

signals:
    // The window runs these: the preset window, the settings clipboard, the toggle.
    void presetRequested();
    void copyRequested();
    void pasteRequested();
    void toggleRequested();
    // A cell's text was stored.
    void edited();

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void mouseDoubleClickEvent(QMouseEvent*) override;
    void wheelEvent(QWheelEvent*) override;
    void keyPressEvent(QKeyEvent*) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void act(int action);
    void syncScrollBar();

    Document& doc_;
    KmGrid& grid_;
    QScrollBar* bar_ = nullptr;
    QLineEdit* editor_ = nullptr;
    int editSubject_ = -1, editColumn_ = -1;
    bool syncing_ = false;
};

} // namespace tabrel::ui
