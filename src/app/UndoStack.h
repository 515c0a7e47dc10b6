#pragma once
// The one door every change of the school goes through. An edit is pushed: the stack keeps what
// the file stores of the school (data/StoredState.h), runs the edit, and the step can be undone
// and redone. A step holds one stored state at a time: the state before it while it is applied,
// the state after it while it is undone; the derived teacher lists are rebuilt after a restore,
// and nothing a view chose is ever part of a step. Consecutive typing into one cell merges into one step; a macro makes a
// compound action (a paste, a take-over, an automatic run) one step. The clean index is the
// modified flag behind the "*" in the title and the save question. Texts are GBK.
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace tabrel {

class DataSet;

class UndoStack {
public:
    // The memory the snapshots may hold together; the oldest steps go first beyond it.
    static constexpr std::size_t DefaultMemoryLimit = std::size_t{512} << 20;
    static constexpr std::size_t DefaultStepLimit = 200;

    explicit UndoStack(DataSet& dataSet);
    ~UndoStack();
    UndoStack(const UndoStack&) = delete;
    UndoStack& operator=(const UndoStack&) = delete;

    // Points the stack at another data set (a file was opened, a new schedule made) and forgets
    // every step; the new state is clean.
    void reset(DataSet& dataSet);

    // Runs `edit` on the data set as one step named `text` ("删除年级 初二"). `edit` returns false
    // when it changed nothing. A step is recorded when the stored school differs afterwards,
    // whatever the edit answered; an edit that answered "no change" but changed the stored school
    // fails loudly while answers are checked (see checksAnswers). Returns whether the stored
    // school changed (a step was recorded or joined). A push with the same mergeId (>= 0) as
    // the step on top, which is not the clean state and has nothing to redo above it, joins it.
    // Inside a macro the edit just runs and joins the macro.
    bool push(const std::string& text, const std::function<bool(DataSet&)>& edit, int mergeId = -1);
    // Like push for an edit that cannot tell whether it changed anything (a take-over): the step
    // is kept only when the stored school differs afterwards; returns whether it did.
    bool pushIfChanged(const std::string& text, const std::function<void(DataSet&)>& edit);

    // Whether an edit's "no change" is checked against the stored school before and after it, a
    // mismatch aborting the program with the step's name: always in debug builds, and wherever
    // TABREL_CHECK_EDITS=1 is set in the environment (the test suite sets it).
    static bool checksAnswers();
    static void setChecksAnswers(bool on);

    void beginMacro(const std::string& text);
    // Ends the macro; the macro is one step when anything inside it changed the school.
    void endMacro();

    bool canUndo() const { return index_ > 0 && macroDepth_ == 0; }
    bool canRedo() const { return index_ < steps_.size() && macroDepth_ == 0; }
    bool undo();
    bool redo();

    // "撤销：删除年级 初二" / "重做：…"; "撤销" / "重做" alone when there is nothing to do.
    std::string undoText() const;
    std::string redoText() const;

    std::size_t count() const { return steps_.size(); }
    std::size_t index() const { return index_; }
    // The state that was saved (or opened) is reached again: no "*".
    bool isClean() const { return cleanIndex_ == static_cast<long>(index_); }
    void setClean() { cleanIndex_ = static_cast<long>(index_); notify(); }

    void setMemoryLimit(std::size_t bytes) { memoryLimit_ = bytes; trim(); }
    void setStepLimit(std::size_t steps) { stepLimit_ = steps; trim(); }
    std::size_t memoryUsed() const;

    // Called after every push, undo, redo, reset and clean change.
    int addListener(std::function<void()> listener);
    void removeListener(int id);

private:
    struct Step {
        std::string text;
        std::string snapshot; // the stored state (captureStoredState)
        std::size_t bytes = 0;
        int mergeId = -1;
    };
    std::string capture() const;
    void restore(const std::string& state);
    bool pushStep(const std::string& text, const std::function<bool(DataSet&)>& edit, int mergeId, bool answers);
    void checkAnswer(const std::string& text, bool answered, bool changed) const;
    void record(const std::string& text, std::string before, int mergeId);
    void swapWith(Step& step);
    void trim();
    void notify();

    DataSet* dataSet_;
    std::vector<Step> steps_;
    std::size_t index_ = 0;
    long cleanIndex_ = 0;
    int macroDepth_ = 0;
    std::string macroText_;
    std::string macroBefore_;
    std::size_t memoryLimit_ = DefaultMemoryLimit;
    std::size_t stepLimit_ = DefaultStepLimit;
    std::vector<std::pair<int, std::function<void()>>> listeners_;
    int nextListenerId_ = 1;
};

} // namespace tabrel
