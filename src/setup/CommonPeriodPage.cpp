#include "setup/CommonPeriodPage.h"

#include <algorithm>

#include "data/DataSet.h"
#include "data/Gbk.h"

namespace tabrel {

namespace {
std::vector<std::string> literals(std::initializer_list<const char*> texts)
{
    std::vector<std::string> v;
    for (const char* t : texts)
        v.push_back(gbk::literal(t));
    return v;
}
} // namespace

// ---------------------------------------------------------------- scope tree

void CommonPeriodPage::rebuildTree(const DataSet& ds)
{
    tree_.rebuild(ds);
    hasTree_ = !ds.grades.empty();
    selected_ = hasTree_ ? 0 : -1;
}

bool CommonPeriodPage::refreshTree(const DataSet& ds)
{
    const bool had = hasTree_;
    const Node old = selected_ >= 0 && selected_ < static_cast<int>(nodes().size()) ? nodes()[selected_] : Node{};
    const bool changed = tree_.rebuild(ds) || had != !ds.grades.empty();
    hasTree_ = !ds.grades.empty();
    if (changed) {
        const int again = hasTree_ && selected_ >= 0 ? tree_.find(old) : -1;
        selected_ = again >= 0 ? again : (hasTree_ ? 0 : -1);
    }
    return changed;
}

std::string CommonPeriodPage::select(int nodeIndex)
{
    if (nodeIndex < 0 || nodeIndex >= static_cast<int>(nodes().size())) {
        selected_ = -1;
        return GBK("选择错误!");
    }
    selected_ = nodeIndex;
    return {};
}

std::vector<ClassTable*> CommonPeriodPage::scope(const DataSet& ds) const
{
    std::vector<ClassTable*> classes;
    if (!hasTree_)
        return classes;
    for (const auto& [g, c] : tree_.classesOf(selected_))
        if (ClassTable* k = ds.classAt(g, c))
            classes.push_back(k);
    return classes;
}

// ---------------------------------------------------------------- aggregates

const std::string& CommonPeriodPage::mixedText()
{
    return GBK("各班不一样");
}

const std::vector<std::string>& CommonPeriodPage::offeredNames()
{
    static const auto names = literals({"无课", "自习", "劳动", "教研活动", "党团活动"});
    return names;
}

std::string CommonPeriodPage::aggregate(const DataSet& ds, int period, int day) const
{
    if (period < 0 || period >= MaxPeriodRows || day < 0 || day >= DayColumns)
        return {};
    const auto classes = scope(ds);
    if (classes.empty())
        return {};
    const std::string& first = classes.front()->commonPeriods[period][day];
    for (const ClassTable* c : classes)
        if (c->commonPeriods[period][day] != first)
            return mixedText();
    return first;
}

// ---------------------------------------------------------------- preview

CommonPeriodPage::Preview CommonPeriodPage::preview(const DataSet& ds, int width, int height)
{
    Preview p;
    const int periods = ds.gridPeriods();
    const int days = ds.gridDays();
    auto times = [](const std::string& a, const std::string& b) {
        return !a.empty() && !b.empty() ? a + "-" + b : std::string();
    };
    p.rows.push_back({PreviewRow::Kind::Header, -1, GBK("星期/节次"), {}, -1, {}});
    const int afterMorning = ds.earlyReadingCount + ds.morningCount;
    const int afterAfternoon = afterMorning + ds.afternoonCount;
    for (int n = 0; n < periods; ++n) {
        const int part = n < afterMorning ? 0 : n < afterAfternoon ? 1 : 2;
        if (n == afterMorning && ds.afternoonCount > 0)
            p.rows.push_back({PreviewRow::Kind::Break, -1, GBK("中午时间"), {}, 1, {}});
        if (n == afterAfternoon && ds.eveningCount > 0)
            p.rows.push_back({PreviewRow::Kind::Break, -1, GBK("晚饭时间"), {}, 2, {}});
        if (!ds.commonRowNames[n].empty())
            p.rows.push_back({PreviewRow::Kind::CommonRow, n, ds.commonRowNames[n],
                              times(ds.commonRowStarts[n], ds.commonRowEnds[n]), part, {}});
        p.rows.push_back(
            {PreviewRow::Kind::Period, n, ds.periodLabel(n), times(ds.periodStarts[n], ds.periodEnds[n]), part, {}});
    }
    int units = 0;
    for (const PreviewRow& r : p.rows)
        units += (r.kind == PreviewRow::Kind::Header || r.kind == PreviewRow::Kind::Period) ? 2 : 1;
    const int unit = std::clamp((height - 2) / std::max(units, 1), 12, 28);
    const int sectionWidth = 34;
    const int labelWidth = std::clamp(width / 7, 90, 130);
    const int dayWidth = days > 0 ? std::max(60, (width - 2 - sectionWidth - labelWidth) / days) : 0;
    int y = 0;
    for (PreviewRow& r : p.rows) {
        const int h = unit * ((r.kind == PreviewRow::Kind::Header || r.kind == PreviewRow::Kind::Period) ? 2 : 1);
        r.rect = Rect{0, y, sectionWidth + labelWidth + days * dayWidth, y + h};
        y += h;
    }
    p.sectionColumn = Rect{0, 0, sectionWidth, y};
    p.labelColumn = Rect{sectionWidth, 0, sectionWidth + labelWidth, y};
    for (int d = 0; d < days; ++d) {
        const int x = sectionWidth + labelWidth + d * dayWidth;
        p.dayColumns.push_back(Rect{x, 0, x + dayWidth, y});
    }
    // The narrow column: one cell per part that has rows, from its first row to its last.
    static const char* partNames[] = {"上午", "下午", "晚上"};
    for (int part = 0; part < 3; ++part) {
        int top = -1, bottom = -1;
        for (const PreviewRow& r : p.rows)
            if (r.part == part && r.kind != PreviewRow::Kind::Break) {
                if (top < 0)
                    top = r.rect.top;
                bottom = r.rect.bottom;
            }
        if (top >= 0)
            p.partCells.push_back({Rect{0, top, sectionWidth, bottom}, gbk::literal(partNames[part])});
    }
    return p;
}

CommonPeriodPage::Hit CommonPeriodPage::hitTest(const Preview& p, int x, int y)
{
    Hit hit;
    for (std::size_t i = 0; i < p.rows.size(); ++i)
        if (p.rows[i].rect.contains(x, y))
            hit.row = static_cast<int>(i);
    if (hit.row < 0)
        return hit;
    for (std::size_t d = 0; d < p.dayColumns.size(); ++d)
        if (x >= p.dayColumns[d].left && x < p.dayColumns[d].right)
            hit.day = static_cast<int>(d);
    return hit;
}

// ---------------------------------------------------------------- keyboard cursor

int CommonPeriodPage::cursorRow(const Preview& p) const
{
    for (std::size_t i = 0; i < p.rows.size(); ++i) {
        const auto kind = p.rows[i].kind;
        if (p.rows[i].period == cursorPeriod_ &&
            kind == (cursorOnCommonRow_ ? PreviewRow::Kind::CommonRow : PreviewRow::Kind::Period))
            return static_cast<int>(i);
    }
    return -1;
}

int CommonPeriodPage::moveCursor(const Preview& p, int rowStep, int dayStep)
{
    std::vector<int> stops;
    for (std::size_t i = 0; i < p.rows.size(); ++i)
        if (p.rows[i].kind == PreviewRow::Kind::Period || p.rows[i].kind == PreviewRow::Kind::CommonRow)
            stops.push_back(static_cast<int>(i));
    if (stops.empty())
        return -1;
    int at = -1;
    const int current = cursorRow(p);
    for (std::size_t k = 0; k < stops.size(); ++k)
        if (stops[k] == current)
            at = static_cast<int>(k);
    if (at < 0) {
        // Not on the preview yet: the first period row.
        at = 0;
        while (at + 1 < static_cast<int>(stops.size()) && p.rows[stops[at]].kind != PreviewRow::Kind::Period)
            ++at;
    } else {
        at = std::clamp(at + rowStep, 0, static_cast<int>(stops.size()) - 1);
    }
    const PreviewRow& row = p.rows[stops[at]];
    cursorOnCommonRow_ = row.kind == PreviewRow::Kind::CommonRow;
    cursorPeriod_ = row.period;
    const int days = static_cast<int>(p.dayColumns.size());
    cursorDay_ = days > 0 ? std::clamp(cursorDay_ + dayStep, 0, days - 1) : 0;
    return stops[at];
}

// ---------------------------------------------------------------- toggle and names

std::string CommonPeriodPage::toggleQuestion(const DataSet& ds, int period, int day) const
{
    if (aggregate(ds, period, day) == mixedText())
        return GBK("各个班在这节课上的设置不完全一样，真的要全设置为有课?");
    return {};
}

std::string CommonPeriodPage::toggleValue(const DataSet& ds, int period, int day) const
{
    const std::string a = aggregate(ds, period, day);
    return a.empty() ? GBK("无课") : std::string();
}

bool CommonPeriodPage::writeSlot(DataSet& ds, int period, int day, const std::string& value) const
{
    if (period < 0 || period >= MaxPeriodRows || day < 0 || day >= DayColumns)
        return false;
    bool changed = false;
    for (ClassTable* c : scope(ds))
        if (c->commonPeriods[period][day] != value) {
            c->commonPeriods[period][day] = value;
            changed = true;
        }
    return changed;
}

std::string CommonPeriodPage::slotStepName(const std::string& value)
{
    return value.empty() ? GBK("清除公共时段") : GBK("设置公共时段 ") + value;
}

bool CommonPeriodPage::hasSlot(const DataSet& ds) const
{
    return slotPeriod_ >= 0 && slotPeriod_ < ds.gridPeriods() && slotDay_ >= 0 &&
           slotDay_ < ds.gridDays();
}

const std::vector<std::string>& CommonPeriodPage::slotMenu()
{
    static const auto menu = literals({"无课", "自习", "劳动", "教研活动", "党团活动", "", "其它名称...", "",
                                       "添加公共时段..."});
    return menu;
}

bool CommonPeriodPage::namedWouldChange(const DataSet& ds, const std::string& name, std::string& question) const
{
    question.clear();
    if (!hasSlot(ds) || scope(ds).empty())
        return false;
    const std::string a = aggregate(ds, slotPeriod_, slotDay_);
    if (a == name)
        return false;
    if (a == mixedText())
        question = GBK("各个班在这节课上的设置不完全一样，真的要全设置为") + name + "?";
    return true;
}

bool CommonPeriodPage::setNamed(DataSet& ds, const std::string& name) const
{
    if (!hasSlot(ds))
        return false;
    return writeSlot(ds, slotPeriod_, slotDay_, name);
}

// ---------------------------------------------------------------- common-period rows

const std::vector<std::string>& CommonPeriodPage::rowMenu()
{
    static const auto menu = literals({"修改公共时间段", "删除此公共时间段"});
    return menu;
}

bool CommonPeriodPage::setRowName(DataSet& ds, int period, const std::string& name)
{
    if (period < 0 || period >= ds.gridPeriods() || ds.commonRowNames[period] == name)
        return false;
    ds.commonRowNames[period] = name;
    return true;
}

std::string CommonPeriodPage::rowStepName(const DataSet& ds, int period, const std::string& name)
{
    if (name.empty())
        return GBK("删除公共时段行 ") +
               (period >= 0 && period < TimeSlotCount ? ds.commonRowNames[period] : std::string());
    return GBK("设置公共时段行 ") + name;
}

std::vector<std::string> CommonPeriodPage::insertPositions(const DataSet& ds)
{
    std::vector<std::string> positions;
    const int periods = ds.gridPeriods();
    for (int n = 0; n < periods; ++n)
        positions.push_back(ds.periodLabel(n) + GBK("之前"));
    return positions;
}

int CommonPeriodPage::insertDefaultPosition(const DataSet& ds)
{
    return ds.gridPeriods() > 2 ? 2 : -1;
}

const std::vector<std::string>& CommonPeriodPage::insertNames()
{
    static const auto names = literals({"课间操", "眼健操", "早读"});
    return names;
}

bool CommonPeriodPage::insertRow(DataSet& ds, int position, const std::string& name)
{
    return setRowName(ds, position, name);
}

} // namespace tabrel

