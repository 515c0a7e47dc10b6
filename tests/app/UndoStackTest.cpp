// The undo stack: random edit sequences undone back to the opened file's bytes and redone to the
// end, merging, macros, the clean index and the memory bound.
#include <gtest/gtest.h>

#include <random>

#include "app/UndoStack.h"
#include "data/DataFile.h"
#include "data/DataSet.h"
#include "data/StoredState.h"
#include "support/RandomSchool.h"
#include "support/TestSupport.h"

using namespace tabrel;
using test::G;

namespace {

std::string bytesOf(const DataSet& ds)
{
    std::string out;
    EXPECT_TRUE(encodeDataFile(ds, out).ok());
    return out;
}

// Every teacher's lesson list and slot texts as a rebuild from the cells would give them.
void expectDerivedExact(const DataSet& ds)
{
    DataSet rebuilt;
    ASSERT_TRUE(restoreStoredState(rebuilt, captureStoredState(ds)));
    ASSERT_EQ(rebuilt.teachers.size(), ds.teachers.size());
    for (std::size_t t = 0; t < ds.teachers.size(); ++t) {
        const auto& a = *ds.teachers[t];
        const auto& b = *rebuilt.teachers[t];
        ASSERT_EQ(a.lessons.size(), b.lessons.size()) << "teacher " << t;
        for (std::size_t i = 0; i < a.lessons.size(); ++i) {
            // Each lesson points into this data set, at the cell the rebuild found.
            EXPECT_EQ(a.lessons[i]->classTable->dataSet, &ds);
            EXPECT_EQ(a.lessons[i]->period, b.lessons[i]->period);
            EXPECT_EQ(a.lessons[i]->day, b.lessons[i]->day);
            EXPECT_EQ(a.lessons[i]->classTable->name, b.lessons[i]->classTable->name);
        }
        EXPECT_EQ(a.slotSubject, b.slotSubject);
        EXPECT_EQ(a.slotClassNumbers, b.slotClassNumbers);
    }
}

// One random edit of the kinds the panels make; returns whether it changed the school.
bool randomEdit(DataSet& ds, std::mt19937& rng)
{
    auto pick = [&](int n) { return n <= 0 ? 0 : static_cast<int>(rng() % static_cast<unsigned>(n)); };
    switch (pick(9)) {
    case 0: { // a lesson placed, relinked
        if (ds.grades.empty() || ds.periodsPerDay() == 0 || ds.dayCount() == 0)
            return false;
        const int g = pick(static_cast<int>(ds.grades.size()));
        if (ds.grades[g]->classes.empty())
            return false;
        ClassTable& c = *ds.grades[g]->classes[pick(static_cast<int>(ds.grades[g]->classes.size()))];
        if (c.assignments.empty())
            return false;
        LessonCell& cell = c.cells[pick(std::min(ds.periodsPerDay(), MaxPeriodRows))][pick(std::min(ds.dayCount(), DayColumns))];
        c.setCellSubject(cell, c.assignments[pick(static_cast<int>(c.assignments.size()))]->subject);
        ds.relinkTeacherCells();
        return true;
    }
    case 1:
        return !ds.grades.empty() && ds.removeGrade(pick(static_cast<int>(ds.grades.size())));
    case 2:
        return ds.grades.size() < MaxGradeColumns && ds.appendGrade();
    case 3:
        return !ds.grades.empty() && ds.appendClass(pick(static_cast<int>(ds.grades.size())));
    case 4:
        return !ds.teachers.empty() && ds.removeTeacher(pick(static_cast<int>(ds.teachers.size())));
    case 5:
        ds.appendSubject();
        ds.subjects.back()->name = G("新科目");
        return true;
    case 6:
        if (ds.morningCount >= MaxMorning || ds.periodsPerDay() >= MaxPeriodRows)
            return false;
        ++ds.morningCount;
        return true;
    case 7:
        ds.syncTeacherAssignments();
        return !ds.teachers.empty();
    default: // a class renamed
        for (auto& g : ds.grades)
            if (!g->classes.empty()) {
                g->classes[0]->name += "x";
                return true;
            }
        return false;
    }
}

} // namespace

