// The take-over of the subjects panel: plans created, changed and removed from the lesson texts,
// orphaned rows removed and reported with the teacher names they carried.
#include <gtest/gtest.h>

#include "setup/LessonTakeOver.h"
#include "setup/SetupFixture.h"

using namespace tabrel;
using test::G;
using test::U;

namespace {
// "subject:weekly.doubles:teacher" of every plan row of a class, joined by " ".
std::string planText(const ClassTable& c)
{
    std::string out;
    for (const auto& a : c.assignments)
        out += (out.empty() ? "" : " ") + U(a->subject) + ":" + std::to_string(a->weeklyLessons) + "." +
               std::to_string(a->doubleCount) + ":" + U(a->teacher);
    return out;
}
} // namespace

TEST(LessonTakeOver, PlansFollowTheLessonTextsOfEachGrade)
{
    struct Case {
        const char* what;
        std::vector<std::pair<const char*, std::vector<std::string>>> catalogue;
        std::string before;            // plan rows given to class 0 of grade 0 first ("" none)
        std::string grade0, grade1;    // expected plans of the first class of each grade
        std::vector<std::string> removed;
        bool changed;
    };
    const Case cases[] = {
        {"counts and double periods", {{"语文", {"5", "6"}}, {"数学", {"5.1", ""}}}, "",
         "语文:5.0: 数学:5.1:", "语文:6.0:", {}, true},
        {"an existing row is updated and keeps its teacher", {{"语文", {"4.2", "4"}}}, "语文:6:张三",
         "语文:4.2:张三", "语文:4.0:", {}, true},
        {"emptying or zeroing a count removes the row", {{"语文", {"", "0"}}, {"数学", {"0", "3"}}},
         "语文:5:张三 数学:4:", "", "数学:3.0:", {"语文", "数学"}, true},
        {"a text that does not start with a number counts as 0", {{"语文", {"五节", "x5"}}}, "", "", "", {}, false},
        {"a subject without a name is skipped", {{"", {"5", "5"}}}, "", "", "", {}, false},
        {"a renamed subject's row goes with its teacher", {{"国语", {"5", ""}}}, "语文:5:张三",
         "国语:5.0:", "", {"语文"}, true},
        {"an equal row keeps its teacher", {{"语文", {"5", ""}}}, "语文:5:李四", "语文:5.0:李四", "", {}, true},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        auto ds = test::smallSchool({2, 1});
        for (const auto& [name, lessons] : k.catalogue)
            test::addSubject(*ds, name, lessons);
        // The preset plan rows: "subject:weekly:teacher" separated by blanks.
        std::string rest = k.before;
        while (!rest.empty()) {
            const std::string row = rest.substr(0, rest.find(' '));
            rest = rest.find(' ') == std::string::npos ? "" : rest.substr(rest.find(' ') + 1);
            const auto c1 = row.find(':'), c2 = row.rfind(':');
            TeachingAssignment* a = ds->classAt(0, 0)->appendAssignment();
            a->subject = G(row.substr(0, c1).c_str());
            a->weeklyLessons = std::stoi(row.substr(c1 + 1, c2 - c1 - 1));
            a->teacher = G(row.substr(c2 + 1).c_str());
        }
        const LessonTakeOverResult r = takeOverLessonCounts(*ds);
        EXPECT_EQ(planText(*ds->classAt(0, 0)), k.grade0);
        EXPECT_EQ(planText(*ds->classAt(1, 0)), k.grade1);
        // The other class of grade 0 had no preset rows: it follows the texts alone.
        EXPECT_EQ(r.changed, k.changed);
        std::vector<std::string> removed;
        for (const auto& x : r.removed) {
            EXPECT_EQ(U(x.className), U(ds->classAt(0, 0)->name));
            removed.push_back(U(x.subject));
        }
        EXPECT_EQ(removed, k.removed);
        // A second take-over finds nothing left to do.
        EXPECT_FALSE(takeOverLessonCounts(*ds).changed);
    }
}

TEST(LessonTakeOver, TheMessageNamesEveryClassSubjectAndTeacherThatWent)
{
    auto ds = test::smallSchool({2});
    for (int c = 0; c < 2; ++c) {
        TeachingAssignment* a = ds->classAt(0, c)->appendAssignment();
        a->subject = G("音乐");
        a->weeklyLessons = 1;
        a->teacher = c == 0 ? G("张三") : "";
    }
    const std::string text = U(takeOverMessage(takeOverLessonCounts(*ds)));
    EXPECT_NE(text.find("\n音乐：初一(1)、初一(2)；原任课教师：张三\n"), std::string::npos) << text;
    EXPECT_EQ(takeOverMessage(LessonTakeOverResult{}), "");
}
