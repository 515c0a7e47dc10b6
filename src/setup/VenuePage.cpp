#include "setup/VenuePage.h"

#include <algorithm>

#include "data/ClassTable.h"
#include "data/DataSet.h"
#include "data/Gbk.h"

namespace tabrel::venues {

namespace {

bool valid(const DataSet& ds, int v) { return v >= 0 && v < static_cast<int>(ds.extension.venues.size()); }

std::string u(const std::string& gbkText) { return gbk::toUtf8(gbkText); }

bool subjectExists(const DataSet& ds, const std::string& name)
{
    return std::any_of(ds.subjects.begin(), ds.subjects.end(), [&](const auto& s) { return s->name == name; });
}

bool classExists(const DataSet& ds, const std::string& name)
{
    for (const ClassTable* c : ds.classesInGradeOrder())
        if (c->name == name)
            return true;
    return false;
}

// Splits at the separators a user types between subjects; empty pieces go.
std::vector<std::string> splitSubjects(const std::string& text)
{
    std::string t = text;
    for (const std::string& sep : {GBK("、"), GBK("，"), GBK("　"), std::string(","), std::string("/")}) {
        std::size_t at;
        while ((at = gbk::findText(t, sep)) != std::string::npos)
            t.replace(at, sep.size(), " ");
    }
    std::vector<std::string> out;
    std::string piece;
    for (char c : t + " ") {
        if (c == ' ' || c == '\t') {
            if (!piece.empty() && std::find(out.begin(), out.end(), piece) == out.end())
                out.push_back(piece);
            piece.clear();
        } else
            piece += c;
    }
    return out;
}

} // namespace

std::string subjectsText(const DataSet& ds, int v)
{
    if (!valid(ds, v))
        return {};
    std::string out;
    for (const std::string& s : ds.extension.venues[v].subjects)
        out += (out.empty() ? std::string() : GBK("、")) + s;
    return out;
}

std::string planText(const DataSet& ds, int v, int k)
{
    if (!valid(ds, v) || k < 0 || k >= static_cast<int>(ds.extension.venues[v].plans.size()))
        return {};
    const VenuePlan& p = ds.extension.venues[v].plans[k];
    return p.className + " " + p.subject;
}

std::string addVenue(DataSet& ds)
{
    VenueRecord v;
    for (int n = 1;; ++n) {
        v.name = GBK("场室") + std::to_string(n);
        if (std::none_of(ds.extension.venues.begin(), ds.extension.venues.end(),
                         [&](const VenueRecord& o) { return o.name == v.name; }))
            break;
    }
    ds.extension.venues.push_back(std::move(v));
    return {};
}

std::string removeVenue(DataSet& ds, int v)
{
    if (!valid(ds, v))
        return "没有选中场室。";
    ds.extension.venues.erase(ds.extension.venues.begin() + v);
    return {};
}

std::string moveVenue(DataSet& ds, int v, int by)
{
    const int to = v + by;
    if (!valid(ds, v) || !valid(ds, to))
        return "已经到头了，无法再移动。";
    std::swap(ds.extension.venues[v], ds.extension.venues[to]);
    return {};
}

std::string setName(DataSet& ds, int v, const std::string& name)
{
    if (!valid(ds, v))
        return "没有选中场室。";
    std::string n = name;
    while (!n.empty() && (n.back() == ' ' || n.back() == '\t'))
        n.pop_back();
    while (!n.empty() && (n.front() == ' ' || n.front() == '\t'))
        n.erase(n.begin());
    if (n.empty())
        return "场室名称不能为空，未修改。";
    if (n.size() > 64)
        return "场室名称太长（最多 32 个汉字），未修改。";
    for (std::size_t k = 0; k < ds.extension.venues.size(); ++k)
        if (static_cast<int>(k) != v && ds.extension.venues[k].name == n)
            return "已有名为“" + u(n) + "”的场室，场室名称不能重复，未修改。";
    ds.extension.venues[v].name = n;
    return {};
}

std::string setCapacity(DataSet& ds, int v, const std::string& text)
{
    if (!valid(ds, v))
        return "没有选中场室。";
    std::string t = text;
    t.erase(std::remove(t.begin(), t.end(), ' '), t.end());
    const bool digits = !t.empty() && t.size() <= 6 && std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; });
    const int n = digits ? std::stoi(t) : 0;
    if (!digits || n < 1 || n > MaxVenueCapacity)
        return "“" + u(text) + "”不是有效的容纳班数：请填写 1 到 " + std::to_string(MaxVenueCapacity)
               + " 之间的整数（同一节最多几个班同时使用），未修改。";
    ds.extension.venues[v].capacity = n;
    return {};
}

