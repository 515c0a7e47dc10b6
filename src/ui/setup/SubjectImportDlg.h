#pragma once
// The quick-import dialog of the subjects panel ("按要求将数据从EXCEL或WPS中复制到下面表格中"): an
// editable grid into which spreadsheet text is pasted (Ctrl+V or the button), "确定" and "取消".
#include <QDialog>
#include <memory>

namespace tabrel {
class Document;
class SubjectQuickImport;
}

namespace tabrel::ui {

class GridCtrl;

class SubjectImportDlg : public QDialog {
    Q_OBJECT
public:
    SubjectImportDlg(QWidget* parent, Document& doc);
    ~SubjectImportDlg() override;

    SubjectQuickImport& model() { return *model_; }
    GridCtrl* grid() const { return grid_; }
    // Pastes the clipboard text at the current cell (the first data cell when none).
    void pasteClipboard();
    // "确定": replaces the catalogue as one step, or says "请复制数据后，再确定" and stays open.
    void accept() override;

protected:
    void resizeEvent(QResizeEvent*) override;
    void showEvent(QShowEvent*) override;

private:
    void fitColumns();

    Document& doc_;
    std::unique_ptr<SubjectQuickImport> model_;
    GridCtrl* grid_ = nullptr;
};

} // namespace tabrel::ui
