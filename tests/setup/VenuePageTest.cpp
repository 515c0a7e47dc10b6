// The venue page: every change it takes and every input it refuses (with a Chinese reason and
// nothing changed).
#include <gtest/gtest.h>

#include <functional>

#include "data/DataSet.h"
#include "scheduling/SchedulingFixture.h"
#include "setup/VenuePage.h"

using namespace tabrel;
using namespace tabrel::test;

TEST(VenuePage, ChangesAndRefusals)
{
    auto ds = smallSchool(2);
    for (const char* s : {"体育", "信息", "物理"})
        ds->findOrAppendSubject(G(s));
    ASSERT_EQ(venues::addVenue(*ds), "");
    ASSERT_EQ(venues::addVenue(*ds), "");
    ASSERT_EQ(ds->extension.venues[1].name, G("场室2"));
    ASSERT_EQ(venues::setSubjects(*ds, 0, G("体育、 信息,体育")), "");
    EXPECT_EQ(venues::subjectsText(*ds, 0), G("体育、信息"));
    struct Case {
        const char* name;
        std::function<std::string(DataSet&)> edit;
        const char* reasonHas; // nullptr: taken
    };
    const Case cases[] = {
        {"capacity", [](DataSet& d) { return venues::setCapacity(d, 1, G(" 3")); }, nullptr},
        {"capacity 0", [](DataSet& d) { return venues::setCapacity(d, 1, G("0")); }, "1 到 10000"},
        {"capacity text", [](DataSet& d) { return venues::setCapacity(d, 1, G("三")); }, "不是有效的容纳班数"},
        {"name", [](DataSet& d) { return venues::setName(d, 1, G(" 机房 ")); }, nullptr},
        {"name taken", [](DataSet& d) { return venues::setName(d, 1, G("场室1")); }, "不能重复"},
        {"empty name", [](DataSet& d) { return venues::setName(d, 1, G("  ")); }, "不能为空"},
        {"subject of another venue", [](DataSet& d) { return venues::setSubjects(d, 1, G("物理 信息")); }, "只能属于一个场室"},
        {"unknown subject", [](DataSet& d) { return venues::setSubjects(d, 1, G("化学")); }, "没有名为“化学”的科目"},
        {"plan row", [](DataSet& d) { return venues::addPlan(d, 1, G("初一(2)"), G("物理")); }, nullptr},
        {"plan row twice", [](DataSet& d) { return venues::addPlan(d, 0, G("初一(2)"), G("物理")); }, "已指定"},
        {"plan of no class", [](DataSet& d) { return venues::addPlan(d, 1, G("初九(1)"), G("物理")); }, "没有名为“初九(1)”的班级"},
        {"closing a slot", [](DataSet& d) { return venues::toggleUnavailable(d, 0, 4, 2); }, nullptr},
        {"slot outside the grid", [](DataSet& d) { return venues::toggleUnavailable(d, 0, 11, 2); }, "不在课时表内"},
        {"moving past the end", [](DataSet& d) { return venues::moveVenue(d, 1, 1); }, "无法再移动"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        const auto before = ds->extension.venues;
        const std::string why = k.edit(*ds);
        if (k.reasonHas) {
            EXPECT_NE(why.find(k.reasonHas), std::string::npos) << why;
            EXPECT_EQ(ds->extension.venues, before);
        } else {
            EXPECT_EQ(why, "");
            EXPECT_NE(ds->extension.venues, before);
        }
    }
    EXPECT_EQ(ds->extension.venues[1].capacity, 3);
    EXPECT_EQ(ds->extension.venues[1].name, G("机房"));
    EXPECT_EQ(venues::planText(*ds, 1, 0), G("初一(2) 物理"));
    EXPECT_EQ(venues::toggleUnavailable(*ds, 0, 4, 2), ""); // opened again
    EXPECT_TRUE(ds->extension.venues[0].unavailable.empty());
}
