#pragma once
// The subject preset window ("<subject> 课节预设"): the scope tree and the subject rule grid. After
// it closes, whichever way, `summary()` is what the subjects panel stores for the subject.
#include <QDialog>
#include <memory>

namespace tabrel {
class Document;
class SubjectRulePreset;
}

namespace tabrel::ui {

class PaikeRuleGridWnd;
class ScopeTreeWnd;

class SubjectRulePresetDlg : public QDialog {
    Q_OBJECT
public:
    SubjectRulePresetDlg(QWidget* parent, Document& doc, int subjectIndex);
    ~SubjectRulePresetDlg() override;

    // The summary of the grid as it shows now (GBK).
    std::string summary() const;
    SubjectRulePreset& model() { return *model_; }
    ScopeTreeWnd* tree() const { return tree_; }
    PaikeRuleGridWnd* gridWnd() const { return gridWnd_; }

private:
    void scopeChosen(int nodeIndex);

    Document& doc_;
    std::unique_ptr<SubjectRulePreset> model_;
    ScopeTreeWnd* tree_ = nullptr;
    PaikeRuleGridWnd* gridWnd_ = nullptr;
};

} // namespace tabrel::ui
