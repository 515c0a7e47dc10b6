#pragma once
// The start dialog's list and choices: row 0 "在电脑中查找......", then one numbered row per history
// entry with the path shortened for display.
#include <functional>
#include <string>
#include <vector>

#include "data/DataFile.h"

namespace tabrel {

// Shortens a path for display to under MaxShownBytes bytes by replacing middle folders with "...":
// the text up to a separator, "...", and the text from the last separator on. Bytes are counted in
// GBK (a Chinese character is two bytes); both "\" and "/" separate folders.
std::string shortenHistoryPath(const std::string& utf8Path);
inline constexpr int MaxShownBytes = 45;

class StartDialogModel {
public:
    struct Row {
        std::string number; // "" for row 0, "%d" for the others
        std::string text;   // UTF-8
    };

    explicit StartDialogModel(const std::vector<std::string>& history);

    const std::vector<Row>& rows() const { return rows_; }
    // Takes a history entry out of the rows (its file is gone and the user chose to forget it).
    void removeHistoryEntry(const std::string& path);
    // History entry behind a row (rows without one, row 0 included, give "").
    std::string pathOfRow(int row) const;

    enum class Action { None, OpenBrowse, OpenHistory, NewSchedule, Quit };
    struct Choice {
        Action action = Action::None;
        std::string path;    // OpenHistory: the full path
        std::string message; // None: why nothing happens (UTF-8)
        bool backOnCancel = false; // OpenBrowse: cancelling the file dialog brings this dialog back
    };
    // "选择打开" or a double click with the given selected row (-1 = none: the file dialog, and
    // cancelling it brings this dialog back).
    Choice open(int selectedRow) const;
    Choice newSchedule() const { return {Action::NewSchedule, {}, {}}; }
    Choice quit() const { return {Action::Quit, {}, {}}; }

private:
    void rebuild();
    std::vector<std::string> history_;
    std::vector<Row> rows_;
};

} // namespace tabrel

namespace tabrel {

class Document;

// What the start-up asks of the windows.
struct StartSequenceUi {
    // Shows the start dialog over the given history rows and returns the user's choice.
    std::function<StartDialogModel::Choice(const StartDialogModel&)> runDialog;
    // The open-file dialog; "" when cancelled.
    std::function<std::string()> chooseFile;
    // A message box (UTF-8).
    std::function<void(const std::string&)> tell;
    // A message that offers to remove a history entry whose file is gone; true to remove it.
    std::function<bool(const std::string&)> offerRemoval;
};

// Runs the start dialog until a schedule is open or new (true), or the user quits or cancels the
// open-file dialog (false). A history entry or chosen file that cannot be read is reported and
// the dialog comes back: the program never continues silently with an empty school.
bool runStartSequence(Document& doc, const std::vector<std::string>& history, const StartSequenceUi& ui);
// What is said when a history entry's file is gone (UTF-8).
std::string missingHistoryMessage(const std::string& path);

// Start-up: a file named on the command line is opened at once; when there is none, or it cannot
// be read (the user is told why), the start dialog runs as above.
bool openFirstSchedule(Document& doc, const std::vector<std::string>& history, const std::string& givenFile,
                       const StartSequenceUi& ui);

// The data file named among the program's arguments (the first one that is not an option), or "".
std::string commandLineFile(const std::vector<std::string>& arguments);

// The data file among files dropped onto the main window (the first ".qtf", any case), or "".
std::string droppedDataFile(const std::vector<std::string>& files);

// The messages a successful open still owes the user: each new name the .rep sidecar listed twice.
std::vector<std::string> openNotices(const FileResult& result);

} // namespace tabrel