TEST(UndoStack, RandomEditsUndoToTheOpenedBytesAndRedoToTheEnd)
{
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        auto ds = test::randomSchool(seed);
        ds->relinkTeacherCells();
        UndoStack stack(*ds);
        std::vector<std::string> states{bytesOf(*ds)};
        std::mt19937 rng(seed);
        for (int i = 0; i < 30; ++i)
            if (stack.push("edit", [&](DataSet& d) { return randomEdit(d, rng); }))
                states.push_back(bytesOf(*ds));
        ASSERT_EQ(stack.count() + 1, states.size()) << "seed " << seed;
        EXPECT_EQ(stack.isClean(), states.size() == 1);

        for (std::size_t k = states.size() - 1; k > 0; --k) {
            ASSERT_TRUE(stack.undo());
            ASSERT_EQ(bytesOf(*ds), states[k - 1]) << "seed " << seed << " undo to " << k - 1;
            expectDerivedExact(*ds);
        }
        EXPECT_FALSE(stack.undo());
        EXPECT_TRUE(stack.isClean());
        // Restored in place: every record's owners are the data set and the grade that hold it.
        for (const auto& g : ds->grades) {
            EXPECT_EQ(g->dataSet, ds.get());
            for (const auto& c : g->classes) {
                EXPECT_EQ(c->grade, g.get());
                EXPECT_EQ(c->dataSet, ds.get());
                EXPECT_EQ(c->cells[3][2].classTable, c.get());
            }
        }

        while (stack.redo())
            ;
        EXPECT_EQ(bytesOf(*ds), states.back()) << "seed " << seed;
        expectDerivedExact(*ds);
    }
}

TEST(UndoStack, StepsHoldCellsOutsideTheGridButNotTheTypedTitle)
{
    DataSet ds;
    ds.applyNewDocumentDefaults();
    ds.setGradeCount(1);
    ds.setClassCount(0, 1);
    ClassTable& c = *ds.classAt(0, 0);
    c.cells[11][6].subject = G("语文"); // outside the 7 × 5 grid
    ds.scheduleTitle = G("标题");
    UndoStack stack(ds);
    stack.push("clear", [](DataSet& d) {
        d.classAt(0, 0)->cells[11][6].subject.clear();
        d.scheduleTitle.clear();
        return true;
    });
    ASSERT_TRUE(stack.undo());
    EXPECT_EQ(c.cells[11][6].subject, G("语文"));
    EXPECT_EQ(ds.scheduleTitle, ""); // a title typed for a print-out is the view's, not a step's
}

