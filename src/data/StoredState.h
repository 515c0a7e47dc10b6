#pragma once
// What the data file stores of a school, in a compact form the undo stack keeps per step: every
// stored field of every record (the seven sections' content, with the whole 12 × 7 grids of every
// class so cells outside the current time grid come back as they were), texts as length and raw
// bytes. Not in it: what is derived from it (the teachers' lesson lists, slot texts and courses,
// the assigned periods), the working fields of the placement checks (candidates, swap marks,
// alternatives) and what a view chose (the typed master title, display modes).
#include <string>
#include <string_view>

namespace tabrel {

class DataSet;

// The stored state of the data set.
std::string captureStoredState(const DataSet& dataSet);

// Puts a captured state back in place: records at the same positions stay the same objects (so
// whoever points at a class or a teacher stays right), records are added or dropped at the end,
// and only stored fields are written. The teachers' derived lists are emptied and the lessons
// relinked; working fields of records that stay are left as they are. `state` must come from
// captureStoredState; false when it was cut short or runs on past its end.
bool restoreStoredState(DataSet& dataSet, std::string_view state);

} // namespace tabrel
