// The JSON form of a schedule: the data set → JSON → data set round trip, the filling of a fresh
// data set from short input, and the path and message of every kind of misfit.
#include <gtest/gtest.h>

#include "cli/JsonSchedule.h"
#include "data/DataSet.h"
#include "support/RandomSchool.h"
#include "support/TestSupport.h"

using namespace tabrel;
using namespace tabrel::cli;
using tabrel::test::G;
using tabrel::test::U;

namespace {

// A small school that touches every stored field with a value other than its default.
void fillSchool(DataSet& ds)
{
    ds.earlyReadingCount = 1;
    ds.morningCount = 4;
    ds.afternoonCount = 2;
    ds.eveningCount = 1;
    ds.dayNames = {G("星期一"), G("星期二"), G("星期三")};
    ds.commonRowNames[2] = G("课间操");
    ds.commonRowStarts[2] = "9:40";
    ds.commonRowEnds[2] = "10:00";
    ds.periodStarts[0] = "7:20";
    ds.periodEnds[19] = "21:00";
    ds.lessonMinutes = 45;
    ds.breakMinutes = -5;
    ds.setGradeCount(2);
    ds.gradeNames[0] = G("初一");
    ds.gradeNames[1] = G("初二");
    ds.setClassCount(0, 2);
    ds.setClassCount(1, 1);
    ds.classAt(0, 0)->name = G("初一(1)");
    ds.classAt(0, 1)->name = G("初一(2)");
    ds.classAt(1, 0)->name = G("初二(1)");
    ClassTable& c = *ds.classAt(0, 1);
    c.cells[7][2].subject = G("语文");
    c.cells[7][2].teacher = G("张三");
    c.cells[7][2].reservedValue = 2147483647;
    c.cells[0][0].markFlag = 1;
    c.cells[3][1].subjectRules = {G("语文-尽量排"), G("体育-不排")};
    c.commonPeriods[5][2] = G("教研活动");
    auto* a = c.appendAssignment();
    a->subject = G("语文");
    a->teacher = G("张三");
    a->weeklyLessons = 6;
    a->doubleCount = 1;
    a->placedCount = -2147483647 - 1;
    ds.appendSubject();
    ds.subjects[0]->name = G("语文");
    ds.subjects[0]->gradeLessons[0] = "6";
    ds.subjects[0]->gradeLessons[11] = "x";
    ds.subjects[0]->sameSubjectLimit = 2;
    ds.subjects[0]->progressAligned = 1;
    ds.subjects[0]->ruleSummary = G("星期一第1节（尽量排）");
    ds.appendTeacher();
    auto& t = *ds.teachers[0];
    t.name = G("张三");
    t.shortName = G("张三");
    t.taughtSubjects = G("语文");
    t.workload = 12;
    t.remark = G("备注");
    t.ruleSummary = G("规则");
    ds.teacherSlotSettings[11][6] = {G("张三-不排"), G("李四-尽量排")};
    ds.teacherGroupTable.setCell(1, 2, G("语文组"));
    ds.spareTable.setCell(0, 0, "x");
}

Json parse(const char* text) { return Json::parse(text); }

// Reads `json` into a fresh data set and returns the error (path and message) it reports.
JsonError misfit(const Json& json)
{
    DataSet ds;
    JsonError e;
    EXPECT_FALSE(fromJson(json, ds, e)) << json.dump();
    return e;
}

} // namespace

TEST(JsonSchedule, RoundTripKeepsEveryStoredField)
{
    DataSet original;
    fillSchool(original);
    const Json first = toJson(original);

    DataSet copy;
    JsonError e;
    ASSERT_TRUE(fromJson(first, copy, e)) << e.text();
    EXPECT_EQ(first, toJson(copy));

    // Fields read back where they belong, as GBK.
    EXPECT_EQ(copy.classAt(0, 1)->cells[7][2].subject, G("语文"));
    EXPECT_EQ(copy.classAt(0, 1)->commonPeriods[5][2], G("教研活动"));
    EXPECT_EQ(copy.classAt(0, 1)->cells[3][1].subjectRules.size(), 2u);
    EXPECT_EQ(copy.teacherSlotSettings[11][6][1], G("李四-尽量排"));
    EXPECT_EQ(copy.teacherGroupTable.rowCount(), 2);
    EXPECT_EQ(copy.teacherGroupTable.columnCount(), 3);
    EXPECT_EQ(copy.teacherGroupTable.cell(1, 2), G("语文组"));
    EXPECT_EQ(copy.classAt(0, 1)->assignments[0]->placedCount, -2147483647 - 1);
    // Classes are made the way loading makes them: grade name and 1-based position.
    EXPECT_EQ(copy.classAt(0, 1)->gradeName, G("初一"));
    EXPECT_EQ(copy.classAt(0, 1)->ordinal, 2);
    EXPECT_EQ(copy.classAt(1, 0)->gradeName, G("初二"));
}

