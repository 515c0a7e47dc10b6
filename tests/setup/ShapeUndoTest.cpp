// Random sequences of the edits of 班级管理 and 课时安排, each pushed through the undo stack as the
// windows push it: undoing all of them gives back the opened school byte for byte, redoing all of
// them gives the end state, and every step in between comes back exactly.
#include <gtest/gtest.h>

#include <random>

#include "app/UndoStack.h"
#include "data/DataFile.h"
#include "data/DataSet.h"
#include "setup/ClassManagePage.h"
#include "setup/ClassNameTable.h"
#include "setup/CommonPeriodPage.h"
#include "setup/GradeCountEntry.h"
#include "setup/PeriodTimeTable.h"
#include "setup/TimeGridBox.h"
#include "support/RandomSchool.h"
#include "support/TestSupport.h"

using namespace tabrel;
using test::G;

namespace {
std::string bytes(const DataSet& ds)
{
    std::string out;
    EXPECT_TRUE(encodeDataFile(ds, out).ok());
    return out;
}
} // namespace

TEST(ShapeUndo, RandomEditSequencesUndoToTheOpenedBytesAndRedoToTheEnd)
{
    for (uint32_t seed = 1; seed <= 12; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        test::RandomSchoolOptions o;
        o.grades = 1 + static_cast<int>(seed % 4);
        auto ds = test::randomSchool(seed, o);
        std::mt19937 rng(seed);
        UndoStack stack(*ds);
        ClassManagePage classes;
        CommonPeriodPage common;
        std::vector<std::string> states{bytes(*ds)};
        for (int i = 0; i < 40; ++i) {
            common.rebuildTree(*ds);
            common.select(static_cast<int>(rng() % std::max<std::size_t>(common.nodes().size(), 1)));
            const int g = ds->grades.empty() ? -1 : static_cast<int>(rng() % ds->grades.size());
            const int period = static_cast<int>(rng() % std::max(ds->periodsPerDay(), 1));
            const int day = static_cast<int>(rng() % std::max(ds->dayCount(), 1));
            std::function<bool(DataSet&)> edit;
            switch (rng() % 11) {
            case 0:
                edit = [&](DataSet& d) { return classes.addGrade(d); };
                break;
            case 1:
                edit = [&, g](DataSet& d) {
                    classes.stepSelection(d, g + 1);
                    return classes.deleteGrade(d);
                };
                break;
            case 2:
                edit = [&](DataSet& d) {
                    classes.stepSelection(d, 2);
                    return classes.deleteClass(d) || classes.addClass(d);
                };
                break;
            case 3:
                edit = [&](DataSet& d) {
                    classes.stepSelection(d, 1);
                    classes.editSelection(d, 800, 600);
                    return classes.commitEdit(d, G("改名") + std::to_string(rng() % 5));
                };
                break;
            case 4:
                edit = [](DataSet& d) { return ClassManagePage::fillClassNames(d, G("年级"), G("班")); };
                break;
            case 5:
                edit = [&](DataSet& d) {
                    GradeCountEntry e;
                    e.paste(0, 0, G("初一\t") + std::to_string(1 + rng() % 4) + G("\n初二\t2"));
                    return e.apply(d);
                };
                break;
            case 6:
                edit = [&](DataSet& d) {
                    ClassNameTable t;
                    t.load(d);
                    t.paste(1, 0, G("甲班\n乙班"));
                    return t.apply(d);
                };
                break;
            case 7:
                edit = [&](DataSet& d) {
                    return TimeGridBox::step(d, static_cast<DaySection>(rng() % 4), rng() % 2 ? 1 : -1);
                };
                break;
            case 8:
                edit = [&](DataSet& d) {
                    auto ticked = TimeGridBox::tickedDays(d);
                    ticked[rng() % 7] ^= true;
                    return TimeGridBox::setTeachingDays(d, ticked);
                };
                break;
            case 9:
                edit = [&](DataSet& d) {
                    PeriodTimeTable t;
                    t.load(d);
                    t.setText(0, PeriodTimeTable::StartColumn, "7:30");
                    t.fillForward(0, PeriodTimeTable::StartColumn);
                    return t.apply(d);
                };
                break;
            default:
                edit = [&, period, day](DataSet& d) {
                    if (rng() % 2)
                        return CommonPeriodPage::insertRow(d, period, rng() % 3 ? G("课间操") : "");
                    return common.writeSlot(d, period, day, common.toggleValue(d, period, day));
                };
                break;
            }
            if (stack.push(G("一步"), edit))
                states.push_back(bytes(*ds));
            else
                ASSERT_EQ(bytes(*ds), states.back()) << "an edit that says it changed nothing changed the school";
            ASSERT_LE(ds->periodsPerDay(), 12);
            ASSERT_LE(ds->grades.size(), 12u);
        }
        ASSERT_EQ(stack.count(), states.size() - 1);
        for (std::size_t k = states.size() - 1; k > 0; --k) {
            ASSERT_TRUE(stack.undo());
            ASSERT_EQ(bytes(*ds), states[k - 1]) << "after undoing step " << k;
        }
        EXPECT_FALSE(stack.undo());
        for (std::size_t k = 1; k < states.size(); ++k) {
            ASSERT_TRUE(stack.redo());
            ASSERT_EQ(bytes(*ds), states[k]) << "after redoing step " << k;
        }
        EXPECT_FALSE(stack.redo());
    }
}
