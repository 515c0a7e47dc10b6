#include "output/TotalScheduleText.h"

#include <algorithm>

#include "data/DataSet.h"
#include "data/Gbk.h"

namespace tabrel {

namespace {

int periodCount(const DataSet& ds) { return ds.gridPeriods(); }
int dayCount(const DataSet& ds) { return ds.gridDays(); }

// Carriage returns and line feeds become spaces. Neither byte can stand inside a two-byte GBK
// character, so a byte-wise replacement never touches one.
std::string withoutLineBreaks(std::string text)
{
    std::replace(text.begin(), text.end(), '\r', ' ');
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

std::string copiedSubject(const std::string& subject)
{
    return subject == "empty" ? std::string() : withoutLineBreaks(subject);
}

std::string cleanField(std::string field)
{
    field.erase(std::remove(field.begin(), field.end(), '"'), field.end());
    std::size_t cut = field.find('\r');
    if (cut == std::string::npos)
        cut = field.find('\n');
    if (cut != std::string::npos)
        field.erase(cut);
    if (field == GBK("体育"))
        field = GBK("体育1");
    return field;
}

} // namespace

std::vector<BatchImportField> cutBatchImportText(const std::string& text)
{
    std::vector<BatchImportField> fields;
    int row = 0, column = 0;
    bool quoted = false;
    std::string current;
    for (char ch : text) {
        if (ch == '"') {
            quoted = !quoted;
            current += ch;
        } else if (!quoted && (ch == '\t' || ch == '\n')) {
            fields.push_back({row, column, cleanField(current)});
            current.clear();
            if (ch == '\t') {
                ++column;
            } else {
                ++row;
                column = 0;
            }
        } else {
            current += ch;
        }
    }
    if (current.find('"') != std::string::npos)
        fields.push_back({row, column, cleanField(current)});
    return fields;
}

int BatchImport(DataSet& ds, const std::vector<ClassTable*>& selected, const std::string& text)
{
    const int n = static_cast<int>(selected.size());
    if (n == 0)
        return 0; // the column-to-class rule has nothing to divide by
    const int T = periodCount(ds), D = dayCount(ds);
    int changed = 0;
    for (const BatchImportField& f : cutBatchImportText(text)) {
        const int day = f.column / n;
        if (f.row >= T || day >= D)
            continue;
        ClassTable& c = *selected[f.column % n];
        if (!c.commonPeriods[f.row][day].empty())
            continue;
        LessonCell& cell = c.cells[f.row][day];
        const std::string before = cell.subject, teacherBefore = cell.teacher;
        c.setCellSubject(cell, f.text);
        ds.relinkCell(cell);
        if (cell.subject != before || cell.teacher != teacherBefore)
            ++changed;
    }
    return changed;
}

bool ClearSelectedClasses(DataSet& ds, const std::vector<ClassTable*>& selected)
{
    const int T = periodCount(ds), D = dayCount(ds);
    bool had = false;
    for (ClassTable* c : selected) {
        for (int p = 0; p < T && !had; ++p)
            for (int d = 0; d < D && !had; ++d)
                had = !c->cells[p][d].subject.empty() || !c->cells[p][d].teacher.empty();
        c->ClearAllCells();
    }
    return had;
}

bool ReplaceLineBreaksInCells(DataSet& ds, const std::vector<ClassTable*>& selected)
{
    const int T = periodCount(ds), D = dayCount(ds);
    bool changed = false;
    for (ClassTable* c : selected)
        for (int p = 0; p < T; ++p)
            for (int d = 0; d < D; ++d) {
                LessonCell& cell = c->cells[p][d];
                std::string s = withoutLineBreaks(cell.subject), t = withoutLineBreaks(cell.teacher);
                if (s != cell.subject || t != cell.teacher) {
                    cell.subject = std::move(s);
                    cell.teacher = std::move(t);
                    changed = true;
                }
            }
    return changed;
}

std::string masterStyle1Text(const DataSet& ds, const std::vector<const ClassTable*>& selected)
{
    const int T = periodCount(ds), D = dayCount(ds);
    std::string out;
    auto line = [&](auto field) {
        bool first = true;
        for (int d = 0; d < D; ++d)
            for (const ClassTable* c : selected) {
                if (!first)
                    out += '\t';
                first = false;
                out += field(*c, d);
            }
        out += '\n';
    };
    line([](const ClassTable& c, int) { return c.name; });
    for (int p = 0; p < T; ++p) {
        line([p](const ClassTable& c, int d) { return copiedSubject(c.cells[p][d].subject); });
        line([p](const ClassTable& c, int d) { return withoutLineBreaks(c.cells[p][d].teacher); });
    }
    return out;
}

std::string masterStyle2Text(const DataSet& ds, const std::vector<const ClassTable*>& selected)
{
    const int T = periodCount(ds), D = dayCount(ds);
    std::string out;
    for (int d = 0; d < D; ++d)
        for (int p = 0; p < T; ++p)
            out += gbk::formatInt(p + 1) + '\t';
    out += '\n';
    auto line = [&](const ClassTable& c, bool subjects) {
        bool first = true;
        for (int d = 0; d < D; ++d)
            for (int p = 0; p < T; ++p) {
                if (!first)
                    out += '\t';
                first = false;
                const LessonCell& cell = c.cells[p][d];
                out += subjects ? copiedSubject(cell.subject) : withoutLineBreaks(cell.teacher);
            }
        out += '\n';
    };
    for (const ClassTable* c : selected) {
        line(*c, true);
        line(*c, false);
    }
    return out;
}

} // namespace tabrel
