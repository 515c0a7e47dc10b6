// tabrel-cli copy master1|master2|distribution and paste master1: the master timetable's
// "导出打印" text copies and "批量导入", and the master assignment table's "分布情况".
#include "cli/MasterKinds.h"

#include "data/DataSet.h"
#include "output/LoadDistribution.h"
#include "output/TotalSchedulePanel.h"
#include "output/TotalScheduleText.h"
#include "scheduling/TeacherAssignment.h"

namespace tabrel::cli {

namespace {

// The panel as showing it leaves it, then the class-selection menu's entry for the grade.
TotalSchedulePanel masterPanel(DataSet& ds, int grade, int style)
{
    ComputeAssignedPeriods(ds);
    TotalSchedulePanel panel;
    panel.prepareForShow(ds);
    if (grade >= 0)
        panel.SelectClasses(ds, grade + 1);
    panel.SetStyle(style);
    return panel;
}

} // namespace

int copyMaster1(DataSet& ds, const CopyRequest& request, std::string& text, Io)
{
    TotalSchedulePanel panel = masterPanel(ds, request.grade, 0);
    text = panel.exportText(ds);
    return ExitDone;
}

int copyMaster2(DataSet& ds, const CopyRequest& request, std::string& text, Io)
{
    TotalSchedulePanel panel = masterPanel(ds, request.grade, 1);
    text = panel.exportText(ds);
    return ExitDone;
}

int copyDistribution(DataSet& ds, const CopyRequest&, std::string& text, Io)
{
    ComputeAssignedPeriods(ds);
    text = loadDistributionText(buildLoadDistribution(ds));
    return ExitDone;
}

int pasteMaster1(DataSet& ds, const PasteRequest& request, Io)
{
    TotalSchedulePanel panel = masterPanel(ds, request.grade, 0);
    BatchImport(ds, panel.selectedClasses(ds), request.text);
    return ExitDone;
}

} // namespace tabrel::cli
