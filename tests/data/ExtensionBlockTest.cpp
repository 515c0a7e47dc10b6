// The extension block after section 7: what it keeps, what it refuses, and that a school without
// extension data is written exactly as before.
#include <gtest/gtest.h>

#include <string>

#include "data/DataFile.h"
#include "data/DataSet.h"
#include "data/ExtensionBlock.h"
#include "data/ExtensionJson.h"
#include "support/RandomSchool.h"
#include "support/TestSupport.h"

using namespace tabrel;
using tabrel::test::G;

namespace {

std::string le(int32_t v)
{
    const auto u = static_cast<uint32_t>(v);
    return {static_cast<char>(u), static_cast<char>(u >> 8), static_cast<char>(u >> 16), static_cast<char>(u >> 24)};
}

std::string chunk(const std::string& tag, const std::string& payload)
{
    return tag + le(static_cast<int32_t>(payload.size())) + payload;
}

std::string encode(const DataSet& ds)
{
    std::string out;
    const FileResult r = encodeDataFile(ds, out);
    EXPECT_TRUE(r.ok()) << r.message;
    return out;
}

std::unique_ptr<DataSet> school()
{
    auto ds = std::make_unique<DataSet>();
    ds->applyNewDocumentDefaults();
    ds->setGradeCount(1);
    ds->gradeNames[0] = G("初一");
    ds->setClassCount(0, 2);
    ds->classAt(0, 0)->name = G("初一(1)");
    ds->classAt(0, 1)->name = G("初一(2)");
    ds->appendTeacher();
    ds->teachers[0]->name = G("王芳");
    return ds;
}

const std::string Term = R"J({"start":"2027-03-01","weeks":20,"daysOff":["2027-04-05","2027-05-01..2027-05-05"],"makeUpDays":[{"date":"2027-04-11","follows":"星期五"}]})J";
const std::string Absences = R"J([{"id":1,"teacher":"王芳","from":"2027-03-12","fromPeriod":0,"to":"2027-03-12","toPeriod":6,"kind":"病假","note":"发烧"}])J";
const std::string Venues = R"J([{"name":"操场","capacity":3,"subjects":["体育"],"unavailable":[[4,2],[5,2]],"plans":[{"class":"初一(2)","subject":"物理"}]},{"name":"机房","capacity":1,"subjects":["信息"],"unavailable":[],"plans":[]}])J";
const std::string Changes = R"J([{"date":"2027-03-12","period":2,"class":"初一(2)","subject":"数学","teacher":"王芳","kind":"代课","newTeacher":"李强","swapDate":"","swapPeriod":-1,"absence":1}])J";

} // namespace

TEST(ExtensionBlock, SchoolsWithoutExtensionAreWrittenAsBeforeAndTrailingBytesStayIgnored)
{
    for (uint32_t seed = 1; seed <= 20; ++seed) {
        auto ds = test::randomSchool(seed);
        const std::string bytes = encode(*ds);
        ASSERT_EQ(bytes.find("TBX1"), std::string::npos);
        for (const std::string& tail : {std::string(), std::string("garbage"), std::string("TBX"), le(-1)}) {
            DataSet back;
            ASSERT_TRUE(decodeDataSections(back, bytes + tail).ok()) << seed;
            EXPECT_TRUE(back.extension.empty());
            EXPECT_EQ(encode(back), bytes) << seed;
        }
    }
}

