#pragma once
// The open schedule: exactly one DataSet at a time, where it came from, and opening, saving and
// saving under a new name. A file is always read into a freshly constructed DataSet that replaces
// the current one only when the whole file was read; listeners hear about the replacement so that
// no window keeps a pointer to a data set that is gone.
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "views/Edit.h"
#include "data/DataFile.h"
#include "data/DataSet.h"
#include "app/UndoStack.h"

namespace tabrel {

class Application;

class Document {
public:
    explicit Document(Application& app);
    ~Document();

    DataSet& dataSet() { return *pDataSet; }
    const DataSet& dataSet() const { return *pDataSet; }

    // The one door for every change of the school: runs `change` as one undo step named
    // `stepName` (GBK); typing with the same mergeId (>= 0) joins the step on top. Returns whether
    // the change changed something (UndoStack::push).
    bool edit(const std::string& stepName, const EditFunction& change, int mergeId = -1)
    {
        return undo_.push(stepName, change, mergeId);
    }
    // The door as a function, for the core's grids and pages that take one.
    EditRunner editRunner()
    {
        return [this](const std::string& stepName, const EditFunction& change, int mergeId) {
            return edit(stepName, change, mergeId);
        };
    }
    // Undo, redo, macros and the clean index; its clean index is the modified flag.
    UndoStack& undoStack() { return undo_; }
    const UndoStack& undoStack() const { return undo_; }
    // The school has changes that are not saved.
    bool isModified() const { return !undo_.isClean(); }

    // "" until the start dialog has run; NewFilePath for a schedule made with "新建排课" and never
    // saved; otherwise the data file's path (UTF-8, as the system spells it).
    const std::string& path() const { return path_; }
    bool isNewFile() const;
    // The folder of the data file (UTF-8), "" while the school has no file of its own.
    std::string folder() const;
    static const std::string& NewFilePath(); // "新文件" (UTF-8)
    // Takes a path out of the recent-file list.
    void forgetRecentFile(const std::string& path);

    // The main-window title: product name, " 文件: ", path (UTF-8), and " *" while the school has
    // changes that are not saved.
    std::string windowTitle() const;
    // What is asked before unsaved changes would be lost (closing, opening another file).
    static const char* SaveQuestion() { return "文件已修改，是否保存?"; }

    // "新建排课": a fresh schedule with the new-document defaults; path becomes "新文件" and the
    // school no longer counts as read from a file.
    void newSchedule();

    // Reads the file into a fresh DataSet. On success the new set replaces the current one, the path
    // is recorded, loadedFromFile is set and the path goes to the top of the recent-file list. On
    // failure nothing changes.
    FileResult open(const std::string& path);

    enum class SaveStep { Saved, Failed, NeedsSaveAs, NothingToSave };
    struct SaveOutcome {
        SaveStep step = SaveStep::NothingToSave;
        FileResult result;
    };
    // "保存": a "新文件" needs "另存为" (the caller asks for a name and calls saveAs); an empty path
    // saves nothing; otherwise the file is written and the path goes to the top of the recent list.
    // `beforeWrite` runs just before writing (the take-over of the current panel).
    SaveOutcome save(const std::function<void(DataSet&)>& beforeWrite = {});
    // "另存为" with the chosen name: on success the path becomes that name. A school saved to a file
    // it was not read from then counts as read (loadedFromFile, teacher lesson lists rebuilt).
    SaveOutcome saveAs(const std::string& path, const std::function<void(DataSet&)>& beforeWrite = {});

    // Called after the DataSet object was replaced (open, new). Returns an id for removal.
    int addReplacementListener(std::function<void(DataSet&)> listener);
    void removeReplacementListener(int id);

private:
    void replaceDataSet(std::unique_ptr<DataSet> fresh);

    Application& app_;
    std::unique_ptr<DataSet> pDataSet;
    UndoStack undo_;
    std::string path_;
    std::vector<std::pair<int, std::function<void(DataSet&)>>> listeners_;
    int nextListenerId_ = 1;
};

// The text a user reads when opening failed (UTF-8).
std::string openFailureMessage(const std::string& path, const FileResult& result);
// The text a user reads when saving failed (UTF-8).
std::string saveFailureMessage(const std::string& path, const FileResult& result);

} // namespace tabrel