namespace tabrel {

std::string CommonPeriodPage::helpPage()
{
    return R"(<h2>课时安排</h2>
<p>在这里确定每周哪几天上课、每天各时段有几节课、各节的上下课时间，以及各班不排课的公共时段（如自习、劳动、教研活动）和课间操等公共时段行。</p>
<h3>左下角“上课天数及每天节数”</h3>
<ul>
<li><b>更改天数</b>：勾选有课的星期，关闭窗口后生效。</li>
<li>早读、上午、下午、晚上右边的上下箭头：增加或减少该时段的节数（早读最多2节，上午、下午最多6节，晚上最多4节，每天合计最多12节）。已录入的课表和时间按节次序号保存，改节数只改变节次名称。</li>
<li><b>节次时间...</b>：录入各节和公共时段行的开始、结束时间（格式 8:30）。选中一个有时间的格子按“向后填充”，按每节和课间的分钟数推算后面的时间。</li>
<li><b>公共时段...</b>：在某一节之前插入一行公共时段，如课间操、眼健操。</li>
</ul>
<h3>左上角“针对范围设置任免课”</h3>
<p>选择全校、某个年级或某个班，右边的表格显示所选班级在每节课上的设置；各班设置不同时显示“各班不一样”。</p>
<h3>右边的表格</h3>
<ul>
<li>左键点某节某天：没有设置时设为“无课”，已有设置时清除。</li>
<li>右键点某节某天：选择“无课”“自习”“劳动”“教研活动”“党团活动”，或用“其它名称...”输入名称（空名称即清除），或在该节之前“添加公共时段...”。</li>
<li>点公共时段行：修改它的名称或删除它（删除后时间仍保留，重新添加时再显示）。</li>
<li>Ctrl+Z 撤销，Ctrl+Y 重做，Ctrl+S 保存，F1 打开本帮助。</li>
</ul>
)";
}

} // namespace tabrel
