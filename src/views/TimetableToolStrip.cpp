#include "views/TimetableToolStrip.h"

#include <algorithm>

#include "data/Gbk.h"

namespace tabrel {

TimetableToolStrip::TimetableToolStrip(Variant variant) : variant_(variant)
{
    auto add = [&](ItemKind kind, Hit hit, const char* text) {
        Item item;
        item.kind = kind;
        item.hit = hit;
        item.text = text ? gbk::literal(text) : std::string();
        items_.push_back(item);
    };
    add(ItemKind::CheckBox, Hit::FirstCheck, "显示科目");
    add(ItemKind::CheckBox, Hit::SecondCheck, variant == Variant::Class ? "显示教师" : "显示班级");
    if (variant == Variant::Class) {
        add(ItemKind::Radio, Hit::FullName, "全称");
        add(ItemKind::Radio, Hit::ShortName, "简称");
    }
    add(ItemKind::Label, Hit::None, "每行显示");
    add(ItemKind::NumberBox, Hit::PerRowBox, nullptr);
    add(ItemKind::Label, Hit::None, "张表格");
    add(ItemKind::ExportButton, Hit::Export, "导出打印");
}

int TimetableToolStrip::stripHeight(int clientHeight)
{
    return std::max(clientHeight / 20, 24);
}

int TimetableToolStrip::fontHeight() const
{
    return std::clamp(height_ * 9 / 20, 12, 20);
}

void TimetableToolStrip::layout(int width, int height)
{
    height_ = height;
    grooves_.clear();
    const int fh = fontHeight();
    const int box = std::max(fh * 3 / 4, 9);
    const int pad = std::max(fh / 2, 6);
    const int top = 2, bottom = height - 2;
    const int mid = height / 2;
    int x = pad;
    auto textWidth = [&](const std::string& t) { return static_cast<int>(t.size()) * fh / 2 + 2; };
    auto groove = [&] {
        x += pad;
        grooves_.push_back(x);
        x += pad + 2;
    };
    for (std::size_t i = 0; i < items_.size(); ++i) {
        Item& it = items_[i];
        const int start = x;
        switch (it.kind) {
        case ItemKind::CheckBox:
        case ItemKind::Radio:
            it.indicator = Rect{x, mid - box / 2, x + box, mid - box / 2 + box};
            x += box + 4;
            it.textRect = Rect{x, top, x + textWidth(it.text), bottom};
            x = it.textRect.right;
            break;
        case ItemKind::Label:
            it.textRect = Rect{x, top, x + textWidth(it.text), bottom};
            x = it.textRect.right;
            break;
        case ItemKind::NumberBox: {
            const int w = fh * 2;
            it.indicator = Rect{x + 2, mid - fh * 2 / 3, x + 2 + w, mid + fh * 2 / 3};
            it.textRect = it.indicator;
            x += w + 4;
            break;
        }
        case ItemKind::ExportButton:
            it.indicator = Rect{x, mid - IconSize / 2, x + IconSize, mid - IconSize / 2 + IconSize};
            x += IconSize + 4;
            it.textRect = Rect{x, top, x + textWidth(it.text), bottom};
            x = it.textRect.right;
            break;
        }
        it.rect = Rect{start, top, x, bottom};
        x += pad / 2;
        // Grooves separate the check boxes, the radio buttons, the per-row group and the export.
        const bool lastOfGroup = (it.hit == Hit::SecondCheck) || (it.hit == Hit::ShortName) ||
                                 (it.kind == ItemKind::Label && i + 1 < items_.size() &&
                                  items_[i + 1].kind == ItemKind::ExportButton);
        if (lastOfGroup)
            groove();
    }
    (void)width;
}

TimetableToolStrip::Hit TimetableToolStrip::hitTest(int x, int y) const
{
    for (const Item& it : items_)
        if (it.hit != Hit::None && it.rect.contains(x, y))
            return it.hit;
    return Hit::None;
}

Rect TimetableToolStrip::rectOf(Hit hit) const
{
    for (const Item& it : items_)
        if (it.hit == hit)
            return it.rect;
    return {};
}

std::vector<std::string> TimetableToolStrip::exportMenuItems()
{
    return {gbk::literal("导出到多个EXCEL文件"), gbk::literal("导出多个表到一个EXCEL文件"),
            gbk::literal("导出到多个图片文件")};
}

bool TimetableToolStrip::moveFocus(int step)
{
    std::vector<Hit> acting;
    for (const Item& it : items_)
        if (it.hit != Hit::None)
            acting.push_back(it.hit);
    if (acting.empty() || step == 0)
        return false;
    const auto at = std::find(acting.begin(), acting.end(), focus_);
    const int n = static_cast<int>(acting.size());
    int i = at == acting.end() ? (step > 0 ? -1 : 0) : static_cast<int>(at - acting.begin());
    i = ((i + (step > 0 ? 1 : -1)) % n + n) % n;
    focus_ = acting[i];
    return true;
}

} // namespace tabrel
