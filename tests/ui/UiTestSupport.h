#pragma once
// Shared by the window tests: a prompter that answers from a script and records what was shown,
// and a small school saved as a data file.
#include <QStringList>
#include <QTemporaryDir>
#include <deque>
#include <string>

#include "data/DataFile.h"
#include "data/DataSet.h"
#include "data/Gbk.h"
#include "ui/widgets/Prompter.h"

namespace tabrel::uitest {

class ScriptedPrompter : public ui::Prompter {
public:
    QStringList messages;
    QStringList questions;
    std::deque<bool> confirmAnswers;
    std::deque<QString> openAnswers;
    std::deque<QString> saveAnswers;
    int openDialogs = 0, saveDialogs = 0, abouts = 0;

    ScriptedPrompter() { install(this); }
    ~ScriptedPrompter() override { install(nullptr); }

    void inform(QWidget*, const QString& text) override { messages << text; }
    bool confirm(QWidget*, const QString& text) override
    {
        questions << text;
        if (confirmAnswers.empty())
            return false;
        bool a = confirmAnswers.front();
        confirmAnswers.pop_front();
        return a;
    }
    QString openFile(QWidget*, const QString&) override
    {
        ++openDialogs;
        if (openAnswers.empty())
            return {};
        QString a = openAnswers.front();
        openAnswers.pop_front();
        return a;
    }
    QString saveFile(QWidget*, const QString&, const QString&, const QString&) override
    {
        ++saveDialogs;
        if (saveAnswers.empty())
            return {};
        QString a = saveAnswers.front();
        saveAnswers.pop_front();
        return a;
    }
    // Folder questions: the answers in turn, then the folder the question started in.
    std::deque<QString> folderAnswers;
    QStringList folderStarts;
    QString chooseFolder(QWidget*, const QString&, const QString& start) override
    {
        folderStarts << start;
        if (folderAnswers.empty())
            return start;
        QString a = folderAnswers.front();
        folderAnswers.pop_front();
        return a;
    }
    void about(QWidget*) override { ++abouts; }
    std::deque<SaveChoice> saveChoices; // empty: Cancel
    SaveChoice askSave(QWidget*, const QString& text) override
    {
        questions << text;
        if (saveChoices.empty())
            return SaveChoice::Cancel;
        SaveChoice c = saveChoices.front();
        saveChoices.pop_front();
        return c;
    }
    std::deque<bool> offerAnswers; // empty: declined
    QStringList offers;
    bool offer(QWidget*, const QString& text, const QString&) override
    {
        offers << text;
        if (offerAnswers.empty())
            return false;
        bool a = offerAnswers.front();
        offerAnswers.pop_front();
        return a;
    }
    QStringList helpPages;
    void help(QWidget*, const QString& title, const QString&) override { helpPages << title; }
};

inline std::string G(const char* utf8) { return gbk::literal(utf8); }

// A school of `grades` grades with two classes each and a full week: five subjects of 7 lessons,
// each class with its own teachers; 4 morning and 3 afternoon periods, 星期一 … 星期五.
inline constexpr int SubjectCount = 5;

inline std::string writeSchool(const QString& path, int grades = 2)
{
    DataSet ds;
    ds.applyNewDocumentDefaults();
    ds.setGradeCount(grades);
    const char* gradeNames[] = {"初一", "初二", "初三"};
    const char* subjects[] = {"语文", "数学", "英语", "物理", "化学"};
    const char* family[] = {"王", "李", "张", "刘", "陈"};
    const int lessons[] = {7, 7, 7, 7, 7};
    for (int s = 0; s < SubjectCount; ++s) {
        ds.findOrAppendSubject(G(subjects[s]));
        for (int g = 0; g < grades; ++g)
            ds.subjects[s]->gradeLessons[g] = std::to_string(lessons[s]);
    }
    for (int g = 0; g < grades; ++g) {
        ds.gradeNames[g] = G(gradeNames[g]);
        ds.setClassCount(g, 2);
        for (int c = 0; c < 2; ++c) {
            ClassTable* k = ds.classAt(g, c);
            k->name = G(gradeNames[g]) + "(" + std::to_string(c + 1) + ")";
            for (int s = 0; s < SubjectCount; ++s) {
                auto* a = k->appendAssignment();
                a->subject = G(subjects[s]);
                a->teacher = G(family[s]) + G(gradeNames[g]) + std::to_string(c + 1);
                a->weeklyLessons = lessons[s];
            }
        }
    }
    for (int g = 0; g < grades; ++g)
        for (int c = 0; c < 2; ++c)
            for (int s = 0; s < SubjectCount; ++s) {
                ds.appendTeacher();
                ds.teachers.back()->name = ds.classAt(g, c)->assignments[s]->teacher;
                ds.teachers.back()->taughtSubjects = G(subjects[s]);
            }
    const std::string p = path.toStdString();
    saveDataFile(ds, p);
    return p;
}

} // namespace tabrel::uitest
