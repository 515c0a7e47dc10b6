#pragma once
// A plain, unoptimised statement of the slot evaluation and of the search, written step by step
// from the description of the cost model: every count is taken from the grids on every call, the
// teachers are found by name every time. The engine's faster code is compared against it.
#include <vector>

#include "data/ClassTable.h"
#include "data/DataSet.h"

namespace tabrel::literal {

// EvaluateSlot of the cell in its class: fills candidates, candidateTexts and the assignments'
// working fields; returns the number of texts.
int EvaluateSlot(ClassTable& c, const LessonCell& cell, int autoRunning);

std::vector<LessonCell*> BuildSlotList(DataSet& ds, const std::vector<ClassTable*>& classes);
int PlaceBest(ClassTable& c, LessonCell& cell);
int NextAlternative(ClassTable& c, LessonCell& cell);

struct RunOutcome {
    int steps = 0;
    int cursor = 0;
};
// The search loop; ends at the step cap, past the last slot, or when the cursor falls below 0.
RunOutcome RunSearch(DataSet& ds, const std::vector<LessonCell*>& slots, int stepLimit = 98000);

} // namespace tabrel::literal
