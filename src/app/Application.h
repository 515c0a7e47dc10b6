#pragma once
// State the application keeps for its whole run: the program folder, the recent-file list and the
// history copied from it at start-up, the trace file and the two application flags.
#include <string>
#include <vector>

#include "app/RecentFileList.h"
#include "app/TraceLog.h"
#include "scheduling/PlacementEngine.h"

namespace tabrel {

// Where exports, "paikeInfo.txt" and "debug.txt" go: the executable's folder when it can be written,
// otherwise the per-user data folder.
struct ProgramFolderChoice {
    std::string folder;
    bool fallback = false; // the executable's folder was not writable
};
ProgramFolderChoice chooseProgramFolder(const std::string& executableFolder, bool executableFolderWritable,
                                        const std::string& userDataFolder);

class Application {
public:
    // The product name shown in the window title and the dialogs (UTF-8).
    static const char* productName();

    void setProgramFolder(const ProgramFolderChoice& choice);
    const std::string& programFolder() const { return programFolder_; }
    bool programFolderIsFallback() const { return programFolderFallback_; }
    // A file name inside the program folder.
    std::string programFile(const std::string& name) const;

    RecentFileList& recentFiles() { return recentFiles_; }
    const RecentFileList& recentFiles() const { return recentFiles_; }
    // Copies the recent-file list into the history list; done once at start-up.
    void takeHistorySnapshot() { history_ = recentFiles_.entries(); }
    const std::vector<std::string>& history() const { return history_; }

    TraceLog& trace() { return trace_; }

    // A data file was read since start-up: automatic scheduling may run.
    bool loadedFromFile = false;
    // The flag of an automatic search in progress and its cursor.
    SchedulingState scheduling;

private:
    std::string programFolder_;
    bool programFolderFallback_ = false;
    RecentFileList recentFiles_;
    std::vector<std::string> history_;
    TraceLog trace_;
};

} // namespace tabrel
