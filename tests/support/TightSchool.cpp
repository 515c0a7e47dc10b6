#include "support/TightSchool.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>
#include <vector>

#include "data/Gbk.h"

namespace tabrel::test {

namespace {

std::string g(const char* utf8) { return gbk::literal(utf8); }

struct Rng {
    uint64_t s;
    uint32_t next()
    {
        s ^= s << 13;
        s ^= s >> 7;
        s ^= s << 17;
        return static_cast<uint32_t>(s >> 11);
    }
    int below(int n) { return n <= 1 ? 0 : static_cast<int>(next() % static_cast<uint32_t>(n)); }
    template <class T>
    void shuffle(std::vector<T>& v)
    {
        for (int i = static_cast<int>(v.size()) - 1; i > 0; --i)
            std::swap(v[i], v[below(i + 1)]);
    }
};

constexpr int Colours = 40; // 8 daytime periods x 5 days

// Colours the lessons (class, teacher) so that no class and no teacher has two lessons of one
// colour: the classic alternating-path colouring of a bipartite multigraph, which never needs more
// colours than the largest degree (40 here: every class has 40 lessons, no teacher more).
class EdgeColouring {
public:
    EdgeColouring(int classes, int teachers)
        : atClass_(classes, std::vector<int>(Colours, -1)), atTeacher_(teachers, std::vector<int>(Colours, -1))
    {
    }
    // Colours the lesson (which may recolour earlier ones); returns its colour.
    int add(int cls, int teacher)
    {
        const int e = static_cast<int>(edges_.size());
        edges_.push_back({cls, teacher, -1});
        int a = 0, b = 0;
        while (atClass_[cls][a] >= 0)
            ++a;
        while (atTeacher_[teacher][b] >= 0)
            ++b;
        if (atTeacher_[teacher][a] >= 0) {
            // swap colours a and b along the path from the teacher that starts with colour a
            std::vector<int> path;
            bool onTeacher = true;
            int vertex = teacher, colour = a;
            for (;;) {
                const int next = onTeacher ? atTeacher_[vertex][colour] : atClass_[vertex][colour];
                if (next < 0)
                    break;
                path.push_back(next);
                vertex = onTeacher ? edges_[next].cls : edges_[next].teacher;
                onTeacher = !onTeacher;
                colour = colour == a ? b : a;
            }
            for (int x : path) {
                atClass_[edges_[x].cls][edges_[x].colour] = -1;
                atTeacher_[edges_[x].teacher][edges_[x].colour] = -1;
            }
            for (int x : path) {
                edges_[x].colour = edges_[x].colour == a ? b : a;
                atClass_[edges_[x].cls][edges_[x].colour] = x;
                atTeacher_[edges_[x].teacher][edges_[x].colour] = x;
            }
        }
        edges_[e].colour = a;
        atClass_[cls][a] = e;
        atTeacher_[teacher][a] = e;
        return a;
    }
    int colourOf(int e) const { return edges_[e].colour; }

private:
    struct Edge {
        int cls, teacher, colour;
    };
    std::vector<Edge> edges_;
    std::vector<std::vector<int>> atClass_, atTeacher_;
};

} // namespace

std::unique_ptr<DataSet> tightSchool(uint32_t seed, const TightSchoolOptions& o)
{
    Rng rng{0x9E3779B97F4A7C15ULL ^ (static_cast<uint64_t>(seed) * 0x2545F4914F6CDD1DULL + 1)};
    auto ds = std::make_unique<DataSet>();
    ds->earlyReadingCount = o.earlyReading ? 1 : 0;
    ds->morningCount = 4;
    ds->afternoonCount = 4;
    ds->eveningCount = o.evening ? 1 : 0;
    for (const char* d : {"星期一", "星期二", "星期三", "星期四", "星期五"})
        ds->dayNames.push_back(g(d));
    const int L = ds->earlyReadingCount;
    const char* subjectNames[] = {"语文", "数学", "英语", "物理", "化学", "生物", "历史",
                                  "地理", "政治", "体育", "音乐", "美术", "信息技术"};
    const int weekly[] = {6, 6, 5, 4, 3, 3, 2, 2, 2, 3, 1, 1, 2}; // 40 lessons
    const int S = 13, PE = 9, IT = 12;
    for (const char* s : subjectNames)
        ds->findOrAppendSubject(g(s));

    ds->setGradeCount(o.grades);
    const int C = o.grades * o.classesPerGrade;
    // teachers: per grade and subject, the classes cut into groups of 2-4
    std::vector<std::array<int, S>> teacherOf(C);
    std::vector<std::string> teacherNames;
    for (int gi = 0; gi < o.grades; ++gi) {
        ds->gradeNames[gi] = g("高") + gbk::formatInt(gi + 1);
        ds->setClassCount(gi, o.classesPerGrade);
        for (int s = 0; s < S; ++s) {
            std::vector<int> classes(o.classesPerGrade);
            for (int k = 0; k < o.classesPerGrade; ++k)
                classes[k] = gi * o.classesPerGrade + k;
            rng.shuffle(classes);
            std::size_t at = 0;
            while (at < classes.size()) {
                const std::size_t rest = classes.size() - at;
                const int fewest = std::clamp(o.fewestClassesPerTeacher, 2, 4);
                std::size_t size = fewest + rng.below(5 - fewest);
                if (rest <= 4)
                    size = rest;
                else if (fewest == 2 && rest - size == 1)
                    size = size < 4 ? size + 1 : size - 1;
                else if (rest - size < static_cast<std::size_t>(fewest)) {
                    // leave a rest that still makes groups of the fewest, else one group of 2
                    std::size_t pick = 0;
                    for (std::size_t t = fewest; t <= 4 && !pick; ++t)
                        if (rest - t >= static_cast<std::size_t>(fewest))
                            pick = t;
                    size = pick ? pick : 2;
                }
                const int t = static_cast<int>(teacherNames.size());
                teacherNames.push_back(g(subjectNames[s]) + g("老师") + gbk::formatInt(t + 1));
                for (std::size_t k = at; k < at + size && k < classes.size(); ++k)
                    teacherOf[classes[k]][s] = t;
                at += size;
            }
        }
    }
    ds->renameClasses("(", ")");
    for (const std::string& name : teacherNames) {
        ds->appendTeacher();
        ds->teachers.back()->name = name;
    }

    // the hidden timetable: a colouring of every daytime lesson, colours mapped to slots at random
    EdgeColouring colouring(C, static_cast<int>(teacherNames.size()));
    std::vector<std::array<int, Colours>> hidden(C); // subject per colour
    std::vector<std::pair<int, int>> added;          // class and subject of every lesson coloured
    for (int ci = 0; ci < C; ++ci) {
        std::vector<int> lessons;
        for (int s = 0; s < S; ++s)
            for (int n = 0; n < weekly[s]; ++n)
                lessons.push_back(s);
        rng.shuffle(lessons);
        for (int s : lessons) {
            colouring.add(ci, teacherOf[ci][s]);
            added.emplace_back(ci, s);
        }
    }
    // later lessons recolour earlier ones: read every colour at the end
    for (std::size_t e = 0; e < added.size(); ++e)
        hidden[added[e].first][colouring.colourOf(static_cast<int>(e))] = added[e].second;
    std::vector<int> slotOf(Colours);
    for (int k = 0; k < Colours; ++k)
        slotOf[k] = k;
    rng.shuffle(slotOf);
    // cell (p, d) of class ci in the hidden timetable
    std::vector<std::array<std::array<int, DayColumns>, MaxPeriodRows>> cellSubject(C);
    std::vector<std::vector<std::array<bool, DayColumns>>> busy(teacherNames.size(),
                                                                std::vector<std::array<bool, DayColumns>>(MaxPeriodRows));
    for (int ci = 0; ci < C; ++ci)
        for (int k = 0; k < Colours; ++k) {
            const int slot = slotOf[k], p = L + slot % 8, d = slot / 8;
            cellSubject[ci][p][d] = hidden[ci][k];
            busy[teacherOf[ci][hidden[ci][k]]][p][d] = true;
        }

    // plans, rules and hand-placed lessons
    int ci = 0;
    std::array<std::array<int, DayColumns>, MaxPeriodRows> itRoom{};
    for (int gi = 0; gi < o.grades; ++gi)
        for (int k = 0; k < o.classesPerGrade; ++k, ++ci) {
            ClassTable& c = *ds->classAt(gi, k);
            for (int s = 0; s < S; ++s) {
                TeachingAssignment* a = c.appendAssignment();
                a->subject = g(subjectNames[s]);
                a->teacher = teacherNames[teacherOf[ci][s]];
                a->weeklyLessons = weekly[s];
            }
            if (o.earlyReading) {
                TeachingAssignment* a = c.appendAssignment();
                a->subject = g("早读");
                a->teacher = teacherNames[teacherOf[ci][0]];
                a->weeklyLessons = 5;
            }
            if (o.evening) {
                TeachingAssignment* a = c.appendAssignment();
                a->subject = g("晚自习");
                a->teacher = teacherNames[teacherOf[ci][1]];
                a->weeklyLessons = 5;
            }
            for (int d = 0; d < 5; ++d)
                for (int q = 0; q < 8; ++q) {
                    const int p = L + q, s = cellSubject[ci][p][d];
                    if ((q == 0 || q == 4) && s != PE)
                        ClassTable::setCellRule(c.cells[p][d], g(subjectNames[PE]), g("不排"));
                    if (q < 4 && s != IT)
                        ClassTable::setCellRule(c.cells[p][d], g(subjectNames[IT]), g("不排"));
                    if (s == IT)
                        ++itRoom[p][d];
                    if (rng.below(100) < o.handPlacedPercent) {
                        c.cells[p][d].subject = g(subjectNames[s]);
                        c.cells[p][d].teacher = teacherNames[teacherOf[ci][s]];
                    }
                }
        }
    int itLimit = 1;
    for (const auto& row : itRoom)
        for (int n : row)
            itLimit = std::max(itLimit, n);
    ds->subjects[IT]->sameSubjectLimit = itLimit;

    // part-time teachers keep a whole morning or afternoon; others a few single slots
    for (std::size_t t = 0; t < teacherNames.size(); ++t) {
        const int roll = rng.below(100);
        if (roll < 20) {
            const int d0 = rng.below(5);
            for (int dd = 0; dd < 5; ++dd) {
                const int d = (d0 + dd) % 5, half = rng.below(2);
                bool free = true;
                for (int q = 0; q < 4; ++q)
                    free = free && !busy[t][L + half * 4 + q][d];
                if (!free)
                    continue;
                for (int q = 0; q < 4; ++q)
                    ds->setTeacherSlotValue(L + half * 4 + q, d, teacherNames[t], g("不排"));
                break;
            }
        } else if (roll < 60) {
            for (int n = 0; n < 3; ++n) {
                const int p = L + rng.below(8), d = rng.below(5);
                if (!busy[t][p][d])
                    ds->setTeacherSlotValue(p, d, teacherNames[t], g("不排"));
            }
        }
    }
    return ds;
}

} // namespace tabrel::test
