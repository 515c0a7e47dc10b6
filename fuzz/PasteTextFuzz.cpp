// libFuzzer target for the texts a user pastes: the one cutting of clipboard tables, a paste into a
// dialog's grid, and the master timetable's batch import into a small school.
//   scripts/fuzz.sh [SECONDS]
#include <cstddef>
#include <cstdint>
#include <string>

#include "views/GridModel.h"
#include "data/ClipboardTable.h"
#include "data/DataSet.h"
#include "output/TotalScheduleText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto rows = tabrel::cutClipboardTable(text);
    (void)tabrel::joinClipboardTable(rows);

    tabrel::GridModel grid(6, 5, 1, 1);
    grid.paste(1, 1, text);
    grid.paste(5, 4, text);

    static tabrel::DataSet* school = [] {
        auto* ds = new tabrel::DataSet;
        ds->applyNewDocumentDefaults();
        ds->setGradeCount(1);
        ds->setClassCount(0, 3);
        return ds;
    }();
    (void)tabrel::cutBatchImportText(text);
    tabrel::BatchImport(*school, school->classesInGradeOrder(), text);
    return 0;
}
