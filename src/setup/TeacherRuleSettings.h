#pragma once
// The two teacher rule windows the teacher page opens: the one for chosen teachers ("对 … 进行设置")
// and the several-teachers window ("预设“尽量排、一定排、不排”") with a check list of every teacher.
// Both hold the teacher rule grid and hand its summary back when they close. Texts are GBK.
#include <string>
#include <vector>

#include "setup/PaikeRuleGrid.h"

namespace tabrel {

class DataSet;

class TeacherRuleSettings {
public:
    // The window for the given teachers: "对 " + names joined by "," + " 进行设置".
    explicit TeacherRuleSettings(std::vector<std::string> teacherNames);
    // The several-teachers window: every teacher of the school in the check list, none ticked.
    explicit TeacherRuleSettings(const DataSet& ds);

    bool hasCheckList() const { return checkList_; }
    std::string title() const;
    static const std::string& checkListLabel();  // "所针对教师"
    static const std::string& multiButtonText(); // "多选◢" (it has no effect)

    // ---- the check list ----
    const std::vector<std::string>& listNames() const { return listNames_; }
    bool ticked(int index) const;
    // Ticks or unticks a name: the ticked names, in list order, become the grid's teachers.
    bool setTicked(int index, bool on);
    // "多选◢": ticks every name, or unticks them all when every name is ticked already.
    void toggleAll();
    // After the school changed behind the window: the list follows the teachers (ticks by position).
    void reload(const DataSet& ds);

    PaikeRuleGrid& grid() { return grid_; }
    const PaikeRuleGrid& grid() const { return grid_; }
    // The summary handed back when the window closes (the grid's texts re-read from storage).
    std::string summary(const DataSet& ds);

private:
    void updateSelection();

    bool checkList_ = false;
    std::vector<std::string> listNames_;
    std::vector<bool> ticks_;
    PaikeRuleGrid grid_{PaikeRuleGrid::Mode::Teacher};
};

// The windows' help page (UTF-8 HTML).
std::string teacherRuleHelpPage();

} // namespace tabrel
