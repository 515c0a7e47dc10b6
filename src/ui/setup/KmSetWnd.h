#pragma once
// The subjects panel ("科目管理"): the subjects grid and its buttons "添加科目", "删除科目",
// "上移一行", "下移一行", "快速导入", "场室设置" (the venue page) and "帮助". The rule buttons of the grid open the preset
// window and run the settings clipboard.
#include <QWidget>

#include "setup/KmGrid.h"
#include "ui/widgets/PanelWindow.h"

class QPushButton;

namespace tabrel {
class Document;
}

namespace tabrel::ui {

class KmGridCtrl;

class KmSetWnd : public PanelWindow {
    Q_OBJECT
public:
    KmSetWnd(Document& doc, QWidget* parent = nullptr);
    void beforeShow(bool) override { reload(); }
    void schoolReplaced(DataSet& dataSet) override;

    KmGrid& model() { return grid_; }
    KmGridCtrl* gridCtrl() const { return ctrl_; }
    // Before the panel is shown, and after the school changed: the grid re-reads the school.
    void reload();
    QPushButton* button(const QString& text) const;

    void addSubject();
    void deleteSubject();
    void moveUp();
    void moveDown();
    void quickImport();
    void openPreset();
    void copySettings();
    void pasteSettings();
    void toggleProgress();
    // "场室设置": the venue page (rooms and grounds the subjects share).
    void openVenues();
    void showHelp();

signals:
    // The school changed through this panel.
    void changed();

protected:
    void resizeEvent(QResizeEvent*) override;
    void keyPressEvent(QKeyEvent*) override;

private:
    void edit(const char* stepName, const std::function<bool(DataSet&)>& edit);

    Document& doc_;
    KmGrid grid_;
    KmGridCtrl* ctrl_ = nullptr;
    std::vector<QPushButton*> buttons_;
};

} // namespace tabrel::ui
