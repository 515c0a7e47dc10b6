#include "app/Document.h"

#include "app/Application.h"

#include <filesystem>

namespace tabrel {

namespace {
std::unique_ptr<DataSet> freshDataSet()
{
    auto set = std::make_unique<DataSet>();
    set->fillDefaultTitle();
    return set;
}
} // namespace

Document::Document(Application& app) : app_(app), pDataSet(freshDataSet()), undo_(*pDataSet) {}

Document::~Document() = default;

const std::string& Document::NewFilePath()
{
    static const std::string s = "新文件";
    return s;
}

bool Document::isNewFile() const
{
    return path_ == NewFilePath();
}

std::string Document::folder() const
{
    if (path_.empty() || isNewFile())
        return {};
    const std::filesystem::path p(path_);
    return p.has_parent_path() ? p.parent_path().string() : std::string(".");
}

std::string Document::windowTitle() const
{
    return std::string(Application::productName()) + " 文件: " + path_ + (isModified() ? " *" : "");
}

void Document::replaceDataSet(std::unique_ptr<DataSet> fresh)
{
    // The old set goes only after every listener points at the new one.
    std::unique_ptr<DataSet> old = std::move(pDataSet);
    pDataSet = std::move(fresh);
    undo_.reset(*pDataSet);
    const auto listeners = listeners_; // a listener may remove itself
    for (auto& l : listeners)
        l.second(*pDataSet);
    old.reset();
}

int Document::addReplacementListener(std::function<void(DataSet&)> listener)
{
    const int id = nextListenerId_++;
    listeners_.emplace_back(id, std::move(listener));
    return id;
}

void Document::removeReplacementListener(int id)
{
    std::erase_if(listeners_, [id](const auto& l) { return l.first == id; });
}

void Document::forgetRecentFile(const std::string& path)
{
    app_.recentFiles().remove(path);
}

void Document::newSchedule()
{
    auto fresh = freshDataSet();
    fresh->applyNewDocumentDefaults();
    replaceDataSet(std::move(fresh));
    path_ = NewFilePath();
    // The new school was read from no file ("新建" inside the program after an opened file).
    app_.loadedFromFile = false;
}

FileResult Document::open(const std::string& path)
{
    auto fresh = freshDataSet();
    FileResult result = loadDataFile(*fresh, path);
    if (!result.ok())
        return result;
    replaceDataSet(std::move(fresh));
    path_ = path;
    app_.loadedFromFile = true;
    app_.recentFiles().add(path);
    return result;
}

Document::SaveOutcome Document::save(const std::function<void(DataSet&)>& beforeWrite)
{
    if (isNewFile())
        return {SaveStep::NeedsSaveAs, {}};
    if (path_.empty())
        return {SaveStep::NothingToSave, {}};
    return saveAs(path_, beforeWrite);
}

Document::SaveOutcome Document::saveAs(const std::string& path, const std::function<void(DataSet&)>& beforeWrite)
{
    if (path.empty())
        return {SaveStep::NothingToSave, {}};
    if (beforeWrite)
        beforeWrite(*pDataSet);
    FileResult result = saveDataFile(*pDataSet, path);
    if (!result.ok())
        return {SaveStep::Failed, result};
    // A school written for the first time is now what its file holds: it counts as read, with
    // the teachers' lesson lists rebuilt from the cells as opening would rebuild them.
    if (!app_.loadedFromFile || isNewFile() || path != path_) {
        pDataSet->relinkTeacherCells();
        app_.loadedFromFile = true;
    }
    path_ = path;
    app_.recentFiles().add(path);
    undo_.setClean();
    return {SaveStep::Saved, result};
}

std::string openFailureMessage(const std::string& path, const FileResult& result)
{
    // The path once, then why in words a user can act on; the reader's account of the damage
    // (section, offset, raw counts) stays out of the message.
    switch (result.status) {
    case FileStatus::CannotOpen:
        return "无法打开文件：\n" + path + (result.reason.empty() ? std::string() : "\n原因：" + result.reason);
    case FileStatus::Damaged:
        return "无法打开：这不是排课数据文件，或者文件已经损坏。\n" + path;
    default:
        return "无法打开文件：\n" + path;
    }
}

std::string saveFailureMessage(const std::string& path, const FileResult& result)
{
    std::string text = "保存失败，原文件未改动：\n" + path;
    if (!result.reason.empty())
        text += "\n原因：" + result.reason;
    else if (!result.message.empty())
        text += "\n" + result.message;
    return text;
}

} // namespace tabrel
