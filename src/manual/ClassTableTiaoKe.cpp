#include "manual/ClassTableTiaoKe.h"

#include <algorithm>

#include "data/DataSet.h"
#include "data/Gbk.h"
#include "manual/UnplacedReport.h"
#include "scheduling/GridShape.h"
#include "scheduling/VenueUse.h"

namespace tabrel::manual {

namespace {

// The reason a candidate of the last evaluation may not be placed, "" when it may. The display text
// lets the lunch-break warning stand over a blocking reason; the choice never does, so a teacher is
// never booked twice and no "不排" rule is broken through a "√(…)" text.
std::string blockingReason(const TeachingAssignment& a)
{
    if (a.teacherNever)
        return GBK("×(本节课不排该教师)");
    if (a.subjectNever)
        return GBK("×(不排本节课)");
    if (a.clash)
        return GBK("×(重课)");
    if (a.timeMismatch)
        return GBK("×(时间不匹配)");
    return {};
}

// The candidate text test of the menu: acts only with a "√" and no "×" after its first character.
bool textActs(const std::string& text)
{
    const std::size_t cross = gbk::findText(text, GBK("×"));
    return gbk::containsText(text, GBK("√")) && (cross == std::string::npos || cross == 0);
}

} // namespace

void ClassTableTiaoKe::refresh(DataSet& ds)
{
    classCount_ = classListSize(ds);
    if (classCount_ == 0)
        current_ = -1;
    else if (current_ < 0)
        current_ = 0;
    else if (current_ >= classCount_)
        current_ = classCount_ - 1;
    menuCell_ = {};
    // A pending source stays pending (and marked) only while it is still a cell this view takes.
    if (source_.valid()) {
        LessonCell* cell = cellAt(ds, source_);
        if (sourceClass_ != current_ || !cell || cell->markFlag == 1 || commonPeriodAt(ds, source_)) {
            if (ClassTable* c = currentClass(ds))
                c->ClearMarks();
            source_ = {};
            sourceClass_ = -1;
            sourceTeacher_.clear();
            dragging_ = false;
        } else {
            currentClass(ds)->MarkSwapTargets(*cell);
            markVenueSwapTargets(ds, *currentClass(ds), *cell);
            sourceTeacher_ = ds.findTeacher(cell->teacher) ? cell->teacher : std::string();
        }
    }
    const Slot h = hovered_;
    hovered_ = {};
    lines_.clear();
    hoveredTeacher_.clear();
    if (insideGrid(ds, h))
        hover(ds, h);
}

std::vector<std::string> ClassTableTiaoKe::classNames(const DataSet& ds) const
{
    std::vector<std::string> names;
    for (const auto& g : ds.grades)
        for (const auto& c : g->classes)
            names.push_back(c->name);
    return names;
}

ClassTable* ClassTableTiaoKe::currentClass(const DataSet& ds) const
{
    return current_ < classCount_ ? classInListOrder(ds, current_) : nullptr;
}

bool ClassTableTiaoKe::showClassAt(DataSet& ds, int gradeIndex, int classIndex, Slot slot)
{
    if (!ds.classAt(gradeIndex, classIndex))
        return false;
    int index = classIndex;
    for (int g = 0; g < gradeIndex; ++g)
        index += ds.classCount(g);
    chooseClass(ds, index);
    if (slot.valid())
        hover(ds, slot);
    return current_ == index;
}

bool ClassTableTiaoKe::chooseClass(DataSet& ds, int index)
{
    if (index < 0 || index >= classCount_ || index == current_)
        return false;
    // A swap pairs two cells of one class: the source of the former class goes with its marks.
    dropSwap(ds);
    current_ = index;
    menuCell_ = {};
    hovered_ = {};
    lines_.clear();
    hoveredTeacher_.clear();
    return true;
}

std::string ClassTableTiaoKe::title(const DataSet& ds) const
{
    const ClassTable* c = currentClass(ds);
    if (!c)
        return {};
    return c->name + (gbk::containsText(c->name, GBK("班")) ? std::string() : GBK("班")) + GBK("课程表");
}

bool ClassTableTiaoKe::setMode(Mode mode)
{
    if (mode == mode_)
        return false;
    mode_ = mode;
    menuCell_ = {};
    dragging_ = false;
    return true;
}

std::string ClassTableTiaoKe::teacherButtonText() const
{
    return showsTeachers_ ? GBK("隐藏教师") : GBK("显示教师");
}

LessonCell* ClassTableTiaoKe::cellAt(const DataSet& ds, Slot s) const
{
    ClassTable* c = currentClass(ds);
    if (!c || !insideGrid(ds, s))
        return nullptr;
    return &c->cells[s.period][s.day];
}

bool ClassTableTiaoKe::commonPeriodAt(const DataSet& ds, Slot s) const
{
    const ClassTable* c = currentClass(ds);
    return c && insideGrid(ds, s) && !c->commonPeriods[s.period][s.day].empty();
}

bool ClassTableTiaoKe::refuse(std::string* why, const std::string& text) const
{
    if (why)
        *why = text;
    return false;
}

bool ClassTableTiaoKe::menuOpens(const DataSet& ds, Slot s) const
{
    const LessonCell* cell = cellAt(ds, s);
    return cell && cell->markFlag != 1 && !commonPeriodAt(ds, s);
}

std::vector<MenuEntry> ClassTableTiaoKe::placementMenu(DataSet& ds, Slot s)
{
    std::vector<MenuEntry> entries;
    if (!menuOpens(ds, s))
        return entries;
    menuCell_ = s;
    lines_.clear();
    LessonCell& cell = *cellAt(ds, s);
    if (!cell.subject.empty())
        entries.push_back({GBK("[空白]"), -1, true});
    ClassTable& c = *currentClass(ds);
    const int n = c.EvaluateSlot(cell, 0);
    markVenueCandidates(ds, c, cell);
    for (int k = 0; k < n; ++k) {
        const bool placeable = blockingReason(*c.candidates[k]).empty() && textActs(c.candidateTexts[k]);
        entries.push_back({c.candidateTexts[k], k, k < ActingMenuEntries && placeable});
    }
    return entries;
}

bool ClassTableTiaoKe::placeCandidate(DataSet& ds, Slot s, int k, std::string* why)
{
    if (!cellAt(ds, s))
        return refuse(why, "there is no such cell");
    if (!menuOpens(ds, s))
        return refuse(why, cellAt(ds, s)->markFlag == 1 ? "the cell is marked and takes no lesson"
                                                         : "the slot holds a common period");
    LessonCell& cell = *cellAt(ds, s);
    ClassTable& c = *currentClass(ds);
    const int n = c.EvaluateSlot(cell, 0);
    markVenueCandidates(ds, c, cell);
    if (k < 0 || k >= n)
        return refuse(why, "the menu has no such entry");
    if (k >= ActingMenuEntries)
        return refuse(why, "only the first 19 entries of the menu act");
    std::string reason = blockingReason(*c.candidates[k]);
    if (reason.empty() && !textActs(c.candidateTexts[k]))
        reason = c.candidateTexts[k];
    if (!reason.empty())
        return refuse(why, reason);
    // The candidate's own subject, never a text cut from the entry.
    const std::string subject = c.candidates[k]->subject;
    c.setCellSubject(cell, subject);
    ds.relinkCell(cell);
    finishEdit(ds);
    return true;
}

bool ClassTableTiaoKe::placeSubject(DataSet& ds, Slot s, const std::string& subject, std::string* why)
{
    if (!menuOpens(ds, s))
        return placeCandidate(ds, s, -1, why);
    ClassTable& c = *currentClass(ds);
    const int n = c.EvaluateSlot(*cellAt(ds, s), 0);
    markVenueCandidates(ds, c, *cellAt(ds, s));
    for (int k = 0; k < n; ++k)
        if (c.candidates[k]->subject == subject)
            return placeCandidate(ds, s, k, why);
    return refuse(why, "the menu offers no candidate of that subject");
}

bool ClassTableTiaoKe::emptyCell(DataSet& ds, Slot s, std::string* why)
{
    if (!menuOpens(ds, s))
        return placeCandidate(ds, s, -1, why);
    LessonCell& cell = *cellAt(ds, s);
    if (cell.subject.empty())
        return refuse(why, "the cell is free: the menu offers no [空白]");
    currentClass(ds)->setCellSubject(cell, "");
    ds.relinkCell(cell);
    finishEdit(ds);
    return true;
}

bool ClassTableTiaoKe::placeByKey(DataSet& ds, char key, std::string* why)
{
    const int i = labelIndex(key);
    if (i < 0)
        return refuse(why, "the key labels no candidate");
    if (mode_ != Placement)
        return refuse(why, "lessons are placed by key in placement mode");
    const LessonCell* cell = cellAt(ds, hovered_);
    if (!cell || !cell->subject.empty())
        return refuse(why, "the key places into the free cell under the mouse");
    return placeCandidate(ds, hovered_, i, why);
}

const std::string& ClassTableTiaoKe::clearQuestion()
{
    return GBK("是否真的清所有数据?");
}

bool ClassTableTiaoKe::clearClass(DataSet& ds)
{
    ClassTable* c = currentClass(ds);
    if (!c)
        return false;
    bool changed = false;
    const int T = shownPeriods(ds), D = shownDays(ds);
    for (int p = 0; p < T; ++p)
        for (int d = 0; d < D; ++d)
            changed = changed || !c->cells[p][d].subject.empty() || !c->cells[p][d].teacher.empty();
    dragX_ = dragY_ = 0;
    dropSwap(ds);
    if (!changed)
        return false;
    c->ClearAllCells();
    finishEdit(ds);
    return true;
}

std::string ClassTableTiaoKe::fixEntryText(const DataSet& ds, Slot s) const
{
    const LessonCell* cell = cellAt(ds, s);
    if (!cell || commonPeriodAt(ds, s))
        return {};
    if (cell->markFlag == 1)
        return GBK("取消固定");
    if (cell->subject.empty() || cell->subject == names::emptyMarker())
        return {};
    return GBK("固定这节课");
}

bool ClassTableTiaoKe::toggleFixed(DataSet& ds, Slot s, std::string* why)
{
    if (fixEntryText(ds, s).empty())
        return refuse(why, cellAt(ds, s) ? "only a lesson or a fixed cell can be fixed or released"
                                          : "there is no such cell");
    LessonCell& cell = *cellAt(ds, s);
    if (source_.valid() && source_ == s && sourceClass_ == current_)
        dropSwap(ds);
    cell.markFlag = cell.markFlag == 1 ? 0 : 1;
    if (source_.valid() && sourceClass_ == current_)
        currentClass(ds)->MarkSwapTargets(*cellAt(ds, source_));
    return true;
}

bool ClassTableTiaoKe::pickSwapSource(DataSet& ds, Slot s)
{
    LessonCell* cell = cellAt(ds, s);
    if (!cell || cell->markFlag == 1 || commonPeriodAt(ds, s))
        return false;
    if (source_.valid() && (source_ != s || sourceClass_ != current_))
        dropSwap(ds);
    source_ = s;
    sourceClass_ = current_;
    currentClass(ds)->MarkSwapTargets(*cell);
    markVenueSwapTargets(ds, *currentClass(ds), *cell);
    sourceTeacher_ = ds.findTeacher(cell->teacher) ? cell->teacher : std::string();
    return true;
}

std::vector<std::vector<std::string>> ClassTableTiaoKe::marks(const DataSet& ds) const
{
    std::vector<std::vector<std::string>> rows;
    const ClassTable* c = currentClass(ds);
    if (!c)
        return rows;
    const int T = shownPeriods(ds), D = shownDays(ds);
    rows.resize(T);
    for (int p = 0; p < T; ++p)
        for (int d = 0; d < D; ++d)
            rows[p].push_back(c->cells[p][d].mark);
    return rows;
}

bool ClassTableTiaoKe::dropAccepted(const DataSet& ds, Slot target, std::string* why) const
{
    if (!source_.valid() || sourceClass_ != current_)
        return refuse(why, "no swap source is picked");
    const LessonCell* cell = cellAt(ds, target);
    if (!cell)
        return refuse(why, "there is no such cell");
    const std::string& mark = cell->mark;
    if (commonPeriodAt(ds, target))
        return refuse(why, mark + " (" + currentClass(ds)->commonPeriods[target.period][target.day] + ")");
    if (mark != GBK("√") && mark != GBK("≈"))
        return refuse(why, mark);
    return true;
}

bool ClassTableTiaoKe::dropOn(DataSet& ds, Slot target, std::string* why)
{
    dragging_ = false;
    if (!dropAccepted(ds, target, why))
        return false;
    return swapCells(ds, target);
}

bool ClassTableTiaoKe::swapMenuOffered(const DataSet& ds, Slot target) const
{
    return target != source_ && dropAccepted(ds, target);
}

bool ClassTableTiaoKe::swapWith(DataSet& ds, Slot target, std::string* why)
{
    if (!dropAccepted(ds, target, why))
        return false;
    return swapCells(ds, target);
}

bool ClassTableTiaoKe::swapCells(DataSet& ds, Slot target)
{
    ClassTable& c = *currentClass(ds);
    LessonCell& a = c.cells[target.period][target.day];
    LessonCell& b = c.cells[source_.period][source_.day];
    const std::string fromSource = b.subject, fromTarget = a.subject;
    c.setCellSubject(a, fromSource);
    c.setCellSubject(b, fromTarget);
    c.ClearMarks();
    ds.relinkCell(a);
    ds.relinkCell(b);
    source_ = {};
    sourceClass_ = -1;
    sourceTeacher_.clear();
    dragging_ = false;
    finishEdit(ds);
    return true;
}

bool ClassTableTiaoKe::cancelSwap(DataSet& ds)
{
    if (!source_.valid())
        return false;
    dropSwap(ds);
    return true;
}

void ClassTableTiaoKe::dropSwap(DataSet& ds)
{
    if (source_.valid())
        if (ClassTable* c = classInListOrder(ds, sourceClass_))
            c->ClearMarks();
    source_ = {};
    sourceClass_ = -1;
    sourceTeacher_.clear();
    dragging_ = false;
}

std::vector<std::string> ClassTableTiaoKe::dragTexts(const DataSet& ds) const
{
    const LessonCell* cell = dragging() ? cellAt(ds, source_) : nullptr;
    if (!cell)
        return {};
    if (showsTeachers_)
        return {cell->subject, cell->teacher};
    return {cell->subject};
}

bool ClassTableTiaoKe::hover(DataSet& ds, Slot s)
{
    LessonCell* cell = cellAt(ds, s);
    if (!cell) {
        hoveredTeacher_.clear();
        if (!hovered_.valid())
            return false;
        hovered_ = {};
        lines_.clear();
        return true;
    }
    if (s == hovered_)
        return false;
    lines_ = report::classViewLines(*currentClass(ds), *cell, 0);
    hoveredTeacher_ = !cell->subject.empty() && ds.findTeacher(cell->teacher) ? cell->teacher : std::string();
    hovered_ = s;
    return true;
}

bool ClassTableTiaoKe::moveHover(DataSet& ds, int dPeriod, int dDay)
{
    if (!currentClass(ds) || shownPeriods(ds) == 0 || shownDays(ds) == 0)
        return false;
    Slot s{0, 0};
    if (hovered_.valid()) {
        s.period = std::clamp(hovered_.period + dPeriod, 0, shownPeriods(ds) - 1);
        s.day = std::clamp(hovered_.day + dDay, 0, shownDays(ds) - 1);
    }
    return hover(ds, s);
}

const TeacherInfoRecord* ClassTableTiaoKe::hoveredTeacher(const DataSet& ds) const
{
    return hoveredTeacher_.empty() ? nullptr : ds.findTeacher(hoveredTeacher_);
}

const TeacherInfoRecord* ClassTableTiaoKe::sourceTeacher(const DataSet& ds) const
{
    return sourceTeacher_.empty() || !source_.valid() ? nullptr : ds.findTeacher(sourceTeacher_);
}

void ClassTableTiaoKe::finishEdit(DataSet& ds)
{
    // The stored counts follow the grid at once, so the teacher view reads them exact.
    if (ClassTable* c = currentClass(ds))
        c->RecountPlaced();
    menuCell_ = {};
    const Slot h = hovered_;
    hovered_ = {};
    lines_.clear();
    hoveredTeacher_.clear();
    if (h.valid())
        hover(ds, h);
}

std::string ClassTableTiaoKe::helpPage()
{
    return "<h2>手动排课：按班级排课</h2>"
           "<p>左侧列出全校各班，点击班级或标题旁的箭头切换班级。课程表显示本班每天的每一节课，"
           "红色双线分隔上午和下午。</p>"
           "<h3>排课操作</h3>"
           "<p>点击一节课打开排课菜单：已有课程时第一项“[空白]”清空这节课；其后列出可以安排的科目，"
           "按适合程度排序，括号中是尚未安排的节数。带“×”的科目不能安排在这里（时间不匹配、教师重课、"
           "本节课不排该科目或该教师）；只有前 19 项可以选择。选择已有课程的格子中的科目会替换原来的课程。</p>"
           "<p>鼠标停在空格子上时，旁边的方框列出可排的科目，每项前有一个按键标记：按 1 … 0、q … p "
           "即可把对应科目排进鼠标所在的格子。方向键移动所指的格子。</p>"
           "<h3>调课操作</h3>"
           "<p>按住一节课（调课源）后，各格子显示提示：“√”可以交换，“≈”可以交换但不太合适，"
           "“╳”不能交换。把课拖到“√”或“≈”的格子上松开即交换两节课；也可以右键点击目标格子，选择"
           "“与这节课交换”。按 Esc 取消调课；换班级时未完成的调课自动取消。</p>"
           "<h3>其他</h3>"
           "<h3>固定课节</h3>"
           "<p>右键点击一节课（或按菜单键）选择“固定这节课”，格子中出现固定标记：固定的课不能再点击修改或调课，"
           "“重新排课”和补排、优化都不会移动它。再选“取消固定”即可恢复。</p>"
           "<p>“清空数据”在确认后清空本班全部课程（公共课和标记保留）。“显示教师”在格子中同时显示任课教师。"
           "右侧显示鼠标所指课程的教师任课信息表；调课时同时显示调课源教师的任课表，红色格子是调课源和"
           "鼠标所指的位置。每一步都可以撤销（Ctrl+Z）。</p>";
}

} // namespace tabrel::manual