TEST(JsonSchedule, RandomSchoolsRoundTrip)
{
    for (uint32_t seed = 100; seed < 140; ++seed) {
        auto school = test::randomSchool(seed);
        const Json first = toJson(*school);
        DataSet copy;
        JsonError e;
        ASSERT_TRUE(fromJson(first, copy, e)) << "seed " << seed << ": " << e.text();
        EXPECT_TRUE(first == toJson(copy)) << "seed " << seed;
    }
}

TEST(JsonSchedule, DumpHoldsStoredCellsAndWholeFixedArrays)
{
    DataSet ds;
    fillSchool(ds);
    const Json j = toJson(ds);

    std::vector<std::string> keys;
    for (const auto& item : j.items())
        keys.push_back(item.key());
    const std::vector<std::string> expected = {
        "earlyReadingCount", "morningCount", "afternoonCount", "eveningCount", "dayNames", "commonRowNames",
        "commonRowStarts", "commonRowEnds", "periodStarts", "periodEnds", "lessonMinutes", "breakMinutes",
        "grades", "subjects", "teachers", "teacherSlotSettings", "teacherGroupTable", "spareTable"};
    EXPECT_EQ(keys, expected);

    const Json& cells = j["grades"][0]["classes"][1]["cells"];
    ASSERT_EQ(cells.size(), 8u); // 1 + 4 + 2 + 1 periods
    for (const auto& row : cells)
        EXPECT_EQ(row.size(), 3u); // three day names
    EXPECT_EQ(cells[7][2]["subject"], "语文");
    EXPECT_EQ(cells[7][2]["teacher"], "张三");
    EXPECT_EQ(cells[5][2]["commonPeriod"], "教研活动");
    EXPECT_EQ(j["periodEnds"].size(), 20u);
    EXPECT_EQ(j["periodEnds"][19], "21:00");
    EXPECT_EQ(j["subjects"][0]["gradeLessons"].size(), 12u);
    ASSERT_EQ(j["teacherSlotSettings"].size(), 12u);
    for (const auto& row : j["teacherSlotSettings"])
        EXPECT_EQ(row.size(), 7u);
    EXPECT_EQ(j["teacherGroupTable"]["cells"], parse(R"([["","",""],["","","语文组"]])"));
}

TEST(JsonSchedule, AbsentKeysKeepConstructionDefaults)
{
    DataSet ds;
    JsonError e;
    ASSERT_TRUE(fromJson(parse(R"({"morningCount": 2, "dayNames": ["一"],
        "grades": [{"classes": [{}, {"name": "二班", "cells": [[{"subject": "数学"}]]}]}],
        "subjects": [{"gradeLessons": ["3"]}],
        "teacherGroupTable": {"rows": 2, "columns": 1}})"),
                         ds, e))
        << e.text();
    DataSet fresh;
    EXPECT_EQ(ds.lessonMinutes, fresh.lessonMinutes);
    EXPECT_EQ(ds.breakMinutes, fresh.breakMinutes);
    EXPECT_EQ(ds.afternoonCount, 0);
    ASSERT_EQ(ds.gradeNames.size(), 1u);
    EXPECT_EQ(ds.gradeNames[0], G("未命名年级"));
    ASSERT_EQ(ds.classCount(0), 2);
    EXPECT_EQ(ds.classAt(0, 0)->name, G("未命名"));
    EXPECT_EQ(ds.classAt(0, 0)->gradeName, G("未命名年级"));
    EXPECT_EQ(ds.classAt(0, 1)->ordinal, 2);
    EXPECT_EQ(ds.classAt(0, 1)->name, G("二班"));
    EXPECT_EQ(ds.classAt(0, 1)->cells[0][0].subject, G("数学"));
    EXPECT_EQ(ds.classAt(0, 1)->cells[0][0].teacher, "");
    EXPECT_EQ(ds.subjects[0]->gradeLessons[0], "3");
    EXPECT_EQ(ds.subjects[0]->gradeLessons[1], "");
    EXPECT_EQ(ds.teacherGroupTable.rowCount(), 2);
    EXPECT_EQ(ds.teacherGroupTable.cell(1, 0), "");
}

