#pragma once
// The subject preset window ("<subject> 课节预设"): the scope tree and the subject rule grid. After
// it closes, whichever way, `summary()` is what the subjects panel stores for the subject.
#include <QDialog>
#include <memory>

class QTreeWidget;

namespace tabrel {
class Document;
class SubjectRulePreset;
}

namespace tabrel::ui {

class PaikeRuleGridWnd;

class SubjectRulePresetDlg : public QDialog {
    Q_OBJECT
public:
    SubjectRulePresetDlg(QWidget* parent, Document& doc, int subjectIndex);
    ~SubjectRulePresetDlg() override;

    // The summary of the grid as it shows now (GBK).
    std::string summary() const;
    SubjectRulePreset& model() { return *model_; }
    QTreeWidget* tree() const { return tree_; }
    PaikeRuleGridWnd* gridWnd() const { return gridWnd_; }

private:
    void scopeChosen();

    Document& doc_;
    std::unique_ptr<SubjectRulePreset> model_;
    QTreeWidget* tree_ = nullptr;
    PaikeRuleGridWnd* gridWnd_ = nullptr;
};

} // namespace tabrel::ui
