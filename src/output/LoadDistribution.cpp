#include "output/LoadDistribution.h"

#include <algorithm>

#include "data/DataSet.h"
#include "data/Gbk.h"

namespace tabrel {

LoadDistribution buildLoadDistribution(const DataSet& ds)
{
    const int T = ds.gridPeriods();
    const int D = ds.gridDays();
    LoadDistribution out;
    out.header = {GBK("姓名"), GBK("合计")};
    for (int p = 0; p < T; ++p)
        out.header.push_back(GBK("第") + gbk::formatInt(p + 1) + GBK("节"));
    for (int d = 0; d < D; ++d)
        out.header.push_back(ds.dayNames[d]);
    for (const auto& t : ds.teachers) {
        std::vector<int> perPeriod(T), perDay(D);
        int total = 0;
        for (int p = 0; p < T; ++p)
            for (int d = 0; d < D; ++d)
                if (!t->slotSubject[p][d].empty()) {
                    ++total;
                    ++perPeriod[p];
                    ++perDay[d];
                }
        std::vector<std::string> row{t->name, gbk::formatInt(total)};
        auto count = [](int v) { return v ? gbk::formatInt(v) : std::string(); };
        for (int v : perPeriod)
            row.push_back(count(v));
        for (int v : perDay)
            row.push_back(count(v));
        out.rows.push_back(std::move(row));
    }
    return out;
}

std::string loadDistributionText(const LoadDistribution& dist)
{
    std::string out;
    auto line = [&](const std::vector<std::string>& cells) {
        for (std::size_t i = 0; i < cells.size(); ++i) {
            if (i)
                out += '\t';
            out += cells[i];
        }
        out += '\n';
    };
    line(dist.header);
    for (const auto& r : dist.rows)
        line(r);
    return out;
}

std::string loadDistributionHelpPage()
{
    return R"(<h2>分布情况</h2>
<p>这张表按教师列出每周的课时：“合计”是一周的课时数，“第1节”……是每天这一节一共有几节课，后面几列是每天有几节课。
用它可以检查有没有教师把课都排在同一天或同一节。</p>
<p>同一节同时给两个班上课（合班）只算一节。表格只供查看；“复制”按钮把整张表以文字形式复制到剪贴板，“打印”按钮打印这张表。</p>
)";
}

} // namespace tabrel
