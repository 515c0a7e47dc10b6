#include "app/RecentFileList.h"

#include <algorithm>

namespace tabrel {

void RecentFileList::load(RecentFileStore& store)
{
    setEntries(store.load());
}

void RecentFileList::setEntries(const std::vector<std::string>& entries)
{
    entries_.clear();
    for (const auto& e : entries) {
        if (e.empty() || std::find(entries_.begin(), entries_.end(), e) != entries_.end())
            continue;
        entries_.push_back(e);
        if (size() == MaxEntries)
            break;
    }
}

void RecentFileList::add(const std::string& path)
{
    if (path.empty())
        return;
    auto it = std::find(entries_.begin(), entries_.end(), path);
    if (it != entries_.end())
        entries_.erase(it);
    entries_.insert(entries_.begin(), path);
    if (size() > MaxEntries)
        entries_.resize(MaxEntries);
    persist();
}

bool RecentFileList::remove(const std::string& path)
{
    auto it = std::find(entries_.begin(), entries_.end(), path);
    if (it == entries_.end())
        return false;
    entries_.erase(it);
    persist();
    return true;
}

void RecentFileList::persist()
{
    if (store_)
        store_->save(entries_);
}

} // namespace tabrel
