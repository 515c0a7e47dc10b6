#pragma once
// The assignment control (任课信息): the teacher list with its scroll strip and the class × subject
// matrix, with drag and drop of names, click-to-highlight, in-place editing, the context menu and
// scrolling both ways. The core TeacherClassMatch decides; this widget draws and forwards input.
#include <QWidget>

#include "setup/TeacherClassMatch.h"
#include "views/Edit.h"

namespace tabrel {
class DataSet;
class Document;
}

class QLineEdit;
class QScrollBar;

namespace tabrel::ui {

class TeacherClassMatchCtrl : public QWidget {
    Q_OBJECT
public:
    explicit TeacherClassMatchCtrl(Document& doc, QWidget* parent = nullptr);

    TeacherClassMatch& model() { return model_; }
    void setDataSet(DataSet* dataSet);
    // Re-reads the school: lists, scroll ranges, the teachers' assigned periods.
    void refresh();
    TeacherClassMatch::Layout currentLayout() const;
    // Centre of a matrix screen cell (r, c 1-based) and of a teacher list row, in widget coordinates.
    QPoint matrixPoint(int r, int c) const;
    QPoint listPoint(int k) const;

    void copyWholeTable();
    void pasteClipboard();
    void clearSelectedCell();
    void openEditor();
    QLineEdit* editor() const { return editor_; }
    QScrollBar* horizontalBar() const { return hbar_; }
    QScrollBar* verticalBar() const { return vbar_; }

signals:
    void changed();

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void wheelEvent(QWheelEvent*) override;
    void keyPressEvent(QKeyEvent*) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void handle(const TeacherClassMatch::Result& r, const QPoint& globalPos);
    void finishEdit(bool accept);
    void syncBars();
    bool run(const char* stepUtf8, const EditFunction& edit);

    Document& doc_;
    DataSet* ds_;
    TeacherClassMatch model_;
    QScrollBar* vbar_ = nullptr;
    QScrollBar* hbar_ = nullptr;
    QLineEdit* editor_ = nullptr;
    bool syncing_ = false;
};

} // namespace tabrel::ui
