// Both views of manual scheduling refuse a lesson whose venue is full or closed at the slot, as they
// refuse a double booking, and their swap marks show such a target as "╳".
#include <gtest/gtest.h>

#include "data/DataSet.h"
#include "manual/ClassTableTiaoKe.h"
#include "manual/TeacherPaike.h"
#include "scheduling/SchedulingFixture.h"
#include "scheduling/TeacherAssignment.h"

using namespace tabrel;
using namespace tabrel::test;
using manual::ClassTableTiaoKe;
using manual::Slot;
using manual::TeacherPaike;

TEST(ManualVenues, FullOrClosedVenuesAreRefusedAndMarkedInBothViews)
{
    // 信息 in the one computer room (closed at period 3 of Monday); 初一(2) is in it at (0, 0).
    auto ds = smallSchool(2);
    ClassTable& mine = *ds->classAt(0, 0);
    ClassTable& other = *ds->classAt(0, 1);
    plan(mine, "信息", 3, G("张三"));
    plan(mine, "语文", 5, G("王五"));
    plan(other, "信息", 3, G("李四"));
    for (const char* t : {"张三", "李四", "王五"})
        addTeacher(*ds, t);
    VenueRecord room;
    room.name = G("机房");
    room.capacity = 1;
    room.subjects = {G("信息")};
    room.unavailable = {{2, 0}};
    ds->extension.venues = {room};
    ComputeAssignedPeriods(*ds);
    ds->syncTeacherAssignments();
    place(*ds, other, 0, 0, "信息");

    ClassTableTiaoKe classView;
    classView.refresh(*ds);
    struct Case {
        Slot slot;
        const char* refusal; // nullptr: placed
    };
    for (const Case& k : {Case{{0, 0}, "×(场室已满)"}, Case{{2, 0}, "×(场室不可用)"}, Case{{0, 1}, nullptr}}) {
        std::string why;
        bool shownActing = false;
        for (const auto& e : classView.placementMenu(*ds, k.slot))
            if (e.text.rfind(G("信息(剩"), 0) == 0) {
                shownActing = e.acts;
                EXPECT_EQ(e.text.find(G("×(场室")) != std::string::npos, k.refusal != nullptr) << U(e.text);
            }
        const bool done = classView.placeSubject(*ds, k.slot, G("信息"), &why);
        EXPECT_EQ(done, k.refusal == nullptr) << U(why);
        EXPECT_EQ(shownActing, done);
        if (k.refusal)
            EXPECT_NE(why.find(G(k.refusal)), std::string::npos) << U(why);
    }
    ASSERT_EQ(mine.cells[0][1].subject, G("信息"));

    // Teacher view: 张三's lesson of 初一(1) at the full slot is listed with the refusal and refused.
    TeacherPaike teacherView;
    teacherView.refresh(*ds);
    ASSERT_EQ(teacherView.currentTeacher(*ds)->name, G("张三"));
    ASSERT_EQ(teacherView.candidates({0, 0}).size(), 1u);
    EXPECT_EQ(teacherView.candidates({0, 0})[0].refusal, G("×(场室已满)"));
    const auto menu = teacherView.placementMenu(*ds, {0, 0});
    ASSERT_EQ(menu.size(), 1u);
    EXPECT_FALSE(menu[0].acts);
    std::string why;
    EXPECT_FALSE(teacherView.placeSubject(*ds, {0, 0}, G("信息"), -1, &why));
    EXPECT_NE(why.find(G("×(场室已满)")), std::string::npos) << U(why);
    EXPECT_TRUE(mine.cells[0][0].subject.empty());
    EXPECT_TRUE(teacherView.shaded(*ds, {0, 0})); // its only lesson is refused there
    EXPECT_TRUE(teacherView.placeSubject(*ds, {1, 1}, G("信息"), -1, &why)) << U(why);

    // Swaps: moving 信息 of (0, 1) onto the full (0, 0) or the closed (2, 0) is "╳"; (1, 0) is free.
    classView.setMode(ClassTableTiaoKe::Swap);
    ASSERT_TRUE(classView.pickSwapSource(*ds, {0, 1}));
    auto marks = classView.marks(*ds);
    EXPECT_EQ(marks[0][0], G("╳"));
    EXPECT_EQ(marks[2][0], G("╳"));
    EXPECT_EQ(marks[1][0], G("√"));
    // The lesson that comes back counts too: 信息 of (0, 1) may not go to (3, 3) once 初一(2) is in
    // the room there.
    place(*ds, mine, 3, 3, "语文");
    classView.refresh(*ds);
    ASSERT_TRUE(classView.pickSwapSource(*ds, {3, 3}));
    EXPECT_EQ(classView.marks(*ds)[0][1], G("√"));
    place(*ds, other, 3, 3, "信息");
    classView.refresh(*ds);
    EXPECT_EQ(classView.marks(*ds)[0][1], G("╳"));
    EXPECT_FALSE(classView.dropOn(*ds, {0, 1}, &why));
    EXPECT_EQ(why, G("╳"));

    teacherView.setMode(*ds, TeacherPaike::Swap);
    ASSERT_TRUE(teacherView.pickLesson(*ds, {0, 1}));
    EXPECT_EQ(teacherView.swapMark(*ds, {0, 0}), G("╳"));
    EXPECT_EQ(teacherView.swapMark(*ds, {2, 0}), G("╳"));
    EXPECT_TRUE(teacherView.shaded(*ds, {0, 0}));
    EXPECT_FALSE(teacherView.shaded(*ds, {1, 0}));
}
