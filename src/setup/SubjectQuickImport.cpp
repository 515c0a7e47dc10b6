#include "setup/SubjectQuickImport.h"

#include <algorithm>

#include "data/DataSet.h"
#include "data/Gbk.h"
#include "setup/PasteSummary.h"

namespace tabrel {

SubjectQuickImport::SubjectQuickImport(const DataSet& dataSet)
    : grid_(DataRows + 1, 2 + std::min<int>(static_cast<int>(dataSet.grades.size()), MaxGradeColumns))
{
    grid_.setHeader(0, 0, GBK("序号"));
    grid_.setHeader(0, 1, GBK("科目名称"));
    for (int g = 0; g < gradeColumns(); ++g)
        grid_.setHeader(0, 2 + g, g < static_cast<int>(dataSet.gradeNames.size()) ? dataSet.gradeNames[g] : "");
    for (int r = 1; r <= DataRows; ++r)
        grid_.setHeader(r, 0, gbk::formatInt(r));
}

const std::string& SubjectQuickImport::title()
{
    return GBK("按要求将数据从EXCEL或WPS中复制到下面表格中");
}

const std::string& SubjectQuickImport::noRowsMessage()
{
    return GBK("请复制数据后，再确定");
}

std::vector<int> SubjectQuickImport::columnWidths(int gridWidth) const
{
    const int units = 60 + 120 + 80 * gradeColumns();
    std::vector<int> widths;
    widths.push_back(gridWidth * 60 / units);
    widths.push_back(gridWidth * 120 / units);
    for (int g = 0; g < gradeColumns(); ++g)
        widths.push_back(gridWidth * 80 / units);
    return widths;
}

void SubjectQuickImport::clear()
{
    grid_.clear();
}

int SubjectQuickImport::paste(int row, int column, const std::string& text)
{
    return static_cast<int>(grid_.paste(row, column, text).size());
}

int SubjectQuickImport::rowsToImport() const
{
    int n = 0;
    while (n < DataRows && !grid_.text(n + 1, 1).empty())
        ++n;
    return n;
}

std::string SubjectQuickImport::numberRefusal() const
{
    const int rows = rowsToImport();
    for (int r = 1; r <= rows; ++r)
        for (int g = 0; g < gradeColumns(); ++g)
            if (const std::string& t = grid_.text(r, 2 + g); leadingIntOverflows(t))
                return GBK("第") + gbk::formatInt(r) + GBK("行“") + grid_.text(r, 1) + GBK("”第") +
                       gbk::formatInt(g + 1) + GBK("个年级的课时“") + t + GBK("”数字太大，没有导入。请改正后再确定。");
    return {};
}

bool SubjectQuickImport::accept(DataSet& dataSet) const
{
    const int rows = rowsToImport();
    if (rows == 0 || !numberRefusal().empty())
        return false;
    dataSet.clearSubjects();
    for (int r = 1; r <= rows; ++r) {
        const int index = dataSet.appendSubject() - 1;
        Subject& s = *dataSet.subjects[index];
        s.name = grid_.text(r, 1);
        for (int g = 0; g < gradeColumns(); ++g) {
            const int lessons = gbk::leadingInt(grid_.text(r, 2 + g));
            s.gradeLessons[g] = lessons >= 1 ? gbk::formatInt(lessons) : std::string();
        }
        s.sameSubjectLimit = 0;
        s.progressAligned = 0;
        s.ruleSummary.clear();
    }
    return true;
}

std::string subjectQuickImportHelpPage()
{
    return R"(<h2>快速导入科目</h2>
<p>在 EXCEL 或 WPS 中准备一张表：第一列为科目名称，其后按年级顺序每列填该科目每周的课时数，例如：</p>
<table border="1" cellpadding="3"><tr><td>语文</td><td>6</td><td>6</td><td>5</td></tr>
<tr><td>数学</td><td>6</td><td>6</td><td>6</td></tr></table>
<p>选中这些单元格复制，在对话框中点中“科目名称”第1行，按 Ctrl+V 或“粘贴”按钮。也可以直接在格子里输入。</p>
<ul>
<li>从第1行起读到第一个没有科目名称的行为止，最多50行。</li>
<li>课时取单元格开头的整数，小于1或不是数字的按不开设处理。</li>
<li>按“确定”后原有的科目表被整个替换；没有数据时提示“请复制数据后，再确定”。替换可以撤销（Ctrl+Z）。</li>
</ul>
)";
}

} // namespace tabrel
