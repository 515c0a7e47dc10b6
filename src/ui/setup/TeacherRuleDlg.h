#pragma once
// The teacher rule windows the teacher page opens. TeacherRuleDlg ("对 … 进行设置") holds the teacher
// rule grid for one teacher (or the teachers chosen on the page); TeachersRuleDlg
// ("预设“尽量排、一定排、不排”") has a check list of every teacher beside the grid. After either
// closes, `summary()` is the summary of its grid (GBK) for the caller to store.
#include <QDialog>
#include <memory>
#include <string>
#include <vector>

class QListWidget;
class QListWidgetItem;

namespace tabrel {
class Document;
class TeacherRuleSettings;
}

namespace tabrel::ui {

class PaikeRuleGridWnd;

class TeacherRuleDlg : public QDialog {
    Q_OBJECT
public:
    // For the teacher at that position of the teacher list.
    TeacherRuleDlg(QWidget* parent, Document& doc, int teacherIndex);
    // For the teachers of these names (GBK), as chosen on the teacher page.
    TeacherRuleDlg(QWidget* parent, Document& doc, std::vector<std::string> teacherNames);
    ~TeacherRuleDlg() override;

    std::string summary() const;
    TeacherRuleSettings& model() { return *model_; }
    PaikeRuleGridWnd* gridWnd() const { return gridWnd_; }

private:
    void build();

    Document& doc_;
    std::unique_ptr<TeacherRuleSettings> model_;
    PaikeRuleGridWnd* gridWnd_ = nullptr;
};

class TeachersRuleDlg : public QDialog {
    Q_OBJECT
public:
    TeachersRuleDlg(QWidget* parent, Document& doc);
    ~TeachersRuleDlg() override;

    std::string summary() const;
    TeacherRuleSettings& model() { return *model_; }
    QListWidget* list() const { return list_; }
    PaikeRuleGridWnd* gridWnd() const { return gridWnd_; }

private:
    void itemChanged(QListWidgetItem* item);

    Document& doc_;
    std::unique_ptr<TeacherRuleSettings> model_;
    QListWidget* list_ = nullptr;
    PaikeRuleGridWnd* gridWnd_ = nullptr;
};

} // namespace tabrel::ui
