#include "output/RecordingWorkbook.h"

#include <sstream>

namespace tabrel {

namespace {
std::string number(double v)
{
    std::ostringstream os;
    os << v;
    return os.str();
}
} // namespace

std::string RecordingWorkbook::range(std::string_view first, std::string_view last)
{
    return std::string(first) + ":" + std::string(last);
}

void RecordingWorkbook::merge(std::string_view first, std::string_view last)
{
    calls_.push_back("merge " + range(first, last));
    sheet_.merge(first, last);
}

void RecordingWorkbook::setValue(std::string_view first, std::string_view last, const std::string& text)
{
    calls_.push_back("value " + range(first, last) + " " + text);
    sheet_.setValue(first, last, text);
}

void RecordingWorkbook::centre(std::string_view first, std::string_view last)
{
    calls_.push_back("centre " + range(first, last));
    sheet_.centre(first, last);
}

void RecordingWorkbook::borderAround(std::string_view first, std::string_view last)
{
    calls_.push_back("border " + range(first, last));
    sheet_.borderAround(first, last);
}

void RecordingWorkbook::setFont(std::string_view first, std::string_view last, const FontSettings& font)
{
    std::string line = "font " + range(first, last);
    if (font.name)
        line += " name=" + *font.name;
    if (font.bold)
        line += std::string(" bold=") + (*font.bold ? "1" : "0");
    if (font.size)
        line += " size=" + number(*font.size);
    if (font.colorIndex)
        line += " color=" + std::to_string(*font.colorIndex);
    calls_.push_back(line);
    sheet_.setFont(first, last, font);
}

void RecordingWorkbook::setRowHeight(int row, double height)
{
    calls_.push_back("rowHeight " + std::to_string(row) + " " + number(height));
    sheet_.setRowHeight(row, height);
}

void RecordingWorkbook::setColumnWidth(int column, double width)
{
    calls_.push_back("columnWidth " + std::to_string(column) + " " + number(width));
    sheet_.setColumnWidth(column, width);
}

void RecordingWorkbook::setColumnWidth(std::string_view first, std::string_view last, double width)
{
    calls_.push_back("columnWidth " + range(first, last) + " " + number(width));
    sheet_.setColumnWidth(first, last, width);
}

void RecordingWorkbook::wrapUsedRange()
{
    calls_.push_back("wrapUsedRange");
    sheet_.wrapUsedRange();
}

bool RecordingWorkbook::saveAs(const std::filesystem::path& path, std::string& error)
{
    calls_.push_back("saveAs " + path.string());
    if (!failure_.empty()) {
        error = failure_;
        return false;
    }
    savedPaths_.push_back(path);
    if (sink_)
        sink_->push_back(Saved{path, sheet_, calls_});
    return true;
}

} // namespace tabrel
