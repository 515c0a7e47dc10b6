#pragma once
// The subjects panel's take-over: the per-grade lesson counts of the catalogue become the teaching
// plan of every class. Texts are GBK.
#include <string>
#include <vector>

namespace tabrel {

class DataSet;

struct LessonTakeOverResult {
    bool changed = false; // some class's plan was created, changed or shortened
    // A plan row the take-over removed: its subject has no lessons left for the class's grade, or
    // the subject is no longer in the catalogue (renamed, deleted, replaced by a quick import).
    struct Removed {
        std::string className;
        std::string subject;
        std::string teacher; // the teacher the row named, "" when none was chosen yet
    };
    std::vector<Removed> removed;
};

// For every subject in list order (a subject without a name is skipped), every grade position and
// every class of that grade: UpdateAssignmentFromLessonText with the subject's lesson text of that
// grade. Then every plan row whose subject names no subject of the catalogue is removed, so the
// teaching plans follow the catalogue.
LessonTakeOverResult takeOverLessonCounts(DataSet& dataSet);

// What the user reads after a take-over that removed plan rows (GBK): which classes lost which
// subjects and the teacher names that went with them; "" when nothing was removed.
std::string takeOverMessage(const LessonTakeOverResult& result);

} // namespace tabrel
