#include "views/LeftMenu.h"

#include <algorithm>

#include "data/Gbk.h"

namespace tabrel {

LeftMenu::LeftMenu(const std::vector<std::string>& entries)
{
    for (const std::string& e : entries) {
        const auto close = e.find(']');
        Row row;
        const std::string kind = close == std::string::npos ? std::string() : e.substr(0, close + 1);
        row.kind = kind == "[item]" ? Kind::Item : Kind::Title;
        row.text = close == std::string::npos ? e : e.substr(close + 1);
        rows_.push_back(std::move(row));
    }
}

int LeftMenu::rowHeight(int width, int height) const
{
    const int n = static_cast<int>(rows_.size()) + 2;
    return std::max(0, std::min(height / n, width / 3));
}

Rect LeftMenu::rowRect(int row, int width, int height) const
{
    const int h = rowHeight(width, height);
    return Rect{0, row * h, width, row * h + h};
}

Rect LeftMenu::homeRect(int width, int height) const
{
    const int h = rowHeight(width, height);
    return Rect{0, height - h, width, height};
}

int LeftMenu::rowAt(int x, int y, int width, int height) const
{
    if (x < 0 || x >= width)
        return -1;
    const int h = rowHeight(width, height);
    if (h <= 0 || y < 0)
        return -1;
    const int r = y / h;
    return r < static_cast<int>(rows_.size()) ? r : -1;
}

std::optional<std::string> LeftMenu::itemAt(int x, int y, int width, int height) const
{
    const int r = rowAt(x, y, width, height);
    if (r < 0 || rows_[r].kind != Kind::Item)
        return std::nullopt;
    return rows_[r].text;
}

bool LeftMenu::homeAt(int x, int y, int width, int height) const
{
    return rowHeight(width, height) > 0 && homeRect(width, height).contains(x, y);
}

std::vector<int> LeftMenu::itemRows() const
{
    std::vector<int> items;
    for (std::size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i].kind == Kind::Item)
            items.push_back(static_cast<int>(i));
    return items;
}

} // namespace tabrel
