#include "data/ClipboardTable.h"

namespace tabrel {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string trimmed(std::string_view field)
{
    std::size_t b = 0, e = field.size();
    while (b < e && isBlank(field[b]))
        ++b;
    while (e > b && isBlank(field[e - 1]))
        --e;
    return std::string(field.substr(b, e - b));
}

} // namespace

std::vector<std::vector<std::string>> cutClipboardTable(std::string_view text)
{
    std::vector<std::vector<std::string>> rows;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t nl = text.find('\n', start);
        const bool ended = nl != std::string_view::npos;
        const std::string_view line = text.substr(start, ended ? nl - start : std::string_view::npos);
        if (!ended && line.empty())
            break;
        std::vector<std::string> fields;
        if (line.empty()) {
            fields.emplace_back();
        } else {
            std::size_t f = 0;
            while (f < line.size()) {
                const std::size_t tab = line.find('\t', f);
                if (tab == std::string_view::npos) {
                    fields.push_back(trimmed(line.substr(f)));
                    break;
                }
                fields.push_back(trimmed(line.substr(f, tab - f)));
                f = tab + 1;
            }
        }
        rows.push_back(std::move(fields));
        if (!ended)
            break;
        start = nl + 1;
    }
    return rows;
}

std::string joinClipboardTable(const std::vector<std::vector<std::string>>& rows)
{
    std::string out;
    for (const auto& row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i)
                out += '\t';
            out += row[i];
        }
        out += '\n';
    }
    return out;
}

} // namespace tabrel
