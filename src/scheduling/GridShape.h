#pragma once
// The time grid as the placement checks see it: section sizes and the derived boundaries,
// clamped to the fixed grid so that no index ever leaves it.
#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "data/DataSet.h"
#include "data/Dimensions.h"
#include "data/Gbk.h"

namespace tabrel {

struct GridShape {
    int L = 0, M = 0, N = 0, E = 0; // early reading, morning, afternoon, evening periods
    int T = 0;                      // periods per day (at most MaxPeriodRows)
    int D = 0;                      // teaching days (at most DayColumns)

    static GridShape of(const DataSet& ds)
    {
        GridShape g;
        g.L = ds.earlyReadingCount;
        g.M = ds.morningCount;
        g.N = ds.afternoonCount;
        g.E = ds.eveningCount;
        g.T = std::clamp(ds.periodsPerDay(), 0, MaxPeriodRows);
        g.D = std::clamp(ds.dayCount(), 0, DayColumns);
        return g;
    }
    int eveningStart() const { return L + M + N; }
    // First period of the morning, afternoon or evening.
    bool sectionStart(int p) const { return p == L || p == L + M || p == L + M + N; }
    // A pair (p, p+1) that crosses from one section into the next.
    bool straddles(int p) const { return p == L - 1 || p == L + M - 1 || p == L + M + N - 1; }
    // The pair (p, p+1) lies inside the morning or inside the afternoon.
    bool daytimePair(int p) const { return (p >= L && p <= L + M - 2) || (p >= L + M && p <= L + M + N - 2); }
    // Time fit of a subject at a period: the subject's section does not contain the period.
    bool timeMismatch(bool zao, bool wan, int p) const
    {
        return (zao && p >= L) || (wan && p < L + M + N) || (!zao && p < L) || (!wan && p >= L + M + N);
    }
    // Early-reading subjects in early reading and evening subjects in the evening are never double bookings.
    bool clashExempt(bool zao, bool wan, int p) const { return (zao && p < L) || (wan && p >= L + M + N); }
};

// Names and texts the checks recognise.
namespace names {
using gbk::containsText;
using gbk::findText;
inline bool hasZao(const std::string& s) { return containsText(s, GBK("早")); }
inline bool hasWan(const std::string& s) { return containsText(s, GBK("晚")); }
// The requirement lines that grant the subject the at-least-one-lesson-a-day bonus in the class:
// "每天最少上1节" and the subject both stand after the start of the line, and the line speaks of
// every class ("各班") or names the class.
inline int requirementMatches(const std::vector<std::string>& lines, const std::string& subject,
                              const std::string& className)
{
    int n = 0;
    for (const std::string& line : lines) {
        const auto daily = findText(line, GBK("每天最少上1节"));
        const auto at = findText(line, subject);
        if (daily == std::string_view::npos || daily == 0 || at == std::string_view::npos || at == 0)
            continue;
        if (containsText(line, GBK("各班")) || containsText(line, className))
            ++n;
    }
    return n;
}
// "专门人" and "" are never tested for double bookings, pace or balance.
inline bool exemptTeacher(const std::string& t) { return t.empty() || t == GBK("专门人"); }
inline const std::string& emptyMarker() { static const std::string s = "empty"; return s; }
} // namespace names

// Rule levels of a slot rule text.
enum RuleCode : unsigned char { RuleAuto = 0, RulePrefer = 1, RuleMust = 2, RuleNever = 3 };

inline RuleCode ruleCode(const std::string& text)
{
    if (text.empty())
        return RuleAuto;
    if (text == GBK("尽量排"))
        return RulePrefer;
    if (text == GBK("一定排"))
        return RuleMust;
    if (text == GBK("不排"))
        return RuleNever;
    return RuleAuto;
}

} // namespace tabrel
