#include "app/PaikeRunPage.h"

#include <algorithm>

#include "views/HelpPages.h"
#include "data/DataSet.h"
#include "data/Gbk.h"

namespace tabrel {

PaikeRunPage::PaikeRunPage(DataSet& dataSet, SchedulingState& state)
    : dataSet_(&dataSet), state_(state), run_(std::make_unique<AutoRun>(dataSet, state))
{
}

void PaikeRunPage::setDataSet(DataSet& dataSet)
{
    dataSet_ = &dataSet;
    run_ = std::make_unique<AutoRun>(dataSet, state_);
    tree_ = ScopeTree();
    selected_ = -1;
    lastResults_.clear();
}

bool PaikeRunPage::refreshTree()
{
    const bool hadSelection = selected_ >= 0 && selected_ < static_cast<int>(tree_.nodes().size());
    const Node previous = hadSelection ? tree_.nodes()[selected_] : Node{};
    if (!tree_.rebuild(*dataSet_))
        return false;
    const int keep = hadSelection ? tree_.find(previous) : -1;
    select(keep >= 0 ? keep : 0);
    return true;
}

std::string PaikeRunPage::select(int nodeIndex)
{
    selected_ = nodeIndex;
    int ok = 0;
    if (nodeIndex >= 0 && nodeIndex < static_cast<int>(tree_.nodes().size())) {
        const Node& n = tree_.nodes()[nodeIndex];
        switch (n.kind) {
        case Node::Kind::School: ok = run_->SelectSchool(); break;
        case Node::Kind::Grade: ok = run_->SelectGrade(n.gradeIndex); break;
        case Node::Kind::Class: ok = run_->SelectClass(n.gradeIndex, n.classIndex); break;
        }
    } else {
        run_->ClearSelection();
    }
    return ok ? std::string() : AutoRun::SelectionErrorMessage();
}

std::string PaikeRunPage::start(ProgressSink* sink, ProgressSink* completionSink, const std::atomic<bool>* stop)
{
    run_->completeAfterSearch = completeAfterRun_;
    run_->optimizeAfterSearch = completeAfterRun_;
    run_->completionSink = completionSink;
    run_->stopFlag = stop;
    lastResults_ = run_->Start(sink);
    completionRan_ = completeAfterRun_ && run_->scope() != AutoRun::Scope::None;
    lastCompletion_ = run_->lastCompletion();
    run_->completionSink = nullptr;
    run_->stopFlag = nullptr;
    return AutoRun::EndMessage();
}

std::string PaikeRunPage::completeCheckText()
{
    return GBK("补排、修正冲突并优化（推荐）");
}

bool PaikeRunPage::everyLessonPlaced() const
{
    int required = 0;
    for (const ClassTable* c : run_->classList()) {
        if (c->placedLessonCount() < c->requiredLessonCount())
            return false;
        required += c->requiredLessonCount();
    }
    return required > 0;
}

std::string PaikeRunPage::rerunQuestion()
{
    return GBK("所选范围的课程已经全部排好。\n\n是否重新排课？重新排课会先清除所选范围内各班的全部课程，"
               "再重新自动排课；只有固定的课节（课表中带固定标记的课节）保持不动。\n"
               "要保留某节课，请先在“手动排课”的按班级排课中右键单击这节课，选择“固定这节课”。\n"
               "重新排课后可以用 Ctrl+Z 一步撤销。");
}

int PaikeRunPage::clearForRerun()
{
    const int periods = std::clamp(dataSet_->periodsPerDay(), 0, MaxPeriodRows);
    const int days = std::clamp(dataSet_->dayCount(), 0, DayColumns);
    int cleared = 0;
    for (ClassTable* c : run_->classList())
        for (int p = 0; p < periods; ++p)
            for (int d = 0; d < days; ++d) {
                LessonCell& cell = c->cells[p][d];
                if (cell.markFlag == 1 || cell.subject.empty())
                    continue;
                c->setCellSubject(cell, std::string());
                dataSet_->relinkCell(cell);
                ++cleared;
            }
    for (ClassTable* c : run_->classList())
        c->RecountPlaced();
    return cleared;
}

QualityReport PaikeRunPage::quality() const
{
    const auto& list = run_->classList();
    return MeasureQuality(*dataSet_, std::vector<const ClassTable*>(list.begin(), list.end()));
}

std::string PaikeRunPage::qualityText(const QualityReport& q)
{
    return GBK("质量：空节 ") + gbk::formatInt(q.holes) + GBK("，同日重复 ") + gbk::formatInt(q.repeats) +
           GBK("，尽量排未排 ") + gbk::formatInt(q.preferMissed) + GBK("，课时偏少的天 ") + gbk::formatInt(q.shortDays) +
           GBK("，教师课间空闲 ") + gbk::formatInt(q.teacherGaps) + GBK("；评分 ") +
           gbk::formatInt(static_cast<int>(std::min<long long>(q.score, INT32_MAX))) + GBK("（越低越好）");
}

std::vector<std::string> PaikeRunPage::qualityColumns()
{
    return {GBK("每天课时"), GBK("空节"), GBK("同日重复"), GBK("尽量排未排")};
}

std::vector<std::string> PaikeRunPage::qualityRow(const ClassQuality& c)
{
    std::string days;
    for (int n : c.lessonsPerDay)
        days += (days.empty() ? "" : " ") + gbk::formatInt(n);
    return {days, gbk::formatInt(c.holes), gbk::formatInt(c.repeats), gbk::formatInt(c.preferMissed)};
}

std::string PaikeRunPage::completionText() const
{
    if (!completionRan_)
        return {};
    const CompletionResult& r = lastCompletion_;
    std::string text = GBK("补排并修正：排课后 ") + gbk::formatInt(r.problemsBefore) + GBK(" 个问题，现在 ") +
                       gbk::formatInt(r.problemsAfter) + GBK(" 个");
    if (r.stopped)
        text += GBK("（已停止）");
    else if (r.problemsAfter > 0)
        text += GBK("（其余的在限定的工作量内无法解决）");
    const QualityResult& q = run_->lastQuality();
    if (q.moves > 0 || q.kept)
        text += GBK("；优化：评分 ") + gbk::formatInt(q.scoreBefore) + " -> " + gbk::formatInt(q.scoreAfter) +
                (q.stopped ? GBK("（已停止）") : std::string());
    return text;
}

std::vector<TimetableProblem> PaikeRunPage::problems() const
{
    const auto& list = run_->classList();
    return CheckTimetable(*dataSet_, std::vector<const ClassTable*>(list.begin(), list.end()));
}

std::string PaikeRunPage::problemCountText(std::size_t count)
{
    if (count == 0)
        return GBK("排课检查：没有发现问题");
    return GBK("排课检查：共 ") + gbk::formatInt(static_cast<int>(std::min<std::size_t>(count, INT32_MAX))) +
           GBK(" 个问题");
}

std::vector<std::string> PaikeRunPage::problemColumns()
{
    return {GBK("班级"), GBK("时间"), GBK("问题"), GBK("科目"), GBK("教师"), GBK("节数")};
}

std::vector<std::string> PaikeRunPage::problemRow(const TimetableProblem& p) const
{
    return {p.className, problemSlotText(*dataSet_, p), problemKindText(p.kind), p.subject, p.teacher,
            p.counted() ? gbk::formatInt(p.count) : std::string()};
}

std::string PaikeRunPage::helpPage()
{
    return "<h2>自动排课</h2>"
           "<p>在左边的树中选择范围：“全校”、一个年级或一个班级，然后按“开始排课”。程序逐天、逐班、逐节地"
           "为每个空课节选出最合适的科目；已经排好的课保持不动。全校排课时各年级依次排，"
           "后排的年级会避开先排年级已占用的教师。进度条显示排课进度，结束时提示“auto paike end”。</p>"
           "<p>右边上方的表列出所选范围每个班已排和应排的课时，红色表示还有课没有排上，"
           "可以在“手动排课”中补排。</p>"
           "<p>自动排课需要先保存数据文件、再打开它。整个排课（包括补排和修正）可以用 Ctrl+Z 一步撤销。</p>"
           "<h3>排课检查</h3>"
           "<p>每次排课后，下方的“排课检查”列出所选范围课表中的全部问题：课程不在它的时间段（早读、白天、晚上），"
           "教师同一节在两个班上课，科目或教师在设为“不排”的节次上课，课程占用公共时段，"
           "同一节同一科目的班级数超过“场室限制”，科目超过计划课时，以及尚未排完的课时。"
           "教师“专门人”、没有教师的课程，以及早读、晚上时段的早/晚课程不算教师重课。</p>"
           "<h3>补排、修正冲突并优化（推荐）</h3>"
           "<p>勾选后（新用户默认勾选），排课结束时程序会继续移动和补排所选范围的课程，直到没有未排的课时、"
           "检查不再发现问题，或者用完限定的工作量为止；然后再优化课表：每班每天的课时尽量均匀，"
           "空着的课节放在一天的最后，不在两节课之间留空（午休前后也算），同一科目分散到一周各天"
           "（计划中的连堂排在同一个时段内相邻的两节），“一定排”的课节一定排上该科目，“尽量排”的课节尽量排上，"
           "教师两节课之间的空闲尽量少。优化从不增加检查发现的问题，同样的数据总得到同样的课表。"
           "排课前已经在课表中的课程（包括手工排好的）保持原位。进行时会出现进度窗口，按“停止”可以提前结束，"
           "保留目前找到的最好课表。此选项会被记住；不勾选时排课结果与以往完全相同。</p>"
           "<h3>课表质量</h3>"
           "<p>上方的表在每个班后面列出每天的课时、空节（同一天两节课之间空着的普通课节）、同日重复"
           "（一门课一天超过应有节数的课时）和没有排上的“尽量排”课节；表上方一行给出合计、"
           "教师两节课之间的空闲节数和一个评分（越低越好）。</p>"
           "<h3>重新排课</h3>"
           "<p>所选范围的课程已经全部排好时，“开始排课”会先询问是否重新排课：确定后清除所选范围内各班的全部课程"
           "（带固定标记的课节除外），再重新自动排课。整个重新排课可以用 Ctrl+Z 一步撤销。"
           "要保留某节课，先在“手动排课”的按班级排课中右键单击它，选择“固定这节课”。</p>"
           "<p>科目的“场室限制”（同科上限）大于 0 时，补排保证同一节全校最多这么多个班上这门课，"
           "例如只有一个电脑室时把“信息技术”设为 1。</p>" +
           commonKeysHelp();
}

std::vector<PaikeRunPage::ClassSummary> PaikeRunPage::summary() const
{
    std::vector<ClassSummary> out;
    const DataSet& ds = *dataSet_;
    for (const ClassTable* c : run_->classList()) {
        ClassSummary s;
        s.gradeName = c->gradeName;
        const int g = ds.gradeIndexOf(c);
        if (g >= 0)
            s.gradeName = ds.gradeNames[g];
        s.className = c->name;
        s.placed = c->placedLessonCount();
        s.required = c->requiredLessonCount();
        out.push_back(s);
    }
    return out;
}

PaikeRunPage::Geometry PaikeRunPage::layout(int width, int height, int buttonWidth, int buttonHeight, int checkWidth)
{
    Geometry g;
    const int left = buttonHeight / 2;
    const int top = buttonHeight / 2;
    g.button = Rect{left, top, left + buttonWidth, top + buttonHeight};
    const int treeTop = 2 * buttonHeight;
    const int treeHeight = std::max(0, height - buttonHeight * 5 / 2);
    g.tree = Rect{left, treeTop, left + width / 9, treeTop + treeHeight};
    const int gap = buttonHeight / 2;
    g.checkBox = Rect{g.button.right + gap, top, g.button.right + gap + std::max(0, checkWidth), top + buttonHeight};
    const int barLeft = checkWidth > 0 ? g.checkBox.right + gap : g.button.right + gap;
    g.progress = Rect{barLeft, top, std::max(barLeft, width - left), top + buttonHeight};
    const int areaLeft = g.tree.right + gap, areaRight = std::max(g.tree.right + gap, width - left);
    const int summaryHeight = treeHeight * 9 / 20;
    g.summary = Rect{areaLeft, treeTop, areaRight, treeTop + summaryHeight};
    g.problems = Rect{areaLeft, std::min(treeTop + treeHeight, g.summary.bottom + gap), areaRight, treeTop + treeHeight};
    return g;
}

} // namespace tabrel