TEST(JsonSchedule, TypeMisfitsNameTheExactPath)
{
    Json j = parse(R"({"morningCount": 4, "dayNames": ["一", "二"],
        "grades": [{"name": "初一", "classes": [{}, {}, {"cells": [[], [], [], [{}, {"subject": "语文"}]]}]}]})");
    j["grades"][0]["classes"][2]["cells"][3][1]["subject"] = 7;
    JsonError e = misfit(j);
    EXPECT_EQ(e.text(), "grades[0].classes[2].cells[3][1].subject: expected a string");

    struct Case {
        const char* json;
        const char* path;
        const char* message;
    };
    const Case cases[] = {
        {R"([1])", "", "expected an object"},
        {R"({"dayNames": "星期一"})", "dayNames", "expected an array"},
        {R"({"dayNames": [1]})", "dayNames[0]", "expected a string"},
        {R"({"lessonMinutes": "40"})", "lessonMinutes", "expected an integer"},
        {R"({"lessonMinutes": 40.5})", "lessonMinutes", "expected an integer"},
        {R"({"lessonMinutes": true})", "lessonMinutes", "expected an integer"},
        {R"({"breakMinutes": 2147483648})", "breakMinutes", "expected an integer that fits in 32 bits"},
        {R"({"breakMinutes": -2147483649})", "breakMinutes", "expected an integer that fits in 32 bits"},
        {R"({"grades": [{"classes": [{"assignments": [{"weeklyLessons": null}]}]}]})",
         "grades[0].classes[0].assignments[0].weeklyLessons", "expected an integer"},
        {R"({"grades": [{"classes": {}}]})", "grades[0].classes", "expected an array"},
        {R"({"subjects": [{"gradeLessons": [5]}]})", "subjects[0].gradeLessons[0]", "expected a string"},
        {R"({"teachers": [{}, {"workload": "16"}]})", "teachers[1].workload", "expected an integer"},
        {R"({"teacherSlotSettings": [[], [[], ["张三-不排", 3]]]})", "teacherSlotSettings[1][1][1]",
         "expected a string"},
        {R"({"teacherGroupTable": {"rows": -1}})", "teacherGroupTable.rows", "expected an integer from 0 to 2147483647"},
        {R"({"spareTable": {"rows": 1, "columns": 1, "cells": [[{}]]}})", "spareTable.cells[0][0]", "expected a string"},
        {R"({"teachers": [{"nmae": "张三"}]})", "teachers[0].nmae", "unknown key"},
        {R"({"grade": []})", "grade", "unknown key"},
    };
    for (const auto& c : cases) {
        JsonError got = misfit(parse(c.json));
        EXPECT_EQ(got.path, c.path) << c.json;
        EXPECT_EQ(got.message, c.message) << c.json;
    }
}