std::string setSubjects(DataSet& ds, int v, const std::string& text)
{
    if (!valid(ds, v))
        return "没有选中场室。";
    const std::vector<std::string> list = splitSubjects(text);
    for (const std::string& s : list) {
        if (!subjectExists(ds, s))
            return "没有名为“" + u(s) + "”的科目，请先在科目管理中添加，未修改。";
        for (std::size_t k = 0; k < ds.extension.venues.size(); ++k)
            if (static_cast<int>(k) != v)
                for (const std::string& other : ds.extension.venues[k].subjects)
                    if (other == s)
                        return "科目“" + u(s) + "”已属于场室“" + u(ds.extension.venues[k].name)
                               + "”，一个科目只能属于一个场室（个别班级可用“例外”指定），未修改。";
    }
    ds.extension.venues[v].subjects = list;
    return {};
}

std::string addPlan(DataSet& ds, int v, const std::string& className, const std::string& subject)
{
    if (!valid(ds, v))
        return "没有选中场室。";
    if (!classExists(ds, className))
        return "没有名为“" + u(className) + "”的班级，未添加。";
    if (!subjectExists(ds, subject))
        return "没有名为“" + u(subject) + "”的科目，未添加。";
    for (const VenueRecord& other : ds.extension.venues)
        for (const VenuePlan& p : other.plans)
            if (p.className == className && p.subject == subject)
                return u(className) + "的" + u(subject) + "已指定在场室“" + u(other.name) + "”上课，未添加。";
    ds.extension.venues[v].plans.push_back({className, subject});
    return {};
}

std::string removePlan(DataSet& ds, int v, int k)
{
    if (!valid(ds, v) || k < 0 || k >= static_cast<int>(ds.extension.venues[v].plans.size()))
        return "没有选中例外。";
    auto& plans = ds.extension.venues[v].plans;
    plans.erase(plans.begin() + k);
    return {};
}

std::string toggleUnavailable(DataSet& ds, int v, int p, int d)
{
    if (!valid(ds, v))
        return "没有选中场室。";
    if (p < 0 || p >= ds.gridPeriods() || d < 0 || d >= ds.gridDays())
        return "这一节不在课时表内。";
    auto& slots = ds.extension.venues[v].unavailable;
    const VenueSlot s{p, d};
    auto it = std::find(slots.begin(), slots.end(), s);
    if (it != slots.end())
        slots.erase(it);
    else
        slots.push_back(s);
    return {};
}

std::string helpPage()
{
    return R"(<h2>场室设置</h2>
<p>全校共用的场地和专用教室（机房、音乐室、实验室、操场等）在这里登记。一个场室同一节最多容纳“容纳班数”个班；
自动排课的补排、课表检查和手动排课都遵守这个限制。</p>
<h3>场室表</h3>
<ul>
<li><b>添加场室</b>（Insert）在表末加一行；<b>删除场室</b>（Delete）删除选中的场室；<b>上移</b>、<b>下移</b>（Alt+↑/↓）调整顺序。</li>
<li>双击或按 F2 修改“场室名称”“容纳班数”“使用科目”，回车确认，Esc 放弃。名称不能重复，容纳班数是 1 以上的整数。</li>
<li>“使用科目”用顿号、逗号或空格分隔，例如 <code>体育、形体</code>。这些科目的课都在该场室上；一个科目只能属于一个场室。</li>
</ul>
<h3>例外</h3>
<p>个别班级的某门课要在另一个场室上（如初三(2)班的物理在第二实验室），选中场室后在“例外”中选班级和科目，按<b>添加例外</b>。
例外优先于科目所属的场室。</p>
<h3>不可用时段</h3>
<p>右边的课时表中，点击一节（或用方向键移到该节后按空格）在“可用”与“不可用”之间切换；灰色的节次不排该场室的课，
例如周三下午操场另有用途。</p>
<p>每一次修改都可以撤销（Ctrl+Z）。在“场室课程表”中可以看到每个场室每节的使用情况。</p>)";
}

} // namespace tabrel::venues
