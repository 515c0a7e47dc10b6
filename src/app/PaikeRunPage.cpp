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
    return GBK("完成后补排并修正冲突");
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
           "<h3>完成后补排并修正冲突</h3>"
           "<p>勾选后，排课结束时程序会继续移动和补排所选范围的课程，直到没有未排的课时、检查不再发现问题，"
           "或者用完限定的工作量为止。排课前已经在课表中的课程（包括手工排好的）保持原位；"
           "结果不比排课后的课表差。补排时会出现进度窗口，按“停止”可以提前结束，保留目前找到的最好课表。"
           "此选项会被记住，默认不勾选；不勾选时排课结果与以往完全相同。</p>"
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
