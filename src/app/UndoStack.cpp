#include "app/UndoStack.h"

#include "data/DataFile.h"
#include "data/DataSet.h"
#include "data/DataSetCopy.h"
#include "data/Gbk.h"

namespace tabrel {

UndoStack::UndoStack(DataSet& dataSet) : dataSet_(&dataSet) {}

UndoStack::~UndoStack() = default;

void UndoStack::reset(DataSet& dataSet)
{
    dataSet_ = &dataSet;
    steps_.clear();
    index_ = 0;
    cleanIndex_ = 0;
    macroDepth_ = 0;
    macroBefore_.reset();
    notify();
}

std::unique_ptr<DataSet> UndoStack::capture() const
{
    auto copy = std::make_unique<DataSet>();
    copyDataSet(*dataSet_, *copy);
    return copy;
}

bool UndoStack::push(const std::string& text, const std::function<bool(DataSet&)>& edit, int mergeId)
{
    if (macroDepth_ > 0) {
        const bool changed = edit(*dataSet_);
        macroChanged_ = macroChanged_ || changed;
        return changed;
    }
    const bool merges = mergeId >= 0 && index_ > 0 && index_ == steps_.size() && steps_.back().mergeId == mergeId &&
                        !isClean();
    if (merges) {
        const bool changed = edit(*dataSet_);
        if (changed)
            notify();
        return changed;
    }
    auto before = capture();
    if (!edit(*dataSet_))
        return false;
    record(text, std::move(before), mergeId);
    return true;
}

bool UndoStack::pushIfChanged(const std::string& text, const std::function<void(DataSet&)>& edit)
{
    return push(text, [&edit](DataSet& ds) {
        std::string before, after;
        const bool comparable = encodeDataFile(ds, before).ok();
        edit(ds);
        // A school the file cannot hold is taken as changed rather than losing the step.
        return !comparable || !encodeDataFile(ds, after).ok() || before != after;
    });
}

void UndoStack::beginMacro(const std::string& text)
{
    if (macroDepth_++ > 0)
        return;
    macroText_ = text;
    macroChanged_ = false;
    macroBefore_ = capture();
}

void UndoStack::endMacro()
{
    if (macroDepth_ == 0 || --macroDepth_ > 0)
        return;
    auto before = std::move(macroBefore_);
    if (macroChanged_)
        record(macroText_, std::move(before), -1);
    else
        notify();
}

void UndoStack::record(const std::string& text, std::unique_ptr<DataSet> before, int mergeId)
{
    // What was undone can no longer be redone; a clean state among it is gone for good.
    steps_.erase(steps_.begin() + static_cast<long>(index_), steps_.end());
    if (cleanIndex_ > static_cast<long>(index_))
        cleanIndex_ = -1;
    Step step;
    step.text = text;
    step.bytes = approximateBytes(*before);
    step.snapshot = std::move(before);
    step.mergeId = mergeId;
    steps_.push_back(std::move(step));
    index_ = steps_.size();
    trim();
    notify();
}

void UndoStack::swapWith(Step& step)
{
    auto current = capture();
    copyDataSet(*step.snapshot, *dataSet_);
    step.bytes = approximateBytes(*current);
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