TEST(ExtensionBlock, KnownChunksAreReadAndUnknownOnesKeptInOrder)
{
    auto ds = school();
    const std::string sections = encode(*ds);
    const std::string block = std::string("TBX1") + chunk("QQQQ", "[1,2,{\"x\":\"\xff\"}]") + chunk("TERM", Term)
                              + chunk("VENU", Venues)
                              + chunk("ABSN", Absences) + chunk("ZZZZ", "") + chunk("CHNG", Changes)
                              + chunk("NAME", "\"育才中学\"");
    DataSet back;
    const FileResult r = decodeDataSections(back, sections + block);
    ASSERT_TRUE(r.ok()) << r.message;
    const SchoolExtension& x = back.extension;
    EXPECT_EQ(back.schoolName, G("育才中学"));
    EXPECT_EQ(x.term.weeks, 20);
    ASSERT_EQ(x.term.daysOff.size(), 2u);
    EXPECT_EQ(isoDate(x.term.daysOff[1].to), "2027-05-05");
    ASSERT_EQ(x.term.makeUpDays.size(), 1u);
    EXPECT_EQ(x.term.makeUpDays[0].follows, G("星期五"));
    ASSERT_EQ(x.absences.size(), 1u);
    EXPECT_EQ(x.absences[0].note, G("发烧"));
    ASSERT_EQ(x.changes.size(), 1u);
    EXPECT_EQ(x.changes[0].newTeacher, G("李强"));
    ASSERT_EQ(x.unknownChunks.size(), 2u);
    EXPECT_EQ(std::string(x.unknownChunks[0].tag.data(), 4), "QQQQ");
    ASSERT_EQ(x.venues.size(), 2u);
    EXPECT_EQ(x.venues[0].capacity, 3);
    EXPECT_EQ(x.venues[0].unavailable[1], (VenueSlot{5, 2}));
    EXPECT_EQ(x.venues[0].plans[0].subject, G("物理"));
    EXPECT_EQ(extensionKeyToJson(x, "venues").dump(), ExtensionJsonValue::parse(Venues).dump());
    EXPECT_EQ(x.unknownChunks[0].payload, "[1,2,{\"x\":\"\xff\"}]"); // kept byte for byte, even invalid UTF-8
    EXPECT_EQ(std::string(x.unknownChunks[1].tag.data(), 4), "ZZZZ");

    // Saved, reopened and saved again: the same bytes; the sections untouched.
    const std::string once = encode(back);
    EXPECT_EQ(once.substr(0, sections.size()), sections);
    DataSet again;
    ASSERT_TRUE(decodeDataSections(again, once).ok());
    EXPECT_EQ(again.extension, back.extension);
    EXPECT_EQ(encode(again), once);
}

