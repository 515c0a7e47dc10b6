// libFuzzer target for the runs on any readable file: the automatic run of the whole school
// followed by the completion phase (and the quality phase) finishes (libFuzzer's -timeout catches a hang) without a fault.
//   scripts/fuzz.sh [SECONDS]
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "data/DataFile.h"
#include "data/DataSet.h"
#include "scheduling/AutoRun.h"
#include "scheduling/TeacherAssignment.h"
#include "scheduling/TimetableCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    tabrel::DataSet ds;
    if (!tabrel::decodeDataSections(ds, bytes).ok())
        return 0;
    ds.relinkTeacherCells();
    tabrel::PrepareForScheduling(ds);
    tabrel::SchedulingState state;
    tabrel::AutoRun run(ds, state);
    run.SelectSchool();
    run.stepLimit = 20000; // the search's own cap is far past what small files need; keep runs many
    run.completeAfterSearch = true;
    run.optimizeAfterSearch = size % 2 == 0; // the recommended run on half the inputs
    run.Start();
    (void)tabrel::CheckTimetable(ds);
    return 0;
}
