#include "setup/PaikeRuleGrid.h"

#include <algorithm>

#include "data/DataSet.h"
#include "data/Gbk.h"

namespace tabrel {

namespace {
int periodsOf(const DataSet& ds) { return ds.gridPeriods(); }
int daysOf(const DataSet& ds) { return ds.gridDays(); }
} // namespace

const std::string& PaikeRuleGrid::preferText() { return GBK("尽量排"); }
const std::string& PaikeRuleGrid::mustText() { return GBK("一定排"); }
const std::string& PaikeRuleGrid::neverText() { return GBK("不排"); }
const std::string& PaikeRuleGrid::classesDifferText() { return GBK("各班不同"); }
const std::string& PaikeRuleGrid::teachersDifferText() { return GBK("设置不同"); }

std::string PaikeRuleGrid::nextInCycle(const std::string& shown)
{
    if (shown.empty())
        return preferText();
    if (shown == preferText())
        return mustText();
    if (shown == mustText())
        return neverText();
    return {};
}

bool PaikeRuleGrid::active() const
{
    if (mode_ == Mode::Subject)
        return !scope_.empty() && subject_.find('-') == std::string::npos;
    return std::any_of(teachers_.begin(), teachers_.end(),
                       [](const std::string& t) { return t.find('-') == std::string::npos; });
}

void PaikeRuleGrid::refresh(const DataSet& ds)
{
    for (auto& row : shown_)
        row.fill(std::string());
    const int periods = periodsOf(ds), days = daysOf(ds);
    for (int p = 0; p < periods; ++p)
        for (int d = 0; d < days; ++d) {
            std::vector<std::string> values;
            if (mode_ == Mode::Subject) {
                for (const auto& [g, c] : scope_)
                    if (const ClassTable* ct = ds.classAt(g, c))
                        values.push_back(ClassTable::cellRule(ct->cells[p][d], subject_));
            } else {
                for (const std::string& t : teachers_)
                    values.push_back(ds.teacherSlotValue(p, d, t));
            }
            if (values.empty())
                continue;
            const bool differ = std::any_of(values.begin(), values.end(),
                                            [&](const std::string& v) { return v != values.front(); });
            shown_[p][d] = differ ? (mode_ == Mode::Subject ? classesDifferText() : teachersDifferText())
                                  : values.front();
        }
}

const std::string& PaikeRuleGrid::shown(int period, int day) const
{
    static const std::string none;
    if (period < 0 || period >= MaxPeriodRows || day < 0 || day >= DayColumns)
        return none;
    return shown_[period][day];
}

std::string PaikeRuleGrid::cornerText() const
{
    if (mode_ == Mode::Subject)
        return subject_;
    if (teachers_.size() == 1)
        return teachers_.front();
    return GBK("己选") + gbk::formatInt(static_cast<long long>(teachers_.size())) + GBK("人");
}

std::string PaikeRuleGrid::summary(const DataSet& ds) const
{
    std::string out;
    const int periods = periodsOf(ds), days = daysOf(ds);
    for (int d = 0; d < days; ++d)
        for (int p = 0; p < periods; ++p)
            if (!shown_[p][d].empty())
                out += ds.dayNames[d] + ds.periodLabel(p) + GBK("（") + shown_[p][d] + GBK("）");
    return out;
}

std::vector<PaikeRuleGrid::RowBand> PaikeRuleGrid::rows(const DataSet& ds) const
{
    struct Item { int period; bool thin; int weight; };
    std::vector<Item> items{{-1, false, 5}};
    const int morningEnd = ds.earlyReadingCount + ds.morningCount;
    const int afternoonEnd = morningEnd + ds.afternoonCount;
    const int periods = periodsOf(ds);
    for (int p = 0; p < periods; ++p) {
        if ((p == morningEnd && ds.afternoonCount > 0) || (p == afternoonEnd && ds.eveningCount > 0))
            items.push_back({-1, true, 1});
        items.push_back({p, false, 5});
    }
    int total = 0;
    for (const Item& i : items)
        total += i.weight;
    std::vector<RowBand> bands;
    int acc = 0;
    for (const Item& i : items) {
        const int top = height_ * acc / total;
        acc += i.weight;
        bands.push_back({i.period, i.thin, top, height_ * acc / total});
    }
    return bands;
}

int PaikeRuleGrid::columnLeft(const DataSet& ds, int column) const
{
    const int columns = daysOf(ds) + 1;
    return width_ * std::clamp(column, 0, columns) / columns;
}

bool PaikeRuleGrid::slotAt(const DataSet& ds, int x, int y, int& period, int& day) const
{
    const int days = daysOf(ds);
    int column = -1;
    for (int c = 1; c <= days; ++c)
        if (x >= columnLeft(ds, c) && x < columnLeft(ds, c + 1))
            column = c;
    if (column < 0)
        return false;
    for (const RowBand& b : rows(ds))
        if (b.period >= 0 && y >= b.top && y < b.bottom) {
            period = b.period;
            day = column - 1;
            return true;
        }
    return false;
}

Rect PaikeRuleGrid::slotRect(const DataSet& ds, int period, int day) const
{
    for (const RowBand& b : rows(ds))
        if (b.period == period)
            return Rect{columnLeft(ds, day + 1), b.top, columnLeft(ds, day + 2), b.bottom};
    return {};
}

PaikeRuleGrid::Reaction PaikeRuleGrid::mouse(const DataSet& ds, Button button, Phase phase, int x, int y)
{
    int p = -1, d = -1;
    if (!slotAt(ds, x, y, p, d))
        return Reaction::None;
    Reaction r = Reaction::None;
    if (mode_ == Mode::Subject) {
        if (button == Button::Left && phase == Phase::Down)
            r = Reaction::Cycle;
        else if (button == Button::Right && phase == Phase::Up)
            r = Reaction::Menu;
    } else if (phase == Phase::Down) {
        r = button == Button::Left ? Reaction::Menu : Reaction::Cycle;
    }
    if (r != Reaction::None) {
        menuPeriod_ = p;
        menuDay_ = d;
    }
    return r;
}

const std::string& PaikeRuleGrid::commandText(Command c)
{
    switch (c) {
    case Command::Prefer: return preferText();
    case Command::Must: return mustText();
    case Command::Never: return neverText();
    case Command::Auto: return GBK("本节课自动");
    case Command::AllAuto: return GBK("全部设为自动");
    }
    return GBK("");
}

bool PaikeRuleGrid::write(DataSet& ds, int period, int day, const std::string& value)
{
    if (!active() || period < 0 || period >= periodsOf(ds) || day < 0 || day >= daysOf(ds))
        return false;
    bool changed = false;
    if (mode_ == Mode::Subject) {
        for (const auto& [g, c] : scope_)
            if (ClassTable* ct = ds.classAt(g, c)) {
                LessonCell& cell = ct->cells[period][day];
                if (ClassTable::cellRule(cell, subject_) != value) {
                    ClassTable::setCellRule(cell, subject_, value);
                    changed = true;
                }
            }
    } else {
        for (const std::string& t : teachers_) {
            if (t.find('-') != std::string::npos || ds.teacherSlotValue(period, day, t) == value)
                continue;
            ds.setTeacherSlotValue(period, day, t, value);
            changed = true;
        }
    }
    shown_[period][day] = value;
    return changed;
}

bool PaikeRuleGrid::cycle(DataSet& ds, int period, int day)
{
    return write(ds, period, day, nextInCycle(shown(period, day)));
}

bool PaikeRuleGrid::clearAll(DataSet& ds)
{
    if (!active())
        return false;
    bool changed = false;
    for (int p = 0; p < periodsOf(ds); ++p)
        for (int d = 0; d < daysOf(ds); ++d)
            changed |= write(ds, p, d, std::string());
    return changed;
}

bool PaikeRuleGrid::apply(DataSet& ds, Command c)
{
    switch (c) {
    case Command::Prefer: return write(ds, menuPeriod_, menuDay_, preferText());
    case Command::Must: return write(ds, menuPeriod_, menuDay_, mustText());
    case Command::Never: return write(ds, menuPeriod_, menuDay_, neverText());
    case Command::Auto: return write(ds, menuPeriod_, menuDay_, std::string());
    case Command::AllAuto: return clearAll(ds);
    }
    return false;
}

void PaikeRuleGrid::draw(Canvas& canvas, const DataSet& ds) const
{
    const int days = daysOf(ds);
    const auto bands = rows(ds);
    const int right = columnLeft(ds, days + 1);
    canvas.fillRect({0, 0, width_, height_}, colors::White);
    TextStyle labelStyle;
    labelStyle.color = colors::White;
    TextStyle slotStyle;
    slotStyle.flags |= text::Clip;

    const RowBand& header = bands.front();
    canvas.fillRect({0, header.top, right, header.bottom}, LabelFill);
    canvas.drawText({0, header.top, columnLeft(ds, 1), header.bottom}, cornerText(), labelStyle);
    for (int d = 0; d < days; ++d)
        canvas.drawText({columnLeft(ds, d + 1), header.top, columnLeft(ds, d + 2), header.bottom}, ds.dayNames[d],
                        labelStyle);
    for (const RowBand& b : bands) {
        if (b.period < 0)
            continue;
        canvas.fillRect({0, b.top, columnLeft(ds, 1), b.bottom}, LabelFill);
        canvas.drawText({0, b.top, columnLeft(ds, 1), b.bottom}, ds.periodLabel(b.period), labelStyle);
        for (int d = 0; d < days; ++d) {
            const std::string& t = shown(b.period, d);
            TextStyle style = slotStyle;
            if (t == neverText())
                style.color = Rgb{200, 0, 0};
            else if (t == mustText())
                style.color = Rgb{0, 0, 200};
            else if (t == classesDifferText() || t == teachersDifferText())
                style.color = colors::Grey;
            canvas.drawText(slotRect(ds, b.period, d), t, style);
        }
    }
    for (const RowBand& b : bands)
        canvas.drawLine(0, b.top, right, b.top, colors::Grey);
    canvas.drawLine(0, height_ - 1, right, height_ - 1, colors::Grey);
    for (int c = 0; c <= days + 1; ++c) {
        const int x = std::min(columnLeft(ds, c), right - 1);
        canvas.drawLine(x, 0, x, height_, colors::Grey);
    }
}

} // namespace tabrel
