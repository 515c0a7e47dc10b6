#include "ui/app/PanelWindows.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "app/Application.h"
#include "app/Document.h"
#include "ui/manual/PaikeTiaokeWnd.h"
#include "ui/output/TeacherTeachFrame.h"
#include "ui/output/TimetableFrameWnd.h"
#include "ui/output/TotalScheduleWnd.h"
#include "ui/output/VenueTimetableWnd.h"
#include "ui/scheduling/PaikeRunWnd.h"
#include "ui/setup/ClassGridDefWnd.h"
#include "ui/setup/ClassManageWnd.h"
#include "ui/setup/KmSetWnd.h"
#include "ui/setup/TeacherClassMatchWnd.h"
#include "ui/setup/TeacherInfoWnd.h"
#include "ui/setup/TeacherRuleDlg.h"
#include "ui/term/TermWnd.h"

namespace tabrel::ui {

namespace {

PanelWindow* teachersPage(Application&, Document& doc)
{
    auto* w = new TeacherInfoWnd(doc);
    // "设置..." and "多人同时设置" open the slot-rule windows of the subjects' rules.
    w->setRuleWindows(
        [&doc](QWidget* parent, DataSet&, const std::string& name) -> std::optional<std::string> {
            TeacherRuleDlg dlg(parent, doc, std::vector<std::string>{name});
            dlg.exec();
            return dlg.summary();
        },
        [&doc](QWidget* parent, DataSet&) {
            TeachersRuleDlg dlg(parent, doc);
            dlg.exec();
        });
    return w;
}

struct PanelWindowRow {
    PanelId id;
    PanelWindow* (*make)(Application& app, Document& doc);
};

const PanelWindowRow Rows[] = {
    {PanelId::ClassManage, [](Application&, Document& doc) -> PanelWindow* { return new ClassManageWnd(doc); }},
    {PanelId::TimeGrid, [](Application&, Document& doc) -> PanelWindow* { return new ClassGridDefWnd(doc); }},
    {PanelId::Subjects, [](Application&, Document& doc) -> PanelWindow* { return new KmSetWnd(doc); }},
    {PanelId::Teachers, teachersPage},
    {PanelId::Assignments, [](Application&, Document& doc) -> PanelWindow* { return new TeacherClassMatchWnd(doc); }},
    {PanelId::ManualPaike, [](Application&, Document& doc) -> PanelWindow* { return new PaikeTiaokeWnd(doc); }},
    {PanelId::AutoPaike,
     [](Application& app, Document& doc) -> PanelWindow* { return new PaikeRunWnd(doc, app.scheduling); }},
    {PanelId::ClassTimetable,
     [](Application& app, Document& doc) -> PanelWindow* { return new ClassTableFrame(&doc.dataSet(), app); }},
    {PanelId::TeacherTimetable,
     [](Application& app, Document& doc) -> PanelWindow* { return new TeacherTableFrame(&doc.dataSet(), app); }},
    {PanelId::MasterTimetable,
     [](Application& app, Document& doc) -> PanelWindow* { return new TotalScheduleWnd(doc, app); }},
    {PanelId::MasterAssignment,
     [](Application&, Document& doc) -> PanelWindow* { return new TeacherTeachFrame(&doc.dataSet()); }},
    {PanelId::VenueTimetable, [](Application&, Document& doc) -> PanelWindow* { return new VenueTimetableWnd(doc); }},
    {PanelId::Term, [](Application&, Document& doc) -> PanelWindow* { return new TermWnd(doc); }},
};
static_assert(std::size(Rows) == PanelCount, "one window row per panel");

} // namespace

PanelWindow* makePanelWindow(PanelId id, Application& app, Document& doc)
{
    for (const PanelWindowRow& row : Rows)
        if (row.id == id)
            return row.make(app, doc);
    return nullptr;
}

} // namespace tabrel::ui
