// Venues: the check's `venue` problems (after the first `capacity` lessons in grade and class order,
// every lesson in a closed slot, plan rows sent to a venue), and the completion phase keeping every
// venue on generated tight schools whose venues a complete timetable fits, and the quality phase
// after it never breaking one.
#include <gtest/gtest.h>

#include <algorithm>

#include "scheduling/AutoRun.h"
#include "scheduling/SchedulingFixture.h"
#include "scheduling/TimetableCheck.h"
#include "scheduling/VenueUse.h"
#include "support/TightSchool.h"

using namespace tabrel;
using namespace tabrel::test;

namespace {

int venueProblems(const DataSet& ds)
{
    const auto problems = CheckTimetable(ds);
    return static_cast<int>(std::count_if(problems.begin(), problems.end(),
                                          [](const TimetableProblem& p) { return p.kind == ProblemKind::Venue; }));
}

CompletionResult completeRun(DataSet& ds, bool optimize = false)
{
    SchedulingState state;
    AutoRun run(ds, state);
    run.SelectSchool();
    run.completeAfterSearch = true;
    run.optimizeAfterSearch = optimize;
    run.Start();
    return run.lastCompletion();
}

} // namespace

TEST(Venues, TheCheckReportsLessonsPastTheCapacityAndInClosedSlots)
{
    struct Lesson {
        int cls, p, d;
        const char* subject;
    };
    struct Case {
        const char* name;
        std::vector<Lesson> lessons;
        std::vector<std::array<int, 3>> venueProblems; // class, period, day
    };
    // 操场: 体育, 2 classes, closed at (1, 0); 初一(4)'s 音乐 is sent there.
    const Case cases[] = {
        {"within the capacity", {{0, 0, 0, "体育"}, {1, 0, 0, "体育"}}, {}},
        {"the third class is over", {{2, 0, 0, "体育"}, {0, 0, 0, "体育"}, {1, 0, 0, "体育"}}, {{2, 0, 0}}},
        {"closed slot", {{1, 1, 0, "体育"}}, {{1, 1, 0}}},
        {"a plan row sent there counts", {{3, 0, 1, "音乐"}, {0, 0, 1, "体育"}, {1, 0, 1, "体育"}}, {{3, 0, 1}}},
        {"the same subject elsewhere does not", {{2, 0, 2, "音乐"}, {0, 0, 2, "体育"}, {1, 0, 2, "体育"}}, {}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        auto ds = smallSchool(4);
        for (int j = 0; j < 4; ++j) {
            const std::string n = std::to_string(j);
            plan(*ds->classAt(0, j), "体育", 3, G("体") + n);
            plan(*ds->classAt(0, j), "音乐", 1, G("音") + n);
        }
        VenueRecord ground;
        ground.name = G("操场");
        ground.capacity = 2;
        ground.subjects = {G("体育")};
        ground.unavailable = {{1, 0}};
        ground.plans = {{ds->classAt(0, 3)->name, G("音乐")}};
        ds->extension.venues = {ground};
        for (const Lesson& l : k.lessons)
            place(*ds, *ds->classAt(0, l.cls), l.p, l.d, l.subject);
        std::vector<std::array<int, 3>> got;
        for (const TimetableProblem& p : CheckTimetable(*ds))
            if (p.kind == ProblemKind::Venue)
                got.push_back({p.classIndex, p.period, p.day});
        EXPECT_EQ(got, k.venueProblems);
        // without venues the same timetable has no venue problem
        ds->extension.venues.clear();
        EXPECT_EQ(venueProblems(*ds), 0);
    }
}

TEST(Venues, CompletionKeepsVenuesThatACompleteTimetableFits)
{
    int tried = 0;
    for (uint32_t seed = 1; seed <= 6; ++seed) {
        SCOPED_TRACE(seed);
        TightSchoolOptions o;
        o.grades = 1 + static_cast<int>(seed % 2);
        o.classesPerGrade = 4 + static_cast<int>(seed % 3) * 2;
        o.handPlacedPercent = 3;
        // A complete timetable without venues …
        auto solved = tightSchool(seed, o);
        prepare(*solved);
        completeRun(*solved);
        if (!CheckTimetable(*solved).empty())
            continue; // the venues below are drawn around a complete timetable
        ++tried;
        // … decides the venues: the ground for 体育, a computer room, a music room that also takes the
        // first class's 美术; each holds that timetable's busiest slot and is closed where it is unused.
        std::vector<VenueRecord> venues(3);
        venues[0].name = G("操场");
        venues[0].subjects = {G("体育")};
        venues[1].name = G("机房");
        venues[1].subjects = {G("信息技术")};
        venues[2].name = G("音乐室");
        venues[2].subjects = {G("音乐")};
        venues[2].plans = {{solved->classAt(0, 0)->name, G("美术")}};
        for (VenueRecord& v : venues)
            v.capacity = MaxVenueCapacity;
        solved->extension.venues = venues;
        const VenueMap map(*solved);
        const auto loads = VenueLoads(*solved, map);
        for (int v = 0; v < 3; ++v) {
            int most = 0;
            for (int slot = 0; slot < MaxPeriodRows * DayColumns; ++slot)
                most = std::max(most, static_cast<int>(loads[v][slot].lessons.size()));
            venues[v].capacity = std::max(1, most);
            int closed = 0;
            for (int p = 0; p < solved->gridPeriods() && closed < 3; ++p)
                for (int d = 0; d < solved->gridDays() && closed < 3; ++d)
                    if (loads[v][p * DayColumns + d].lessons.empty()) {
                        venues[v].unavailable.push_back({p, d});
                        ++closed;
                    }
        }
        auto ds = tightSchool(seed, o);
        ds->extension.venues = venues;
        prepare(*ds);
        const CompletionResult r = completeRun(*ds);
        EXPECT_EQ(venueProblems(*ds), 0);
        EXPECT_EQ(CheckTimetable(*ds).size(), 0u);
        EXPECT_EQ(r.problemsAfter, 0);
        // the quality phase after it never puts a lesson over a venue
        auto optimized = tightSchool(seed, o);
        optimized->extension.venues = venues;
        prepare(*optimized);
        completeRun(*optimized, true);
        EXPECT_EQ(CheckTimetable(*optimized).size(), 0u);
    }
    EXPECT_GE(tried, 4);
}
