#pragma once
// The list of recently used data files, most recent first, at most MaxEntries long. Paths are
// file names as the system spells them (UTF-8); the list is loaded from and saved to the per-user
// settings by a store the desktop program supplies.
#include <string>
#include <vector>

namespace tabrel {

class RecentFileStore {
public:
    virtual ~RecentFileStore() = default;
    virtual std::vector<std::string> load() = 0;
    virtual void save(const std::vector<std::string>& entries) = 0;
};

class RecentFileList {
public:
    static constexpr int MaxEntries = 10;

    // Reads the stored list (empty entries and repeats dropped, cut to MaxEntries).
    void load(RecentFileStore& store);
    void setEntries(const std::vector<std::string>& entries);

    // Puts the path at the top; an equal entry further down moves up instead of being repeated.
    void add(const std::string& path);
    // Drops the path from the list; false when it was not there.
    bool remove(const std::string& path);

    const std::vector<std::string>& entries() const { return entries_; }
    int size() const { return static_cast<int>(entries_.size()); }

    // Writes the list to the store given to attach(); nothing when none is attached.
    void attach(RecentFileStore* store) { store_ = store; }
    void persist();

private:
    std::vector<std::string> entries_;
    RecentFileStore* store_ = nullptr;
};

} // namespace tabrel
