#include "app/StartDialogModel.h"

#include <vector>

#include "data/Gbk.h"

namespace tabrel {

namespace {
bool isSeparator(char c) { return c == '\\' || c == '/'; }

// The same cut on a byte string whose length is counted as given. Separators count only where a
// character starts: byte 5C ("\\") is also the second byte of GBK characters such as "誠" (D5 5C),
// and a cut there would split one.
std::string shortenBytes(const std::string& s)
{
    const int length = static_cast<int>(s.size());
    if (length <= MaxShownBytes)
        return s;
    std::vector<int> separators;
    for (std::size_t i = 0; i < s.size(); i += gbk::charBytes(s, i))
        if (isSeparator(s[i]))
            separators.push_back(static_cast<int>(i));
    if (separators.empty())
        return s;
    const int last = separators.back();
    for (auto it = separators.rbegin() + 1; it != separators.rend(); ++it) {
        const int p = *it;
        if (p + 1 + 3 + (length - last) < MaxShownBytes)
            return s.substr(0, p + 1) + "..." + s.substr(last);
    }
    return s;
}
} // namespace

std::string shortenHistoryPath(const std::string& utf8Path)
{
    // Lengths count GBK bytes; the cuts fall on ASCII separators, so cutting the GBK form and
    // converting back gives the same characters as the path.
    if (auto g = gbk::fromUtf8(utf8Path))
        return gbk::toUtf8(shortenBytes(*g));
    return shortenBytes(utf8Path);
}

StartDialogModel::StartDialogModel(const std::vector<std::string>& history)
{
    for (const auto& h : history)
        if (!h.empty())
            history_.push_back(h);
    if (history_.size() > 10)
        history_.resize(10);
    rebuild();
}

void StartDialogModel::rebuild()
{
    rows_.clear();
    rows_.push_back({"", "在电脑中查找......"});
    for (std::size_t k = 0; k < history_.size(); ++k)
        rows_.push_back({std::to_string(k + 1), shortenHistoryPath(history_[k])});
}

void StartDialogModel::removeHistoryEntry(const std::string& path)
{
    std::erase(history_, path);
    rebuild();
}

std::string StartDialogModel::pathOfRow(int row) const
{
    if (row < 1 || row > static_cast<int>(history_.size()))
        return {};
    return history_[row - 1];
}

StartDialogModel::Choice StartDialogModel::open(int selectedRow) const
{
    if (selectedRow < 0 || selectedRow >= static_cast<int>(rows_.size()))
        return {Action::None, {}, "请先选择要打开的文件"};
    if (selectedRow == 0)
        return {Action::OpenBrowse, {}, {}};
    return {Action::OpenHistory, pathOfRow(selectedRow), {}};
}

} // namespace tabrel

#include <cctype>
#include <filesystem>
#include <system_error>

#include "app/Document.h"

namespace tabrel {

bool runStartSequence(Document& doc, const std::vector<std::string>& history, const StartSequenceUi& ui)
{
    StartDialogModel model(history);
    for (;;) {
        const StartDialogModel::Choice choice = ui.runDialog(model);
        std::string path;
        switch (choice.action) {
        case StartDialogModel::Action::Quit:
            return false;
        case StartDialogModel::Action::NewSchedule:
            doc.newSchedule();
            return true;
        case StartDialogModel::Action::OpenBrowse:
            path = ui.chooseFile();
            if (path.empty())
                return false;
            break;
        case StartDialogModel::Action::OpenHistory:
            path = choice.path;
            break;
        case StartDialogModel::Action::None:
            if (!choice.message.empty())
                ui.tell(choice.message);
            continue;
        }
        const FileResult result = doc.open(path);
        if (result.ok()) {
            for (const auto& notice : openNotices(result))
                ui.tell(notice);
            return true;
        }
        std::error_code ec;
        if (choice.action == StartDialogModel::Action::OpenHistory && ui.offerRemoval &&
            !std::filesystem::exists(std::filesystem::u8path(path), ec)) {
            if (ui.offerRemoval(missingHistoryMessage(path))) {
                doc.forgetRecentFile(path);
                model.removeHistoryEntry(path);
            }
            continue;
        }
        ui.tell(openFailureMessage(path, result));
    }
}

std::string missingHistoryMessage(const std::string& path)
{
    return "找不到这个文件，它可能已被移动或删除：\n" + path + "\n\n是否把它从最近打开的文件列表中删除？";
}

bool openFirstSchedule(Document& doc, const std::vector<std::string>& history, const std::string& givenFile,
                       const StartSequenceUi& ui)
{
    if (!givenFile.empty()) {
        const FileResult result = doc.open(givenFile);
        if (result.ok()) {
            for (const auto& notice : openNotices(result))
                ui.tell(notice);
            return true;
        }
        ui.tell(openFailureMessage(givenFile, result));
    }
    return runStartSequence(doc, history, ui);
}

std::string commandLineFile(const std::vector<std::string>& arguments)
{
    for (std::size_t i = 1; i < arguments.size(); ++i)
        if (!arguments[i].empty() && arguments[i][0] != '-')
            return arguments[i];
    return {};
}

std::string droppedDataFile(const std::vector<std::string>& files)
{
    for (const auto& f : files) {
        if (f.size() < 4)
            continue;
        std::string ext = f.substr(f.size() - 4);
        for (char& c : ext)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (ext == ".qtf")
            return f;
    }
    return {};
}

std::vector<std::string> openNotices(const FileResult& result)
{
    std::vector<std::string> notices;
    for (const auto& name : result.duplicateNewNames)
        notices.push_back(gbk::toUtf8(name));
    return notices;
}

} // namespace tabrel
