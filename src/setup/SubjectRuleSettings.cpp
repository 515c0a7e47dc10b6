#include "setup/SubjectRuleSettings.h"

#include <algorithm>
#include <cctype>
#include <climits>

#include "data/DataSet.h"

namespace tabrel {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// A decimal number with optional leading white space and sign at `pos`; moves `pos` past it.
bool readNumber(const std::string& text, std::size_t& pos, int& out)
{
    while (pos < text.size() && isBlank(text[pos]))
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+'))
        negative = text[pos++] == '-';
    if (pos >= text.size() || !std::isdigit(static_cast<unsigned char>(text[pos])))
        return false;
    long long v = 0;
    while (pos < text.size() && std::isdigit(static_cast<unsigned char>(text[pos]))) {
        v = std::min<long long>(v * 10 + (text[pos] - '0'), INT_MAX);
        ++pos;
    }
    out = static_cast<int>(negative ? -v : v);
    return true;
}

} // namespace

bool readSettingsLine(const std::string& line, int& grade, int& classIndex, int& period, int& day,
                      std::string& rule)
{
    std::size_t pos = 0;
    int* fields[4] = {&grade, &classIndex, &period, &day};
    for (int f = 0; f < 4; ++f) {
        if (!readNumber(line, pos, *fields[f]))
            return false;
        if (f < 3) {
            if (pos >= line.size() || line[pos] != ',')
                return false;
            ++pos;
        }
    }
    rule.clear();
    if (pos >= line.size() || line[pos] != ',')
        return true;
    ++pos;
    while (pos < line.size() && isBlank(line[pos]))
        ++pos;
    const std::size_t start = pos;
    while (pos < line.size() && !isBlank(line[pos]))
        ++pos;
    rule = line.substr(start, pos - start);
    return true;
}

std::vector<std::string> copySubjectSettings(const DataSet& dataSet, int subjectIndex)
{
    std::vector<std::string> lines;
    if (subjectIndex < 0 || subjectIndex >= static_cast<int>(dataSet.subjects.size()))
        return lines;
    const Subject& s = *dataSet.subjects[subjectIndex];
    lines.push_back(s.ruleSummary);
    const int periods = dataSet.gridPeriods();
    const int days = dataSet.gridDays();
    for (std::size_t i = 0; i < dataSet.grades.size(); ++i) {
        const auto& classes = dataSet.grades[i]->classes;
        for (std::size_t j = 0; j < classes.size(); ++j)
            for (int k = 0; k < periods; ++k)
                for (int l = 0; l < days; ++l)
                    lines.push_back(std::to_string(i) + "," + std::to_string(j) + "," + std::to_string(k) + "," +
                                    std::to_string(l) + "," + ClassTable::cellRule(classes[j]->cells[k][l], s.name));
    }
    return lines;
}

bool pasteSubjectSettings(DataSet& dataSet, int subjectIndex, const std::vector<std::string>& lines)
{
    if (lines.empty() || subjectIndex < 0 || subjectIndex >= static_cast<int>(dataSet.subjects.size()))
        return false;
    Subject& s = *dataSet.subjects[subjectIndex];
    bool changed = s.ruleSummary != lines.front();
    s.ruleSummary = lines.front();
    // A line keyed by a name holding "-" is never found again; writing it would only pile up lines.
    if (s.name.find('-') != std::string::npos)
        return changed;
    for (std::size_t n = 1; n < lines.size(); ++n) {
        int i = 0, j = 0, k = 0, l = 0;
        std::string rule;
        if (!readSettingsLine(lines[n], i, j, k, l, rule))
            continue;
        ClassTable* c = dataSet.classAt(i, j);
        if (!c || k < 0 || k >= MaxPeriodRows || l < 0 || l >= DayColumns)
            continue;
        LessonCell& cell = c->cells[k][l];
        if (ClassTable::cellRule(cell, s.name) == rule)
            continue;
        ClassTable::setCellRule(cell, s.name, rule);
        changed = true;
    }
    return changed;
}

} // namespace tabrel