TEST(UndoStack, TypingMergesMacrosAreOneStepAndTheCleanIndexIsTheModifiedFlag)
{
    DataSet ds;
    ds.setGradeCount(1);
    UndoStack stack(ds);
    int notified = 0;
    stack.addListener([&] { ++notified; });
    auto type = [&](char ch, int id) {
        return stack.push(G("重命名年级"), [ch](DataSet& d) {
            d.gradeNames[0] += ch;
            return true;
        }, id);
    };
    // Typing into a clean state starts a step; the letters after it join that step.
    type('a', 7);
    type('b', 7);
    type('c', 7);
    EXPECT_EQ(stack.count(), 1u);
    EXPECT_EQ(test::U(stack.undoText()), "撤销：重命名年级");
    stack.setClean();
    // Never merged into the saved state: the "*" must come back.
    type('d', 7);
    EXPECT_EQ(stack.count(), 2u);
    EXPECT_FALSE(stack.isClean());
    type('e', 8);
    EXPECT_EQ(stack.count(), 3u);
    stack.undo();
    stack.undo();
    EXPECT_TRUE(stack.isClean());
    EXPECT_EQ(ds.gradeNames[0], G("未命名年级") + "abc");

    // An edit that changes nothing leaves no step and keeps the redo steps.
    EXPECT_FALSE(stack.push("none", [](DataSet&) { return false; }));
    EXPECT_TRUE(stack.canRedo());

    // A macro is one step; one that changed nothing is none. A new step drops the redo tail and
    // with it the clean state that lay there.
    stack.undo();
    stack.beginMacro(G("粘贴"));
    EXPECT_FALSE(stack.canUndo());
    stack.push("1", [](DataSet& d) { return d.appendGrade() > 0; });
    stack.push("2", [](DataSet& d) { return d.appendGrade() > 0; });
    stack.endMacro();
    EXPECT_EQ(stack.count(), 1u);
    EXPECT_EQ(ds.grades.size(), 3u);
    EXPECT_FALSE(stack.isClean());
    stack.undo();
    EXPECT_FALSE(stack.isClean()); // the saved state was among the dropped redo steps
    stack.beginMacro("empty");
    stack.endMacro();
    EXPECT_TRUE(stack.canRedo());
    EXPECT_GT(notified, 0);
}

TEST(UndoStack, TheMemoryBoundDropsTheOldestStepsFirst)
{
    auto ds = test::randomSchool(5, {.grades = 3, .classesPerGrade = 4});
    UndoStack stack(*ds);
    const std::size_t one = captureStoredState(*ds).size();
    stack.setMemoryLimit(one * 3 + one / 2);
    for (int i = 0; i < 10; ++i)
        stack.push("x", [i](DataSet& d) {
            d.gradeNames[0] = std::to_string(i);
            return true;
        });
    EXPECT_EQ(stack.count(), 3u);
    EXPECT_LE(stack.memoryUsed(), one * 4);
    EXPECT_FALSE(stack.isClean());
    stack.setStepLimit(2);
    EXPECT_EQ(stack.count(), 2u);
    while (stack.undo())
        ;
    // The saved state went with the oldest steps: it is never reported as reached.
    EXPECT_EQ(ds->gradeNames[0], "7");
    EXPECT_FALSE(stack.isClean());
    // Steps still to redo are never dropped.
    stack.setStepLimit(1);
    EXPECT_EQ(stack.count(), 2u);
}

TEST(UndoStack, TheStoredSchoolDecidesWhetherAnEditMadeAStep)
{
    struct Case {
        const char* name;
        bool answer;         // what the edit says
        bool changesStored;  // what it really does
        bool checked;        // answers checked (debug builds, the test suite)
        bool step;           // a step is recorded
    };
    for (const Case& k : {Case{"honest change", true, true, true, true},
                          Case{"honest nothing", false, false, true, false},
                          Case{"claims a change it did not make", true, false, true, false},
                          Case{"hides its change, unchecked", false, true, false, true}}) {
        DataSet ds;
        ds.setGradeCount(1);
        UndoStack stack(ds);
        const bool was = UndoStack::checksAnswers();
        UndoStack::setChecksAnswers(k.checked);
        stack.push("edit", [&k](DataSet& d) {
            if (k.changesStored)
                d.gradeNames[0] += "x";
            d.scheduleTitle += "t"; // not stored: never a step of its own
            return k.answer;
        });
        UndoStack::setChecksAnswers(was);
        EXPECT_EQ(stack.count(), k.step ? 1u : 0u) << k.name;
        EXPECT_EQ(stack.isClean(), !k.step) << k.name;
    }
    // Checked, an edit that hides its change stops the program with the step's name.
    EXPECT_DEATH(
        {
            DataSet ds;
            ds.setGradeCount(1);
            UndoStack stack(ds);
            UndoStack::setChecksAnswers(true);
            stack.push("hidden", [](DataSet& d) {
                d.gradeNames[0] += "x";
                return false;
            });
        },
        "hidden");
}
