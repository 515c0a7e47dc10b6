#include <gtest/gtest.h>

#include "output/DrawnTable.h"
#include "output/RecordingCanvas.h"
#include "output/TeacherTimetableSheet.h"
#include "output/TimetableFixtures.h"

using namespace tabrel;
using namespace tabrel::test;
using Kind = RecordingCanvas::Kind;

namespace {

struct TeacherSchool {
    std::unique_ptr<DataSet> ds = newDocumentSchool(3);
    TeacherInfoRecord* teacher = nullptr;
    TeacherSchool()
    {
        teacher = &addTeacher(*ds, "王老师");
        // Classes 1 and 3 together on Monday period 1; class 2 on Tuesday period 5.
        putLesson(*ds, *ds->classAt(0, 0), 0, 0, "数学", "王老师");
        putLesson(*ds, *ds->classAt(0, 2), 0, 0, "数学", "王老师");
        putLesson(*ds, *ds->classAt(0, 1), 4, 1, "物理", "王老师");
    }
};

std::vector<RecordingCanvas::Call> cellTexts(const RecordingCanvas& canvas)
{
    std::vector<RecordingCanvas::Call> out;
    for (const auto& c : canvas.ofKind(Kind::Text))
        if (c.style.height == 0)
            out.push_back(c);
    return out;
}

} // namespace

TEST(TeacherTimetableSheet, SheetLikeTheClassSheetWithTheTeacherTitle)
{
    TeacherSchool s;
    DrawnTable view;
    view.SetDrawOrigin(*s.teacher->dataSet, 30, 40);
    RecordingCanvas canvas;
    DrawTeacherTimetable(*s.teacher, view, canvas, {});

    EXPECT_EQ(U(view.titleText), "王老师 课程信息表");
    const auto* title = canvas.findText(view.titleText);
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->rect, (Rect{30, 40, 433, 76}));
    EXPECT_EQ(title->style.height, 31);
    EXPECT_TRUE(canvas.hasLine(30, 256, 433, 256, colors::Red));
    EXPECT_TRUE(canvas.hasLine(30, 257, 433, 257, colors::Red));
    EXPECT_EQ(canvas.findText("5")->rect, (Rect{30, 266, 73, 284}));
    EXPECT_NE(canvas.findText(G("星期五")), nullptr);
    EXPECT_TRUE(canvas.hasLine(436, 80, 436, 370, colors::Grey)); // last shadow line
    EXPECT_EQ(view.cellRects[0][0], (Rect{73, 112, 145, 148}));
    EXPECT_EQ(view.cellRects[4][1], (Rect{145, 257, 217, 293}));
    EXPECT_EQ(view.cellRects[7][0], Rect{});
}

TEST(TeacherTimetableSheet, SlotTextsFollowTheOptions)
{
    TeacherSchool s;
    DrawnTable view;
    view.SetDrawOrigin(*s.teacher->dataSet, 0, 0);
    const Rect slot{43, 72, 115, 108};
    auto draw = [&](TeacherCellOptions o) {
        RecordingCanvas canvas;
        DrawTeacherTimetable(*s.teacher, view, canvas, o);
        return canvas;
    };
    {   // Subject above, grade and both class numbers below.
        RecordingCanvas canvas = draw({true, true});
        const auto* subject = canvas.findText(G("数学"));
        const auto* klass = canvas.findText(G("初一1.3"));
        ASSERT_TRUE(subject && klass);
        EXPECT_EQ(subject->rect, (Rect{43, 72, 115, 90}));
        EXPECT_EQ(klass->rect, (Rect{43, 90, 115, 108}));
        EXPECT_TRUE(klass->style.flags & text::Clip); // a long class list stays inside its slot
        EXPECT_NE(canvas.findText(G("初一2")), nullptr);
        EXPECT_EQ(cellTexts(canvas).size(), 4u);
    }
    {
        RecordingCanvas canvas = draw({true, false});
        EXPECT_EQ(canvas.findText(G("数学"))->rect, slot);
        EXPECT_EQ(cellTexts(canvas).size(), 2u);
    }
    {
        RecordingCanvas canvas = draw({false, true});
        EXPECT_EQ(canvas.findText(G("初一1.3"))->rect, slot);
        EXPECT_EQ(canvas.findText(G("数学")), nullptr);
        EXPECT_EQ(cellTexts(canvas).size(), 2u);
    }
    EXPECT_TRUE(cellTexts(draw({false, false})).empty());
}

TEST(TeacherTimetableSheet, TeacherWithoutLessonsIsAnEmptySheet)
{
    auto ds = newDocumentSchool();
    TeacherInfoRecord& t = addTeacher(*ds, "赵六");
    RecordingCanvas canvas;
    DrawnTable view;
    DrawTeacherTimetable(t, view, canvas, {});
    EXPECT_NE(canvas.findText(G("赵六 课程信息表")), nullptr);
    EXPECT_NE(canvas.findText("7"), nullptr);
    EXPECT_NE(canvas.findText(G("星期一")), nullptr);
    EXPECT_TRUE(cellTexts(canvas).empty());
}
