#include "manual/TeacherPaike.h"

#include <algorithm>

#include "data/DataSet.h"
#include "data/Gbk.h"
#include "manual/UnplacedReport.h"
#include "scheduling/VenueUse.h"

namespace tabrel::manual {

namespace {

const std::vector<TeacherPaike::Candidate>& noCandidates()
{
    static const std::vector<TeacherPaike::Candidate> none;
    return none;
}

} // namespace

bool TeacherPaike::refuse(std::string* why, const std::string& text) const
{
    if (why)
        *why = text;
    return false;
}

void TeacherPaike::refresh(DataSet& ds)
{
    teacherCount_ = static_cast<int>(ds.teachers.size());
    // The list follows the teacher page: the shown teacher is found again by name when it moved.
    if (current_ >= 0 && current_ < teacherCount_ && ds.teachers[current_]->name == currentName_) {
        // still in its place
    } else {
        int found = -1;
        if (!currentName_.empty())
            for (int i = 0; i < teacherCount_ && found < 0; ++i)
                if (ds.teachers[i]->name == currentName_)
                    found = i;
        if (found >= 0)
            current_ = found;
        else if (teacherCount_ == 0)
            current_ = -1;
        else
            current_ = std::clamp(current_, 0, teacherCount_ - 1);
    }
    currentName_ = current_ >= 0 ? ds.teachers[current_]->name : std::string();
    if (currentClass_ >= classListSize(ds))
        currentClass_ = -1;
    // A picked lesson stays picked (and its class marked) only while the teacher still teaches there.
    if (picked_) {
        LessonCell* lesson = lessonAt(ds, selected_);
        if (!lesson || !lesson->classTable || listIndexOf(ds, lesson->classTable) != currentClass_) {
            dropPick(ds);
            selected_ = {};
        } else {
            lesson->classTable->MarkSwapTargets(*lesson);
            markVenueSwapTargets(ds, *lesson->classTable, *lesson);
        }
    }
    if (TeacherInfoRecord* t = currentTeacher(ds))
        t->rebuildSlotTexts();
    rebuildLists(ds);
    const Slot h = hovered_;
    hovered_ = {};
    lines_.clear();
    if (mode_ == Placement && insideGrid(ds, h))
        hover(ds, h, false);
}

std::vector<std::string> TeacherPaike::teacherEntries(const DataSet& ds) const
{
    std::vector<std::string> entries;
    for (const auto& t : ds.teachers)
        entries.push_back(t->taughtSubjects + "-" + t->name);
    return entries;
}

TeacherInfoRecord* TeacherPaike::currentTeacher(const DataSet& ds) const
{
    if (current_ < 0 || current_ >= static_cast<int>(ds.teachers.size()))
        return nullptr;
    return ds.teachers[current_].get();
}

bool TeacherPaike::chooseTeacher(DataSet& ds, int index)
{
    if (index < 0 || index >= teacherCount_ || index >= static_cast<int>(ds.teachers.size()) || index == current_)
        return false;
    dropPick(ds);
    current_ = index;
    currentName_ = ds.teachers[index]->name;
    showAgain(ds);
    hovered_ = {};
    lines_.clear();
    return true;
}

std::string TeacherPaike::title(const DataSet& ds) const
{
    const TeacherInfoRecord* t = currentTeacher(ds);
    return t ? GBK("教师: ") + t->name + GBK("课程表") : std::string();
}

bool TeacherPaike::setMode(DataSet& ds, Mode mode)
{
    if (mode == mode_)
        return false;
    mode_ = mode;
    dropPick(ds);
    selected_ = {};
    return true;
}

std::string TeacherPaike::slotText(const DataSet& ds, Slot s) const
{
    const TeacherInfoRecord* t = currentTeacher(ds);
    if (!t || !insideGrid(ds, s))
        return {};
    return t->slotGradeText[s.period][s.day] + t->slotClassNumbers[s.period][s.day] + t->slotSubject[s.period][s.day];
}

bool TeacherPaike::teaches(const DataSet& ds, Slot s) const
{
    const TeacherInfoRecord* t = currentTeacher(ds);
    return t && insideGrid(ds, s) && !t->slotSubject[s.period][s.day].empty();
}

LessonCell* TeacherPaike::lessonAt(const DataSet& ds, Slot s) const
{
    if (!teaches(ds, s))
        return nullptr;
    for (LessonCell* cell : currentTeacher(ds)->lessons)
        if (cell->period == s.period && cell->day == s.day)
            return cell;
    return nullptr;
}

std::vector<TeacherPaike::Candidate> TeacherPaike::buildCandidates(const DataSet& ds, Slot s) const
{
    std::vector<Candidate> list;
    const TeacherInfoRecord* t = currentTeacher(ds);
    if (!t || !insideGrid(ds, s))
        return list;
    const bool venues = !ds.extension.venues.empty();
    const VenueMap map(ds);
    for (auto& e : report::teacherSlotEntries(*t, s.period, s.day)) {
        Candidate c{listIndexOf(ds, e.classTable), std::move(e.subject), std::move(e.text), {}};
        if (venues) {
            c.refusal = venueRefusal(FitInVenue(ds, map, *e.classTable, c.subject, s.period, s.day));
            c.text += c.refusal;
        }
        list.push_back(std::move(c));
    }
    return list;
}

void TeacherPaike::rebuildLists(DataSet& ds)
{
    for (auto& row : lists_)
        for (auto& list : row)
            list.clear();
    TeacherInfoRecord* t = currentTeacher(ds);
    if (!t)
        return;
    // The remaining counts are read from the grids as they stand.
    for (const auto& classes : t->courseClasses)
        for (ClassTable* c : classes)
            c->RecountPlaced();
    const int T = shownPeriods(ds), D = shownDays(ds);
    for (int p = 0; p < T; ++p)
        for (int d = 0; d < D; ++d)
            lists_[p][d] = buildCandidates(ds, {p, d});
}

const std::vector<TeacherPaike::Candidate>& TeacherPaike::candidates(Slot s) const
{
    if (s.period < 0 || s.period >= MaxPeriodRows || s.day < 0 || s.day >= DayColumns)
        return noCandidates();
    return lists_[s.period][s.day];
}

bool TeacherPaike::shaded(const DataSet& ds, Slot s) const
{
    if (!currentTeacher(ds) || !insideGrid(ds, s) || teaches(ds, s))
        return false;
    if (mode_ == Swap && lessonPicked()) {
        const ClassTable* c = currentClass(ds);
        return c && s != selected_ && !moveAccepted(ds, s);
    }
    // a slot whose lessons are all refused (their venue is full there) takes none either
    const auto& list = candidates(s);
    return std::none_of(list.begin(), list.end(), [](const Candidate& c) { return c.refusal.empty(); });
}

std::string TeacherPaike::swapMark(const DataSet& ds, Slot s) const
{
    if (mode_ != Swap || !lessonPicked() || !insideGrid(ds, s))
        return {};
    if (s == selected_)
        return GBK("★");
    const ClassTable* c = currentClass(ds);
    if (!c || teaches(ds, s) || !c->commonPeriods[s.period][s.day].empty())
        return {};
    return c->cells[s.period][s.day].mark;
}

std::vector<MenuEntry> TeacherPaike::placementMenu(DataSet& ds, Slot s)
{
    std::vector<MenuEntry> entries;
    if (!currentTeacher(ds) || !insideGrid(ds, s))
        return entries;
    selected_ = s;
    if (LessonCell* lesson = lessonAt(ds, s)) {
        currentClass_ = listIndexOf(ds, lesson->classTable);
        entries.push_back({GBK("[空白]"), -1, true});
        return entries;
    }
    if (teaches(ds, s))
        return entries;
    const auto list = buildCandidates(ds, s);
    for (std::size_t k = 0; k < list.size(); ++k)
        entries.push_back({list[k].text, static_cast<int>(k),
                           static_cast<int>(k) < ActingMenuEntries && list[k].refusal.empty()});
    if (!entries.empty())
        lines_.clear();
    return entries;
}

bool TeacherPaike::placeCandidate(DataSet& ds, Slot s, int k, std::string* why)
{
    TeacherInfoRecord* t = currentTeacher(ds);
    if (!t)
        return refuse(why, "there is no teacher");
    if (!insideGrid(ds, s))
        return refuse(why, "there is no such slot");
    if (teaches(ds, s))
        return refuse(why, "the teacher already teaches in that slot");
    const auto list = buildCandidates(ds, s);
    if (k < 0 || k >= static_cast<int>(list.size()))
        return refuse(why, "the menu has no such entry");
    if (k >= ActingMenuEntries)
        return refuse(why, "only the first 19 entries of the menu act");
    if (!list[k].refusal.empty())
        return refuse(why, list[k].text);
    ClassTable* c = classInListOrder(ds, list[k].classIndex);
    if (!c)
        return refuse(why, "the class is gone");
    LessonCell& cell = c->cells[s.period][s.day];
    c->setCellSubject(cell, list[k].subject);
    ds.relinkCell(cell);
    c->RecountPlaced();
    t->rebuildSlotTexts();
    showAgain(ds);
    return true;
}

bool TeacherPaike::placeSubject(DataSet& ds, Slot s, const std::string& subject, int classIndex, std::string* why)
{
    if (!currentTeacher(ds) || !insideGrid(ds, s) || teaches(ds, s))
        return placeCandidate(ds, s, -1, why);
    const auto list = buildCandidates(ds, s);
    for (std::size_t k = 0; k < list.size(); ++k)
        if (list[k].subject == subject && (classIndex < 0 || list[k].classIndex == classIndex))
            return placeCandidate(ds, s, static_cast<int>(k), why);
    return refuse(why, "the menu offers no such lesson");
}

bool TeacherPaike::emptySlot(DataSet& ds, Slot s, std::string* why)
{
    TeacherInfoRecord* t = currentTeacher(ds);
    LessonCell* lesson = lessonAt(ds, s);
    if (!t || !lesson || !lesson->classTable)
        return refuse(why, "the teacher has no lesson there: the menu offers no [空白]");
    ClassTable& c = *lesson->classTable;
    c.setCellSubject(*lesson, "");
    ds.relinkCell(*lesson);
    c.RecountPlaced();
    t->rebuildSlotTexts();
    showAgain(ds);
    return true;
}

bool TeacherPaike::placeByKey(DataSet& ds, char key, std::string* why)
{
    const int i = labelIndex(key);
    if (i < 0)
        return refuse(why, "the key labels no candidate");
    if (mode_ != Placement)
        return refuse(why, "lessons are placed by key in placement mode");
    if (!hovered_.valid() || teaches(ds, hovered_))
        return refuse(why, "the key places into the free slot under the mouse");
    const Slot s = hovered_;
    if (!placeCandidate(ds, s, i, why))
        return false;
    hover(ds, s, false);
    return true;
}

bool TeacherPaike::clearTeacher(DataSet& ds)
{
    TeacherInfoRecord* t = currentTeacher(ds);
    if (!t)
        return false;
    dropPick(ds);
    const int T = shownPeriods(ds), D = shownDays(ds);
    std::vector<LessonCell*> cells;
    for (LessonCell* cell : t->lessons)
        if (cell->period < T && cell->day < D && cell->classTable)
            cells.push_back(cell);
    for (LessonCell* cell : cells) {
        cell->classTable->setCellSubject(*cell, "");
        ds.relinkCell(*cell);
    }
    for (LessonCell* cell : cells)
        cell->classTable->RecountPlaced();
    t->rebuildSlotTexts();
    showAgain(ds);
    return !cells.empty();
}

bool TeacherPaike::pickLesson(DataSet& ds, Slot s)
{
    if (!currentTeacher(ds) || !insideGrid(ds, s))
        return false;
    dropPick(ds);
    selected_ = s;
    LessonCell* lesson = lessonAt(ds, s);
    if (!lesson || !lesson->classTable) {
        selected_ = {};
        currentClass_ = -1;
        return false;
    }
    ClassTable& c = *lesson->classTable;
    currentClass_ = listIndexOf(ds, &c);
    c.MarkSwapTargets(*lesson);
    markVenueSwapTargets(ds, c, *lesson);
    picked_ = true;
    dragText_ = c.name + lesson->subject;
    return true;
}

bool TeacherPaike::moveAccepted(const DataSet& ds, Slot target, std::string* why) const
{
    if (!lessonPicked())
        return refuse(why, "no lesson is picked");
    const ClassTable* c = currentClass(ds);
    if (!c || !insideGrid(ds, target))
        return refuse(why, "there is no such slot");
    // Every refusal of a target names the mark the view shows there, then the reason.
    const std::string& mark = target == selected_ ? GBK("★") : c->cells[target.period][target.day].mark;
    auto refuseAs = [&](const std::string& reason) { return refuse(why, mark + " (" + reason + ")"); };
    if (target == selected_)
        return refuseAs("the picked lesson's own slot");
    if (teaches(ds, target))
        return refuseAs("the teacher already teaches in that slot");
    if (mark == GBK("╳"))
        return refuseAs("the lessons cannot change places");
    // No lesson ever lands on a slot that holds a common period in the class.
    const std::string& targetCommon = c->commonPeriods[target.period][target.day];
    if (!targetCommon.empty())
        return refuseAs(targetCommon);
    // A lesson standing on a common period may leave it for a free slot of its class; a lesson there
    // would come back onto the common period.
    const std::string& sourceCommon = c->commonPeriods[selected_.period][selected_.day];
    if (!sourceCommon.empty() && !c->cells[target.period][target.day].subject.empty())
        return refuseAs(c->cells[target.period][target.day].subject + " would come back onto " + sourceCommon);
    return true;
}

bool TeacherPaike::dropOn(DataSet& ds, Slot target, std::string* why)
{
    if (dragText_.empty())
        return refuse(why, "no lesson is dragged");
    if (!moveAccepted(ds, target, why)) {
        dragText_.clear();
        return false;
    }
    return moveLesson(ds, target);
}

bool TeacherPaike::swapWith(DataSet& ds, Slot target, std::string* why)
{
    if (!moveAccepted(ds, target, why))
        return false;
    return moveLesson(ds, target);
}

bool TeacherPaike::moveLesson(DataSet& ds, Slot target)
{
    ClassTable& c = *currentClass(ds);
    LessonCell& a = c.cells[target.period][target.day];
    LessonCell& b = c.cells[selected_.period][selected_.day];
    const std::string fromPicked = b.subject, fromTarget = a.subject;
    c.setCellSubject(a, fromPicked);
    c.setCellSubject(b, fromTarget);
    c.ClearMarks();
    ds.relinkCell(a);
    ds.relinkCell(b);
    picked_ = false;
    dragText_.clear();
    dragX_ = dragY_ = 0;
    c.RecountPlaced();
    if (TeacherInfoRecord* t = currentTeacher(ds))
        t->rebuildSlotTexts();
    showAgain(ds);
    otherTeacher_.clear();
    return true;
}

bool TeacherPaike::cancelSwap(DataSet& ds)
{
    if (!lessonPicked())
        return false;
    dropPick(ds);
    selected_ = {};
    currentClass_ = -1;
    return true;
}

void TeacherPaike::dropPick(DataSet& ds)
{
    // The marks of a picked lesson's class go with the pick, so no other view shows stale hints.
    if (picked_)
        if (ClassTable* c = currentClass(ds))
            c->ClearMarks();
    picked_ = false;
    dragText_.clear();
    otherTeacher_.clear();
}

void TeacherPaike::showAgain(DataSet& ds)
{
    selected_ = {};
    currentClass_ = -1;
    if (TeacherInfoRecord* t = currentTeacher(ds))
        t->rebuildSlotTexts();
    rebuildLists(ds);
}

bool TeacherPaike::hover(DataSet& ds, Slot s, bool buttonHeld)
{
    if (!currentTeacher(ds))
        return false;
    if (!insideGrid(ds, s))
        s = {};
    if (mode_ == Placement) {
        if (buttonHeld)
            return false;
        if (!s.valid()) {
            if (!hovered_.valid())
                return false;
            lines_.clear();
            hovered_ = {};
            currentClass_ = -1;
            return true;
        }
        if (s == hovered_)
            return false;
        hovered_ = s;
        lines_.clear();
        if (LessonCell* lesson = lessonAt(ds, s))
            currentClass_ = listIndexOf(ds, lesson->classTable);
        else {
            currentClass_ = -1;
            std::vector<std::string> texts;
            for (const Candidate& c : candidates(s))
                texts.push_back(c.text);
            lines_ = report::teacherViewLines(texts);
        }
        return true;
    }
    // Swap mode.
    const bool changed = s != hovered_;
    hovered_ = s;
    if (!lessonPicked()) {
        const LessonCell* lesson = lessonAt(ds, s);
        currentClass_ = lesson ? listIndexOf(ds, lesson->classTable) : -1;
        return changed;
    }
    if (!buttonHeld)
        dragText_.clear();
    otherTeacher_.clear();
    if (const ClassTable* c = currentClass(ds); c && s.valid()) {
        const std::string& name = c->cells[s.period][s.day].teacher;
        const TeacherInfoRecord* t = ds.findTeacher(name);
        if (t && t != currentTeacher(ds))
            otherTeacher_ = name;
    }
    return true;
}

bool TeacherPaike::moveHover(DataSet& ds, int dPeriod, int dDay)
{
    if (!currentTeacher(ds) || shownPeriods(ds) == 0 || shownDays(ds) == 0)
        return false;
    Slot s{0, 0};
    if (hovered_.valid()) {
        s.period = std::clamp(hovered_.period + dPeriod, 0, shownPeriods(ds) - 1);
        s.day = std::clamp(hovered_.day + dDay, 0, shownDays(ds) - 1);
    }
    return hover(ds, s, false);
}

ClassTable* TeacherPaike::currentClass(const DataSet& ds) const
{
    return classInListOrder(ds, currentClass_);
}

const TeacherInfoRecord* TeacherPaike::otherTeacher(const DataSet& ds) const
{
    return otherTeacher_.empty() || !lessonPicked() ? nullptr : ds.findTeacher(otherTeacher_);
}

std::string TeacherPaike::helpPage()
{
    return "<h2>手动排课：按教师排课</h2>"
           "<p>左侧列出全部教师（任教科目-姓名），点击教师或标题旁的箭头切换教师。中间是该教师一周的课，"
           "每格显示年级、班号和科目；灰色格子表示这位教师的课都不能排在那里。右侧显示鼠标所指课程的"
           "班级课程表。</p>"
           "<h3>排课操作</h3>"
           "<p>点击一个空闲的格子，菜单列出这位教师可以排在这里的班级和科目及尚未安排的节数；只有前 19 项"
           "可以选择。点击已有课的格子只提供“[空白]”，清空这节课。鼠标停在空格子上时方框列出候选，"
           "按 1 … 0、q … p 即可排入对应的课；方向键移动所指的格子。</p>"
           "<h3>调课操作</h3>"
           "<p>按住这位教师的一节课，拖到本班另一个时间（这位教师在那里没有课）松开，两节课互换位置；"
           "也可以右键点击目标格子选择“与这节课交换”。格子中的“√”“≈”“╳”是提示，“╳”和班级公共课的"
           "时间不能交换。调课时右上方显示目标位置那节课的任课教师的课表。按 Esc 取消。</p>"
           "<h3>其他</h3>"
           "<p>“清空数据”在确认后清空这位教师的全部课。每一步都可以撤销（Ctrl+Z）。</p>";
}

} // namespace tabrel::manual
