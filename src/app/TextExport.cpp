#include "app/TextExport.h"

#include <algorithm>
#include <cstdio>
#include <fstream>

#include "data/DataSet.h"
#include "data/Gbk.h"

namespace tabrel {

std::string scheduleTextLines(const DataSet& dataSet)
{
    std::string out;
    const int days = dataSet.gridDays();
    const int periods = dataSet.gridPeriods();
    for (std::size_t g = 0; g < dataSet.grades.size(); ++g) {
        const std::string& gradeName = g < dataSet.gradeNames.size() ? dataSet.gradeNames[g] : std::string();
        for (const auto& c : dataSet.grades[g]->classes)
            for (int d = 0; d < days; ++d)
                for (int n = 0; n < periods; ++n) {
                    const LessonCell& cell = c->cells[n][d];
                    const std::string& common = c->commonPeriods[n][d];
                    const std::string& content = common.empty() ? cell.subject : common;
                    // Only slots with no text at all are left out; the automatic run's "empty"
                    // marker is an occupied slot and is written as it stands.
                    if (content.empty())
                        continue;
                    out += gradeName;
                    out += '\t';
                    out += c->name;
                    out += '\t';
                    out += dataSet.dayNames[d];
                    out += '\t';
                    out += gbk::formatInt(n + 1);
                    out += '\t';
                    out += content;
                    out += '\t';
                    out += cell.teacher;
                    out += '\n';
                }
    }
    return out;
}

int exportScheduleText(const DataSet& dataSet, const std::filesystem::path& programFolder)
{
    const std::string text = scheduleTextLines(dataSet);
    std::ofstream file(programFolder / "paikeInfo.txt", std::ios::binary | std::ios::trunc);
    if (!file)
        return 0;
    file.write(text.data(), static_cast<std::streamsize>(text.size()));
    file.flush();
    return file ? 1 : 0;
}

std::string textExportFailedMessage() { return "创建文件失败!"; }

} // namespace tabrel
