#include "manual/ManualSlot.h"

#include <algorithm>

#include "views/HelpPages.h"
#include "data/DataSet.h"
#include "manual/ClassTableTiaoKe.h"
#include "manual/TeacherPaike.h"
#include "manual/UnplacedReport.h"

namespace tabrel::manual {

int shownPeriods(const DataSet& ds)
{
    return ds.gridPeriods();
}

int shownDays(const DataSet& ds)
{
    return ds.gridDays();
}

ClassTable* classInListOrder(const DataSet& ds, int index)
{
    if (index < 0)
        return nullptr;
    for (const auto& g : ds.grades) {
        if (index < static_cast<int>(g->classes.size()))
            return g->classes[index].get();
        index -= static_cast<int>(g->classes.size());
    }
    return nullptr;
}

int listIndexOf(const DataSet& ds, const ClassTable* classTable)
{
    int n = 0;
    for (const auto& g : ds.grades)
        for (const auto& c : g->classes) {
            if (c.get() == classTable)
                return n;
            ++n;
        }
    return -1;
}

int classListSize(const DataSet& ds)
{
    int n = 0;
    for (const auto& g : ds.grades)
        n += static_cast<int>(g->classes.size());
    return n;
}

std::string panelHelpPage()
{
    return ClassTableTiaoKe::helpPage() + TeacherPaike::helpPage() +
           "<p>在班级排课中点击右上角的“切换到教师排课”进入教师排课，再点击“切换到班级排课”返回；"
           "两边各自保留当前的班级、教师和操作方式。</p>" +
           commonKeysHelp();
}

std::string teacherViewHelpPage()
{
    return TeacherPaike::helpPage() +
           "<p>点击右上角的“切换到班级排课”回到班级排课；两边各自保留当前的班级、教师和操作方式。</p>" +
           ClassTableTiaoKe::helpPage() + commonKeysHelp();
}

int labelIndex(char key)
{
    for (int i = 0; i < report::LabelCount; ++i)
        if (report::Labels[i] == key)
            return i;
    return -1;
}

} // namespace tabrel::manual
