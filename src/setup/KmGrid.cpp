#include "setup/KmGrid.h"

#include <algorithm>

#include "data/DataSet.h"
#include "data/Gbk.h"
#include "setup/PasteSummary.h"
#include "views/Canvas.h"
#include "setup/SubjectRuleSettings.h"

namespace tabrel {

namespace {
constexpr Rgb HeaderFill{128, 128, 128};
constexpr Rgb SelectedFill{204, 228, 255};
constexpr Rgb FooterFill{240, 240, 240};
constexpr Rgb ButtonFill{225, 225, 225};
constexpr Rgb LineColor{170, 170, 170};
constexpr Rgb OverCapacity{220, 0, 0};

int gradeColumns(const DataSet& ds)
{
    return std::min<int>(static_cast<int>(ds.grades.size()), MaxGradeColumns);
}
} // namespace

Rect KmGrid::gridRectInPage(int pageWidth, int pageHeight)
{
    return Rect{8, 50, 8 + std::max(0, pageWidth - 20), 50 + std::max(0, pageHeight - 60)};
}

void KmGrid::setSize(int width, int height)
{
    width_ = std::max(0, width);
    height_ = std::max(0, height);
    visibleRows_ = std::max(0, (height_ - HeaderHeight - FooterHeight) / RowHeight);
}

std::vector<KmGrid::Column> KmGrid::columns(const DataSet& ds) const
{
    std::vector<Column> cols;
    int x = 0;
    auto add = [&](ColumnKind kind, int w, int grade = -1) {
        cols.push_back({kind, grade, x, x + w});
        x += w;
    };
    add(ColumnKind::Number, NumberWidth);
    add(ColumnKind::Name, NameWidth);
    for (int g = 0; g < gradeColumns(ds); ++g)
        add(ColumnKind::Grade, GradeWidth, g);
    add(ColumnKind::Limit, LimitWidth);
    add(ColumnKind::Progress, ProgressWidth);
    // The rule column fills the rest, but always leaves room for its three buttons and some text.
    add(ColumnKind::Rules, std::max(width_ - x, 4 * 3 * RowHeight));
    return cols;
}

int KmGrid::columnAt(const DataSet& ds, int x) const
{
    const auto cols = columns(ds);
    for (std::size_t i = 0; i < cols.size(); ++i)
        if (x >= cols[i].left && x < cols[i].right)
            return static_cast<int>(i);
    return -1;
}

int KmGrid::subjectAt(const DataSet& ds, int y) const
{
    if (y < HeaderHeight)
        return -1;
    const int visible = (y - HeaderHeight) / RowHeight;
    if (visible >= visibleRows_)
        return -1;
    const int subject = firstRow_ + visible;
    return subject < static_cast<int>(ds.subjects.size()) ? subject : -1;
}

Rect KmGrid::cellRect(const DataSet& ds, int subject, int column) const
{
    const auto cols = columns(ds);
    if (column < 0 || column >= static_cast<int>(cols.size()))
        return {};
    const int top = HeaderHeight + (subject - firstRow_) * RowHeight;
    return Rect{cols[column].left, top, cols[column].right, top + RowHeight};
}

bool KmGrid::selectionValid(const DataSet& ds) const
{
    return selected_ >= 0 && selected_ < static_cast<int>(ds.subjects.size());
}

void KmGrid::ensureVisible(const DataSet& ds)
{
    if (selected_ >= 0 && visibleRows_ > 0) {
        if (selected_ < firstRow_)
            firstRow_ = selected_;
        else if (selected_ >= firstRow_ + visibleRows_)
            firstRow_ = selected_ - visibleRows_ + 1;
    }
    firstRow_ = std::clamp(firstRow_, 0, maxFirstRow(ds));
}

void KmGrid::select(const DataSet& ds, int subject, int column)
{
    selected_ = subject >= 0 && subject < static_cast<int>(ds.subjects.size()) ? subject : -1;
    selectedColumn_ = column;
    ensureVisible(ds);
}

void KmGrid::clampToData(const DataSet& ds)
{
    const int n = static_cast<int>(ds.subjects.size());
    if (selected_ >= n)
        selected_ = n - 1;
    const int cols = static_cast<int>(columns(ds).size());
    if (selectedColumn_ >= cols)
        selectedColumn_ = cols - 1;
    if (buttonsRow_ >= n)
        buttonsRow_ = -1;
    firstRow_ = std::clamp(firstRow_, 0, maxFirstRow(ds));
}

int KmGrid::maxFirstRow(const DataSet& ds) const
{
    return std::max(0, static_cast<int>(ds.subjects.size()) - visibleRows_);
}

void KmGrid::scroll(const DataSet& ds, Scroll how, int thumbRow)
{
    switch (how) {
    case Scroll::LineUp: --firstRow_; break;
    case Scroll::LineDown: ++firstRow_; break;
    case Scroll::PageUp: firstRow_ -= std::max(1, visibleRows_); break;
    case Scroll::PageDown: firstRow_ += std::max(1, visibleRows_); break;
    case Scroll::Top: firstRow_ = 0; break;
    case Scroll::Bottom: firstRow_ = maxFirstRow(ds); break;
    case Scroll::Thumb: firstRow_ = thumbRow; break;
    }
    firstRow_ = std::clamp(firstRow_, 0, maxFirstRow(ds));
    hideButtons();
}

Rect KmGrid::buttonRect(const DataSet& ds, Button b) const
{
    if (buttonsRow_ < 0)
        return {};
    const auto cols = columns(ds);
    const Rect cell = cellRect(ds, buttonsRow_, static_cast<int>(cols.size()) - 1);
    const int w = 3 * RowHeight;
    switch (b) {
    case Button::Preset: return Rect{cell.left + 1, cell.top + 1, cell.left + 1 + w, cell.bottom - 1};
    case Button::Copy: return Rect{cell.right - 2 * w - 2, cell.top + 1, cell.right - w - 2, cell.bottom - 1};
    case Button::Paste: return Rect{cell.right - w - 1, cell.top + 1, cell.right - 1, cell.bottom - 1};
    }
    return {};
}

const std::string& KmGrid::buttonText(Button b)
{
    switch (b) {
    case Button::Preset: return GBK("设置...");
    case Button::Copy: return GBK("复制设置");
    case Button::Paste: return GBK("粘贴设置");
    }
    return GBK("");
}

KmGrid::Action KmGrid::press(const DataSet& ds, int x, int y)
{
    pressedOnButton_ = false;
    if (buttonsShown()) {
        const std::pair<Button, Action> hits[] = {{Button::Preset, Action::OpenPreset},
                                                  {Button::Copy, Action::CopySettings},
                                                  {Button::Paste, Action::PasteSettings}};
        for (const auto& [b, action] : hits)
            if (buttonRect(ds, b).contains(x, y)) {
                pressedOnButton_ = true;
                selected_ = buttonsRow_;
                hideButtons();
                return action;
            }
    }
    const int subject = subjectAt(ds, y);
    const int column = columnAt(ds, x);
    if (subject >= 0 && column >= 0) {
        selected_ = subject;
        selectedColumn_ = column;
    }
    return Action::None;
}

KmGrid::Action KmGrid::release(const DataSet& ds, int x, int y)
{
    if (pressedOnButton_) {
        pressedOnButton_ = false;
        return Action::None;
    }
    const int subject = subjectAt(ds, y);
    const int column = columnAt(ds, x);
    hideButtons();
    if (subject < 0 || column < 0 || subject != selected_ || column != selectedColumn_)
        return Action::None;
    switch (columns(ds)[column].kind) {
    case ColumnKind::Name:
    case ColumnKind::Grade:
    case ColumnKind::Limit: return Action::Edit;
    case ColumnKind::Progress: return Action::ToggleProgress;
    case ColumnKind::Rules: buttonsRow_ = subject; return Action::ShowButtons;
    default: return Action::None;
    }
}

KmGrid::Action KmGrid::key(const DataSet& ds, Key k)
{
    const int n = static_cast<int>(ds.subjects.size());
    const int cols = static_cast<int>(columns(ds).size());
    hideButtons();
    switch (k) {
    case Key::Up:
    case Key::Down:
        if (n == 0)
            return Action::None;
        select(ds, std::clamp(selected_ < 0 ? 0 : selected_ + (k == Key::Up ? -1 : 1), 0, n - 1),
               selectedColumn_ < 0 ? 1 : selectedColumn_);
        return Action::None;
    case Key::Left:
    case Key::Right:
        if (selected_ < 0)
            return Action::None;
        selectedColumn_ = std::clamp(selectedColumn_ + (k == Key::Left ? -1 : 1), 1, cols - 1);
        return Action::None;
    case Key::PageUp: scroll(ds, Scroll::PageUp); return Action::None;
    case Key::PageDown: scroll(ds, Scroll::PageDown); return Action::None;
    case Key::Home: scroll(ds, Scroll::Top); return Action::None;
    case Key::End: scroll(ds, Scroll::Bottom); return Action::None;
    case Key::Enter:
    case Key::Space:
        if (!selectionValid(ds) || selectedColumn_ < 0 || selectedColumn_ >= cols)
            return Action::None;
        ensureVisible(ds);
        switch (columns(ds)[selectedColumn_].kind) {
        case ColumnKind::Name:
        case ColumnKind::Grade:
        case ColumnKind::Limit: return Action::Edit;
        case ColumnKind::Progress: return Action::ToggleProgress;
        case ColumnKind::Rules: return Action::OpenPreset;
        default: return Action::None;
        }
    }
    return Action::None;
}

bool KmGrid::editable(const DataSet& ds) const
{
    if (!selectionValid(ds))
        return false;
    const auto cols = columns(ds);
    if (selectedColumn_ < 0 || selectedColumn_ >= static_cast<int>(cols.size()))
        return false;
    const ColumnKind kind = cols[selectedColumn_].kind;
    return kind == ColumnKind::Name || kind == ColumnKind::Grade || kind == ColumnKind::Limit;
}

std::string KmGrid::editText(const DataSet& ds) const
{
    if (!editable(ds))
        return {};
    const Column c = columns(ds)[selectedColumn_];
    const Subject& s = *ds.subjects[selected_];
    if (c.kind == ColumnKind::Limit)
        return gbk::formatInt(s.sameSubjectLimit);
    return cellText(ds, selected_, c);
}

bool KmGrid::commitEdit(DataSet& ds, const std::string& text) const
{
    if (!editable(ds))
        return false;
    return storeCellText(ds, selected_, columns(ds)[selectedColumn_], text);
}

bool KmGrid::storeCellText(DataSet& ds, int subject, const Column& column, const std::string& text)
{
    if (subject < 0 || subject >= static_cast<int>(ds.subjects.size()))
        return false;
    Subject& s = *ds.subjects[subject];
    switch (column.kind) {
    case ColumnKind::Name:
        if (s.name == text)
            return false;
        ds.extension.renameSubject(s.name, text); // changes follow the rename
        s.name = text;
        return true;
    case ColumnKind::Grade:
        if (column.grade < 0 || column.grade >= MaxGradeColumns || s.gradeLessons[column.grade] == text)
            return false;
        s.gradeLessons[column.grade] = text;
        return true;
    case ColumnKind::Limit: {
        if (leadingIntOverflows(text))
            return false;
        const int v = gbk::leadingInt(text);
        if (s.sameSubjectLimit == v)
            return false;
        s.sameSubjectLimit = v;
        return true;
    }
    default: return false;
    }
}

bool KmGrid::dropUnnamedSubjects(DataSet& ds)
{
    const auto before = ds.subjects.size();
    for (int i = static_cast<int>(ds.subjects.size()) - 1; i >= 0; --i)
        if (ds.subjects[i]->name.empty())
            ds.removeSubject(i);
    return ds.subjects.size() != before;
}

std::string KmGrid::unnamedSubjectsQuestion(const DataSet& ds)
{
    std::string rows;
    for (int i = 0; i < static_cast<int>(ds.subjects.size()); ++i)
        if (ds.subjects[i]->name.empty())
            rows += (rows.empty() ? "" : GBK("、")) + gbk::formatInt(i + 1);
    if (rows.empty())
        return {};
    return GBK("第") + rows + GBK("行的科目没有名称，返回时将删除这些行。\n\n点“确定”删除并返回，点“取消”留在本页填写名称。");
}

bool KmGrid::toggleProgress(DataSet& ds) const
{
    if (!selectionValid(ds))
        return false;
    Subject& s = *ds.subjects[selected_];
    s.progressAligned = s.progressAligned ? 0 : 1;
    return true;
}

bool KmGrid::addSubject(DataSet& ds)
{
    const int n = ds.appendSubject();
    select(ds, n - 1, selectedColumn_ < 0 ? 1 : selectedColumn_);
    return true;
}

bool KmGrid::deleteSubject(DataSet& ds)
{
    if (!selectionValid(ds))
        return false;
    hideButtons();
    const bool wasLast = selected_ == static_cast<int>(ds.subjects.size()) - 1;
    ds.removeSubject(selected_);
    if (wasLast)
        --selected_;
    clampToData(ds);
    return true;
}

bool KmGrid::moveUp(DataSet& ds)
{
    if (!selectionValid(ds) || selected_ == 0)
        return false;
    std::swap(ds.subjects[selected_], ds.subjects[selected_ - 1]);
    --selected_;
    hideButtons();
    ensureVisible(ds);
    return true;
}

bool KmGrid::moveDown(DataSet& ds)
{
    if (!selectionValid(ds) || selected_ + 1 >= static_cast<int>(ds.subjects.size()))
        return false;
    std::swap(ds.subjects[selected_], ds.subjects[selected_ + 1]);
    ++selected_;
    hideButtons();
    ensureVisible(ds);
    return true;
}

bool KmGrid::copySettings(const DataSet& ds)
{
    if (!selectionValid(ds))
        return false;
    clipboard_ = copySubjectSettings(ds, selected_);
    return true;
}

bool KmGrid::pasteSettings(DataSet& ds) const
{
    if (!selectionValid(ds))
        return false;
    return pasteSubjectSettings(ds, selected_, clipboard_);
}

bool KmGrid::setRuleSummary(DataSet& ds, int subject, const std::string& summary)
{
    if (subject < 0 || subject >= static_cast<int>(ds.subjects.size()))
        return false;
    std::string& stored = ds.subjects[subject]->ruleSummary;
    if (stored == summary)
        return false;
    stored = summary;
    return true;
}

std::string KmGrid::cellText(const DataSet& ds, int subject, const Column& column) const
{
    if (subject < 0 || subject >= static_cast<int>(ds.subjects.size()))
        return {};
    const Subject& s = *ds.subjects[subject];
    switch (column.kind) {
    case ColumnKind::Number: return gbk::formatInt(subject + 1);
    case ColumnKind::Name: return s.name;
    case ColumnKind::Grade: return column.grade >= 0 && column.grade < MaxGradeColumns ? s.gradeLessons[column.grade] : "";
    case ColumnKind::Limit: return s.sameSubjectLimit > 0 ? gbk::formatInt(s.sameSubjectLimit) : "";
    case ColumnKind::Progress: return s.progressAligned == 1 ? GBK("√") : "";
    case ColumnKind::Rules: return s.ruleSummary;
    default: return {};
    }
}

int KmGrid::lessonSum(const DataSet& ds, int grade)
{
    if (grade < 0 || grade >= MaxGradeColumns)
        return 0;
    long long sum = 0;
    for (const auto& s : ds.subjects)
        sum += gbk::leadingInt(s->gradeLessons[grade]);
    return static_cast<int>(std::clamp<long long>(sum, -2147483647LL, 2147483647LL));
}

int KmGrid::capacity(const DataSet& ds)
{
    return ds.periodsPerDay() * ds.dayCount();
}

int KmGrid::usableCapacity(const DataSet& ds, int grade)
{
    if (grade < 0 || grade >= static_cast<int>(ds.grades.size()) || ds.grades[grade]->classes.empty())
        return capacity(ds);
    int most = 0;
    for (const auto& c : ds.grades[grade]->classes)
        most = std::max(most, c->usableSlotCount());
    return std::min(most, capacity(ds));
}

bool KmGrid::overCapacity(const DataSet& ds, int subject, const Column& column)
{
    if (column.kind != ColumnKind::Grade || column.grade < 0 || column.grade >= MaxGradeColumns || subject < 0 ||
        subject >= static_cast<int>(ds.subjects.size()))
        return false;
    return gbk::leadingInt(ds.subjects[subject]->gradeLessons[column.grade]) > capacity(ds);
}

std::string KmGrid::tipAt(const DataSet& ds, int x, int y) const
{
    const int c = columnAt(ds, x);
    const auto cols = columns(ds);
    if (c < 0 || c >= static_cast<int>(cols.size()) || cols[c].kind != ColumnKind::Grade)
        return {};
    const int cap = capacity(ds);
    const int rowsBottom = HeaderHeight + visibleRows_ * RowHeight;
    if (y >= rowsBottom && y < rowsBottom + FooterHeight / 2) {
        const int sum = lessonSum(ds, cols[c].grade);
        const int usable = usableCapacity(ds, cols[c].grade);
        if (sum <= usable)
            return usable < cap ? GBK("课时容量") + gbk::formatInt(cap) + GBK("节，各班都不排课的时段除外可排") +
                                      gbk::formatInt(usable) + GBK("节")
                                : std::string();
        if (sum <= cap)
            return GBK("各科目每周合计") + gbk::formatInt(sum) + GBK("节，超过可排课的") + gbk::formatInt(usable) +
                   GBK("节（各班都不排课的时段除外）：多出的课无法排入课表");
        return GBK("各科目每周合计") + gbk::formatInt(sum) + GBK("节，超过课时容量") + gbk::formatInt(cap) +
               GBK("节：多出的课无法排入课表");
    }
    const int s = subjectAt(ds, y);
    if (!overCapacity(ds, s, cols[c]))
        return {};
    return GBK("每周") + gbk::formatInt(gbk::leadingInt(ds.subjects[s]->gradeLessons[cols[c].grade])) +
           GBK("节，超过课时容量") + gbk::formatInt(cap) + GBK("节：多出的课无法排入课表");
}

std::vector<std::string> KmGrid::headerTexts(const DataSet& ds, const Column& column) const
{
    switch (column.kind) {
    case ColumnKind::Number: return {GBK("序号")};
    case ColumnKind::Name: return {GBK("科目全称")};
    case ColumnKind::Grade: return {column.grade < static_cast<int>(ds.gradeNames.size()) ? ds.gradeNames[column.grade] : ""};
    case ColumnKind::Limit: return {GBK("同科上限")};
    case ColumnKind::Progress: return {GBK("需要同级"), GBK("进度一致")};
    case ColumnKind::Rules: return {GBK("尽量排、不排、一定排")};
    default: return {};
    }
}

void KmGrid::draw(Canvas& canvas, const DataSet& ds) const
{
    const auto cols = columns(ds);
    const int right = cols.back().right;
    const int rowsBottom = HeaderHeight + visibleRows_ * RowHeight;
    const int bottom = rowsBottom + FooterHeight;
    canvas.fillRect({0, 0, std::max(right, width_), std::max(bottom, height_)}, colors::White);

    TextStyle headerStyle;
    headerStyle.color = colors::White;
    TextStyle cellStyle;
    cellStyle.flags |= text::Clip | text::EndEllipsis;

    // Header.
    canvas.fillRect({0, 0, right, HeaderHeight}, HeaderFill);
    for (const Column& c : cols) {
        const auto texts = headerTexts(ds, c);
        if (texts.size() == 2) {
            canvas.drawText({c.left, 0, c.right, HeaderHeight / 2}, texts[0], headerStyle);
            canvas.drawText({c.left, HeaderHeight / 2, c.right, HeaderHeight}, texts[1], headerStyle);
        } else if (!texts.empty()) {
            canvas.drawText({c.left, 0, c.right, HeaderHeight}, texts[0], headerStyle);
        }
    }

    // Subject rows.
    const int n = static_cast<int>(ds.subjects.size());
    for (int v = 0; v < visibleRows_ && firstRow_ + v < n; ++v) {
        const int s = firstRow_ + v;
        const int top = HeaderHeight + v * RowHeight;
        if (s == selected_)
            canvas.fillRect({0, top, right, top + RowHeight}, SelectedFill);
        for (std::size_t i = 0; i < cols.size(); ++i) {
            const Column& c = cols[i];
            TextStyle style = cellStyle;
            Rect r{c.left + 2, top, c.right - 2, top + RowHeight};
            if (c.kind == ColumnKind::Rules)
                style.flags = (style.flags & ~text::HCenter) | text::Left;
            if (overCapacity(ds, s, c))
                style.color = OverCapacity;
            canvas.drawText(r, cellText(ds, s, c), style);
        }
    }

    // Footer: sums over capacities.
    const int half = FooterHeight / 2;
    canvas.fillRect({0, rowsBottom, right, bottom}, FooterFill);
    const int cap = capacity(ds);
    for (const Column& c : cols) {
        const Rect upper{c.left, rowsBottom, c.right, rowsBottom + half};
        const Rect lower{c.left, rowsBottom + half, c.right, bottom};
        const Rect whole{c.left, rowsBottom, c.right, bottom};
        switch (c.kind) {
        case ColumnKind::Number: break;
        case ColumnKind::Name:
            canvas.drawText({0, upper.top, c.right, upper.bottom}, GBK("节数合计"), cellStyle);
            canvas.drawText({0, lower.top, c.right, lower.bottom}, GBK("课时容量"), cellStyle);
            break;
        case ColumnKind::Grade: {
            const int sum = lessonSum(ds, c.grade);
            // Slots every class of the grade has blocked take no lesson: the usable count beside,
            // "40(38)", and a sum above it is red.
            const int usable = usableCapacity(ds, c.grade);
            TextStyle sumStyle = cellStyle;
            if (sum > usable)
                sumStyle.color = OverCapacity;
            canvas.drawText(upper, gbk::formatInt(sum), sumStyle);
            canvas.drawText(lower, usable < cap ? gbk::formatInt(cap) + "(" + gbk::formatInt(usable) + ")" : gbk::formatInt(cap),
                            cellStyle);
            break;
        }
        case ColumnKind::Limit: canvas.drawText(whole, GBK("场室限制"), cellStyle); break;
        case ColumnKind::Progress:
            canvas.drawText(upper, GBK("一般"), cellStyle);
            canvas.drawText(lower, GBK("只设主科"), cellStyle);
            break;
        case ColumnKind::Rules: canvas.drawText(whole, GBK("可弹出预设窗口进行设置"), cellStyle); break;
        default: break;
        }
    }

    // Lines: every row, the footer's middle, every column.
    for (int v = 0; v <= visibleRows_; ++v)
        canvas.drawLine(0, HeaderHeight + v * RowHeight, right, HeaderHeight + v * RowHeight, LineColor);
    canvas.drawLine(cols[2].left, rowsBottom + half, right, rowsBottom + half, LineColor);
    canvas.drawLine(0, bottom - 1, right, bottom - 1, LineColor);
    for (const Column& c : cols) {
        const int x = c.left;
        if (c.kind == ColumnKind::Name)
            canvas.drawLine(x, 0, x, rowsBottom, LineColor); // 节数合计 spans 序号 and 科目全称
        else
            canvas.drawLine(x, 0, x, bottom, LineColor);
    }
    canvas.drawLine(right - 1, 0, right - 1, bottom, LineColor);

    // The rule buttons.
    if (buttonsShown())
        for (Button b : {Button::Preset, Button::Copy, Button::Paste}) {
            const Rect r = buttonRect(ds, b);
            canvas.fillRect(r, ButtonFill);
            canvas.drawLine(r.left, r.top, r.right, r.top, colors::White);
            canvas.drawLine(r.left, r.top, r.left, r.bottom, colors::White);
            canvas.drawLine(r.left, r.bottom - 1, r.right, r.bottom - 1, colors::Grey);
            canvas.drawLine(r.right - 1, r.top, r.right - 1, r.bottom, colors::Grey);
            canvas.drawText(r, buttonText(b), cellStyle);
        }
}

std::string kmSetHelpPage()
{
    return R"(<h2>科目管理</h2>
<p>这里登记学校开设的全部科目，以及每个科目在各年级每周的课时数。每行一个科目，每个年级一列。</p>
<h3>录入与修改</h3>
<ul>
<li><b>添加科目</b>：在表格末尾加一行空科目，点击“科目全称”格填写名称。没有名称的科目不会进入各班的教学计划。</li>
<li>点击“科目全称”、年级列或“同科上限”格即可直接修改，回车确认，Esc 放弃。年级列填写每周课时，例如 <code>5</code>；
<code>5.1</code> 表示每周 5 节，其中 1 次连堂。不以数字开头的内容按 0 节计算。</li>
<li>点击“进度一致”格在“√”与空白之间切换。</li>
<li><b>删除科目</b>、<b>上移一行</b>、<b>下移一行</b>作用于选中的行。</li>
<li><b>场室设置</b>：登记机房、音乐室、操场等共用场室，每个场室同一节最多容纳几个班、哪些科目在那里上课、哪些时段不能用。
补排、课表检查和手动排课都遵守场室的容纳班数。</li>
<li><b>快速导入</b>：把 EXCEL 或 WPS 中“科目名称、各年级课时”的表格复制后粘贴进对话框，按“确定”后整个科目表被替换。</li>
</ul>
<h3>合计与容量</h3>
<p>表格底部“节数合计”是各年级所有科目课时之和，“课时容量”是每天节数乘以上课天数；有些时段各班都设为不排课时，括号里是还能排课的节数（例如“40(38)”），节数合计超过它也显示为红色。合计超过容量时显示为红色，
说明这个年级的课排不下，需要减少课时或增加节数。</p>
<h3>排课规则</h3>
<p>点击最右一列出现三个按钮：<b>设置...</b> 打开“课节预设”窗口，为全校、某个年级或某个班设定该科目在各节次“尽量排、一定排、不排”；
<b>复制设置</b> 记下该科目在所有班级的规则，<b>粘贴设置</b> 把记下的规则原样套用到选中的科目（原科目没有规则的节次，目标科目的规则被清除）。</p>
<h3>教学计划</h3>
<p>按“返回”离开本页或在本页“保存”时，各年级课时自动写入每个班级的教学计划：新开的科目加入，课时改变的更新，课时为 0
或已从科目表删除的科目从教学计划中去掉（连同已选的任课教师），程序会列出受影响的班级。所有修改都可以用“撤销”（Ctrl+Z）恢复。</p>
<h3>键盘</h3>
<p>方向键移动选中格，回车或空格编辑、切换或打开课节预设，PageUp/PageDown/Home/End 翻页。</p>
)";
}

} // namespace tabrel