TEST(ExtensionBlock, MalformedBlocksAreDamage)
{
    const std::string sections = encode(*school());
    const struct {
        const char* what;
        std::string block;
    } cases[] = {
        {"length past the end", "TBX1" + std::string("TERM") + le(500) + Term},
        {"negative length", "TBX1" + std::string("ZZZZ") + le(-4)},
        {"truncated header", "TBX1" + std::string("TER")},
        {"tag not ASCII", "TBX1" + chunk("T\x01RM", "{}")},
        {"invalid JSON", "TBX1" + chunk("TERM", "{\"start\":")},
        {"term of the wrong kind", "TBX1" + chunk("TERM", "[]")},
        {"weeks a string", "TBX1" + chunk("TERM", R"J({"start":"2027-03-01","weeks":"20"})J")},
        {"no such date", "TBX1" + chunk("TERM", R"J({"start":"2027-02-30","weeks":20})J")},
        {"reversed range", "TBX1" + chunk("TERM", R"J({"start":"2027-03-01","weeks":20,"daysOff":["2027-05-05..2027-05-01"]})J")},
        {"absence ends first", "TBX1" + chunk("ABSN", R"J([{"id":1,"teacher":"a","from":"2027-03-12","fromPeriod":3,"to":"2027-03-12","toPeriod":2}])J")},
        {"absence id twice", "TBX1" + chunk("ABSN", R"J([{"id":1,"teacher":"a","from":"2027-03-12","fromPeriod":0,"to":"2027-03-12","toPeriod":2},{"id":1,"teacher":"b","from":"2027-03-12","fromPeriod":0,"to":"2027-03-12","toPeriod":2}])J")},
        {"unknown change kind", "TBX1" + chunk("CHNG", R"J([{"date":"2027-03-12","period":2,"class":"c","subject":"s","teacher":"t","kind":"换课"}])J")},
        {"swap without slot", "TBX1" + chunk("CHNG", R"J([{"date":"2027-03-12","period":2,"class":"c","subject":"s","teacher":"t","kind":"调课"}])J")},
        {"period past the grid", "TBX1" + chunk("CHNG", R"J([{"date":"2027-03-12","period":12,"class":"c","subject":"s","teacher":"t","kind":"停课"}])J")},
        {"name not a string", "TBX1" + chunk("NAME", "3")},
        {"text without GBK form", "TBX1" + chunk("NAME", "\"\xF0\x9F\x98\x80\"")},
        {"venue capacity 0", "TBX1" + chunk("VENU", R"J([{"name":"机房","capacity":0}])J")},
        {"venue without name", "TBX1" + chunk("VENU", R"J([{"capacity":1}])J")},
        {"subject in two venues", "TBX1" + chunk("VENU", R"J([{"name":"a","capacity":1,"subjects":["体育"]},{"name":"b","capacity":1,"subjects":["体育"]}])J")},
        {"venue slot past the grid", "TBX1" + chunk("VENU", R"J([{"name":"a","capacity":1,"unavailable":[[0,7]]}])J")},
        {"venue slot not a pair", "TBX1" + chunk("VENU", R"J([{"name":"a","capacity":1,"unavailable":[[0]]}])J")},
        {"known chunk twice", "TBX1" + chunk("NAME", "\"a\"") + chunk("NAME", "\"b\"")},
    };
    for (const auto& c : cases) {
        DataSet back;
        const FileResult r = decodeDataSections(back, sections + c.block);
        EXPECT_EQ(r.status, FileStatus::Damaged) << c.what;
        EXPECT_NE(r.message.find("扩展数据"), std::string::npos) << c.what << ": " << r.message;
    }
}

TEST(ExtensionBlock, RenamesAndSidecarNamesReachTheRecords)
{
    auto ds = school();
    std::string path, message;
    SchoolExtension& x = ds->extension;
    ASSERT_TRUE(extensionKeyFromJson("absences", ExtensionJsonValue::parse(Absences), x, path, message)) << message;
    ASSERT_TRUE(extensionKeyFromJson("changes", ExtensionJsonValue::parse(Changes), x, path, message)) << message;
    ASSERT_TRUE(extensionKeyFromJson("venues", ExtensionJsonValue::parse(Venues), x, path, message)) << message;
    x.renameTeacher(G("王芳"), G("王方"));
    x.renameClass(G("初一(2)"), G("初一(二)"));
    x.renameSubject(G("数学"), G("数学A"));
    EXPECT_EQ(x.absences[0].teacher, G("王方"));
    EXPECT_EQ(x.changes[0].teacher, G("王方"));
    EXPECT_EQ(x.changes[0].newTeacher, G("李强"));
    EXPECT_EQ(x.changes[0].className, G("初一(二)"));
    EXPECT_EQ(x.changes[0].subject, G("数学A"));
    x.renameClass(G("初一(二)"), G("初一(2)"));
    x.renameSubject(G("体育"), G("体育与健康"));
    x.renameSubject(G("物理"), G("物理A"));
    EXPECT_EQ(x.venues[0].subjects[0], G("体育与健康"));
    EXPECT_EQ(x.venues[0].plans[0], (VenuePlan{G("初一(2)"), G("物理A")}));

    // A sidecar's replacement applies to the teachers the extension names, as to the sections.
    const std::string bytes = encode(*ds);
    DataSet back;
    back.nameReplacements.push_back(G("王方-王芳芳"));
    ASSERT_TRUE(decodeDataSections(back, bytes).ok());
    EXPECT_EQ(back.extension.absences[0].teacher, G("王芳芳"));
    EXPECT_EQ(back.extension.changes[0].teacher, G("王芳芳"));
}
