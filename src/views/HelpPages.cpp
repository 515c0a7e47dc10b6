#include "views/HelpPages.h"

namespace tabrel {

std::string commonKeysHelp()
{
    return "<h3>通用按键</h3><ul>"
           "<li><b>Ctrl+S</b>：保存</li>"
           "<li><b>Ctrl+Z</b>：撤销上一步修改</li>"
           "<li><b>Ctrl+Y</b> 或 <b>Ctrl+Shift+Z</b>：重做</li>"
           "<li><b>F1</b>：打开本页帮助</li>"
           "<li><b>Tab</b> / 方向键：在按钮之间移动，<b>回车</b> 或 <b>空格</b>：执行</li>"
           "</ul>";
}

std::string homeHelpPage()
{
    return "<h2>主页</h2>"
           "<p>主页按排课的顺序列出七个步骤：先在“班级管理”和“课时安排”中描述学校的年级、班级与作息，"
           "再在“科目管理”、“教师信息”和“任课信息”中录入科目、教师和任课安排，然后“自动排课”，"
           "最后用“手动排课”调整。</p>"
           "<p>灰色的步骤暂时不能使用：框中的文字说明缺少哪些数据。下方的按钮打开班级、教师和全校的课程表；"
           "“合并数据”把另一个数据文件的年级并入本校，“导出数据”把已排的课写成文本文件。</p>"
           "<p>顶部的“保存”、“另存为”保存数据文件，“关闭”退出程序。</p>" +
           commonKeysHelp();
}

std::string classTimetableHelpPage()
{
    return "<h2>班级课程表</h2>"
           "<p>显示每个班级的周课程表。工具栏可以选择每行显示几张表、格中显示科目、教师或两者，"
           "并把课程表导出为 Excel 工作簿或图片。</p>"
           "<p>用滚动条或鼠标滚轮浏览所有班级。</p>" +
           commonKeysHelp();
}

std::string teacherTimetableHelpPage()
{
    return "<h2>教师课程表</h2>"
           "<p>显示每位教师的周课程表：每节课显示年级、班级和科目。工具栏可以选择每行显示几张表，"
           "并把课程表导出为 Excel 工作簿或图片。</p>" +
           commonKeysHelp();
}

std::string panelOverviewHelpPage(const char* panelNameUtf8)
{
    return std::string("<h2>") + panelNameUtf8 + "</h2><p>本页的全部修改都可以撤销和重做，"
           "按“返回”回到主页，按“保存”保存数据文件。</p>" + commonKeysHelp();
}

} // namespace tabrel
