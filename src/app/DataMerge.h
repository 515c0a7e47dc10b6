#pragma once
// "合并数据": adds the grades and classes (with their timetables and teaching plans), the per-grade
// subject lesson counts and the new teachers of a second data file to the open schedule.
#include <string>

namespace tabrel {

class DataSet;

enum class MergeStatus {
    Merged,        // done
    CannotOpen,    // the second file could not be opened
    Damaged,       // the second file is damaged
    GridDiffers,   // section counts or number of days differ: nothing merged
    TooManyGrades, // the school would have more than 12 grades: nothing merged
};

struct MergeResult {
    MergeStatus status = MergeStatus::Merged;
    std::string message; // UTF-8, for the user; empty when merged
    bool merged() const { return status == MergeStatus::Merged; }
    // A file that cannot be opened or whose time grid differs merges nothing without a message box
    // (the status line says why); a damaged file and a school grown past 12 grades are shown.
    bool needsMessageBox() const { return status == MergeStatus::Damaged || status == MergeStatus::TooManyGrades; }
};

// Merges `other` (already read, no sidecar, no rebuild needed) into `dataSet`. On success `other`
// gives up its grades and the teachers that were new; every merged class, grade and teacher then
// belongs to `dataSet` and the teachers' lessons are rebuilt. On refusal nothing changes.
MergeResult mergeDataSet(DataSet& dataSet, DataSet& other);

// Reads the data file at `path` with the section readers only (no .rep sidecar) and merges it.
MergeResult mergeDataFile(DataSet& dataSet, const std::string& path);

} // namespace tabrel
