#include "app/UndoStack.h"

#include <cstdio>
#include <cstdlib>

#include "data/DataSet.h"
#include "data/Gbk.h"
#include "data/StoredState.h"
#include "scheduling/TeacherAssignment.h"

namespace tabrel {

namespace {

int& answerChecks()
{
#ifndef NDEBUG
    static int on = 1;
#else
    static int on = [] {
        const char* v = std::getenv("TABREL_CHECK_EDITS");
        return v && *v && *v != '0' ? 1 : 0;
    }();
#endif
    return on;
}

// Whether the teachers' courses and assigned periods were worked out (an automatic or manual
// run prepared them); a restore then works them out again for the restored school.
bool preparedForScheduling(const DataSet& ds)
{
    for (const auto& t : ds.teachers) {
        if (t->assignedPeriods != 0)
            return true;
        for (const auto& classes : t->courseClasses)
            if (!classes.empty())
                return true;
    }
    return false;
}

} // namespace

bool UndoStack::checksAnswers() { return answerChecks() != 0; }

void UndoStack::setChecksAnswers(bool on) { answerChecks() = on ? 1 : 0; }

UndoStack::UndoStack(DataSet& dataSet) : dataSet_(&dataSet) {}

UndoStack::~UndoStack() = default;

void UndoStack::reset(DataSet& dataSet)
{
    dataSet_ = &dataSet;
    steps_.clear();
    index_ = 0;
    cleanIndex_ = 0;
    macroDepth_ = 0;
    macroBefore_.clear();
    notify();
}

std::string UndoStack::capture() const
{
    return captureStoredState(*dataSet_);
}

void UndoStack::restore(const std::string& state)
{
    const bool prepared = preparedForScheduling(*dataSet_);
    restoreStoredState(*dataSet_, state);
    if (prepared)
        PrepareForScheduling(*dataSet_);
}

void UndoStack::checkAnswer(const std::string& text, bool answered, bool changed) const
{
    if (answered || !changed || !checksAnswers())
        return;
    std::fprintf(stderr, "tabrel: the edit \"%s\" answered that it changed nothing, but the stored school changed\n",
                 gbk::toUtf8(text).c_str());
    std::abort();
}

bool UndoStack::push(const std::string& text, const std::function<bool(DataSet&)>& edit, int mergeId)
{
    return pushStep(text, edit, mergeId, true);
}

bool UndoStack::pushIfChanged(const std::string& text, const std::function<void(DataSet&)>& edit)
{
    return pushStep(text, [&edit](DataSet& ds) {
        edit(ds);
        return true;
    }, -1, false);
}

bool UndoStack::pushStep(const std::string& text, const std::function<bool(DataSet&)>& edit, int mergeId,
                         bool answers)
{
    if (macroDepth_ > 0) {
        // The macro compares the stored school when it ends; an answer is checked only when asked.
        if (!checksAnswers())
            return edit(*dataSet_);
        const std::string before = capture();
        const bool answered = edit(*dataSet_);
        const bool changed = capture() != before;
        checkAnswer(text, answered || !answers, changed);
        return changed;
    }
    std::string before = capture();
    const bool answered = edit(*dataSet_);
    const bool changed = capture() != before;
    checkAnswer(text, answered || !answers, changed);
    if (changed) {
        const bool merges = mergeId >= 0 && index_ > 0 && index_ == steps_.size() && steps_.back().mergeId == mergeId &&
                            !isClean();
        if (merges)
            notify();
        else
            record(text, std::move(before), mergeId);
    }
    return changed;
}

void UndoStack::beginMacro(const std::string& text)
{
    if (macroDepth_++ > 0)
        return;
    macroText_ = text;
    macroBefore_ = capture();
}

void UndoStack::endMacro()
{
    if (macroDepth_ == 0 || --macroDepth_ > 0)
        return;
    std::string before = std::move(macroBefore_);
    macroBefore_.clear();
    if (capture() != before)
        record(macroText_, std::move(before), -1);
    else
        notify();
}

void UndoStack::record(const std::string& text, std::string before, int mergeId)
{
    // What was undone can no longer be redone; a clean state among it is gone for good.
    steps_.erase(steps_.begin() + static_cast<long>(index_), steps_.end());
    if (cleanIndex_ > static_cast<long>(index_))
        cleanIndex_ = -1;
    Step step;
    step.text = text;
    step.bytes = sizeof(Step) + before.size();
    step.snapshot = std::move(before);
    step.mergeId = mergeId;
    steps_.push_back(std::move(step));
    index_ = steps_.size();
    trim();
    notify();
}

void UndoStack::swapWith(Step& step)
{
    std::string current = capture();
    restore(step.snapshot);
    step.bytes = sizeof(Step) + current.size();
    step.snapshot = std::move(current);
}
bool UndoStack::undo()
{
    if (!canUndo())
        return false;
    swapWith(steps_[index_ - 1]);
    --index_;
    notify();
    return true;
}

bool UndoStack::redo()
{
    if (!canRedo())
        return false;
    swapWith(steps_[index_]);
    ++index_;
    notify();
    return true;
}

std::string UndoStack::undoText() const
{
    return canUndo() ? GBK("撤销：") + steps_[index_ - 1].text : GBK("撤销");
}

std::string UndoStack::redoText() const
{
    return canRedo() ? GBK("重做：") + steps_[index_].text : GBK("重做");
}

std::size_t UndoStack::memoryUsed() const
{
    std::size_t n = 0;
    for (const Step& s : steps_)
        n += s.bytes;
    return n;
}

void UndoStack::trim()
{
    // The oldest steps go first; the newest one always stays so the last edit can be taken back.
    while (steps_.size() > 1 && (steps_.size() > stepLimit_ || memoryUsed() > memoryLimit_) && index_ > 0) {
        steps_.erase(steps_.begin());
        --index_;
        cleanIndex_ = cleanIndex_ > 0 ? cleanIndex_ - 1 : -1;
    }
}

int UndoStack::addListener(std::function<void()> listener)
{
    const int id = nextListenerId_++;
    listeners_.emplace_back(id, std::move(listener));
    return id;
}

void UndoStack::removeListener(int id)
{
    std::erase_if(listeners_, [id](const auto& l) { return l.first == id; });
}

void UndoStack::notify()
{
    const auto listeners = listeners_;
    for (auto& l : listeners)
        l.second();
}

} // namespace tabrel