TEST(JsonSchedule, ArraysLongerThanTheirPlaceAreRefused)
{
    Json twentyOne = Json::array();
    for (int i = 0; i < 21; ++i)
        twentyOne.push_back("");
    Json thirteen = Json::array();
    for (int i = 0; i < 13; ++i)
        thirteen.push_back(Json::object());
    Json thirteenTexts = Json::array();
    for (int i = 0; i < 13; ++i)
        thirteenTexts.push_back("1");
    Json eightLists = Json::array();
    for (int i = 0; i < 8; ++i)
        eightLists.push_back(Json::array());

    auto with = [](const char* key, Json value) {
        Json j = Json::object();
        j[key] = std::move(value);
        return j;
    };
    Json subject = with("gradeLessons", thirteenTexts);
    Json slotRows = Json::array();
    slotRows.push_back(Json::array());
    slotRows.push_back(eightLists);

    struct Case {
        Json json;
        const char* path;
    };
    const Case cases[] = {
        {with("periodStarts", twentyOne), "periodStarts"},
        {with("commonRowNames", twentyOne), "commonRowNames"},
        {parse(R"({"dayNames": ["1","2","3","4","5","6","7","8"]})"), "dayNames"},
        {with("grades", thirteen), "grades"},
        {with("subjects", Json::array({subject})), "subjects[0].gradeLessons"},
        {with("teacherSlotSettings", Json(std::vector<Json>(13, Json::array()))), "teacherSlotSettings"},
        {with("teacherSlotSettings", slotRows), "teacherSlotSettings[1]"},
        // The data file's own limits: classes per grade and teachers.
        {with("grades", Json::array({with("classes", Json(std::vector<Json>(201, Json::object())))})),
         "grades[0].classes"},
        {with("teachers", Json(std::vector<Json>(2001, Json::object()))), "teachers"},
        // Three periods a day, two days: a fourth row or a third cell has no place.
        {parse(R"({"morningCount": 3, "dayNames": ["一", "二"],
                   "grades": [{"classes": [{"cells": [[], [], [], []]}]}]})"),
         "grades[0].classes[0].cells"},
        {parse(R"({"morningCount": 3, "dayNames": ["一", "二"],
                   "grades": [{"classes": [{"cells": [[], [{}, {}, {}]]}]}]})"),
         "grades[0].classes[0].cells[1]"},
        // Keys are read in their meaning's order: the counts size the cells wherever they stand.
        {parse(R"({"grades": [{"classes": [{"cells": [[{}]]}]}], "morningCount": 1})"), "grades[0].classes[0].cells[0]"},
        {parse(R"({"teacherGroupTable": {"rows": 1, "columns": 2, "cells": [[], []]}})"), "teacherGroupTable.cells"},
        {parse(R"({"teacherGroupTable": {"rows": 1, "columns": 2, "cells": [["", "", ""]]}})"),
         "teacherGroupTable.cells[0]"},
        {parse(R"({"spareTable": {"cells": [[]]}})"), "spareTable.cells"},
    };
    for (const auto& c : cases) {
        JsonError got = misfit(c.json);
        EXPECT_EQ(got.path, c.path) << c.json.dump();
        EXPECT_NE(got.message.find("at most"), std::string::npos) << got.text();
    }
}

TEST(JsonSchedule, TimeGridCountsStayWithinWhatADataFileHolds)
{
    // A data file accepts any non-negative section counts that add up to at most 12 periods, so
    // the JSON form does too: whatever `dump` prints must build back.
    DataSet fromFile;
    Json j = parse(R"({"earlyReadingCount": 3, "morningCount": 7, "afternoonCount": 2, "eveningCount": 0})");
    JsonError none;
    ASSERT_TRUE(fromJson(j, fromFile, none)) << none.text();
    EXPECT_EQ(fromFile.earlyReadingCount, 3);
    EXPECT_EQ(fromFile.morningCount, 7);
    const std::pair<const char*, const char*> cases[] = {
        {R"({"afternoonCount": -1})", "afternoonCount: expected an integer from 0 to 12"},
        {R"({"eveningCount": 13})", "eveningCount: expected an integer from 0 to 12"},
        {R"({"earlyReadingCount": 2, "morningCount": 6, "afternoonCount": 5})",
         "the four section counts add up to 13 periods a day; a timetable holds at most 12"},
    };
    for (const auto& [json, text] : cases)
        EXPECT_EQ(misfit(parse(json)).text(), text);

    DataSet ds;
    JsonError e;
    EXPECT_TRUE(fromJson(parse(R"({"earlyReadingCount": 2, "morningCount": 6, "afternoonCount": 4})"), ds, e));
    EXPECT_EQ(ds.periodsPerDay(), 12);
}

TEST(JsonSchedule, TextsWithoutGbkFormAreRefused)
{
    JsonError e = misfit(parse(R"({"teachers": [{"name": "张三😀"}]})"));
    EXPECT_EQ(e.path, "teachers[0].name");
    EXPECT_NE(e.message.find("😀"), std::string::npos) << e.message;

    e = misfit(parse(R"({"grades": [{"classes": [{"assignments": [{"subject": "语文", "teacher": "𠀀"}]}]}]})"));
    EXPECT_EQ(e.path, "grades[0].classes[0].assignments[0].teacher");
}

TEST(JsonSchedule, OversizedTablesAndTextsAreRefused)
{
    Json teacher = Json::object();
    teacher["remark"] = std::string((1 << 20) + 1, 'a');
    Json big = Json::object();
    big["teachers"] = Json::array({teacher});
    EXPECT_EQ(misfit(big).path, "teachers[0].remark");

    JsonError e = misfit(parse(R"({"teacherGroupTable": {"rows": 2000000000, "columns": 2000000000}})"));
    EXPECT_EQ(e.path, "teacherGroupTable");
}
