#pragma once
// The recent-file list in the per-user settings: organisation "Local AppWizard-Generated
// Applications", application "Tabrel", group "Recent File List", keys File1 … File10.
#include <QString>

#include "app/RecentFileList.h"

namespace tabrel::ui {

class RecentFileSettings : public RecentFileStore {
public:
    // The program's own place under the XDG configuration folder (~/.config/tabrel/tabrel.conf),
    // with the recent-file list under its traditional key.
    static constexpr const char* Organisation = "tabrel";
    static constexpr const char* ApplicationName = "tabrel";
    static constexpr const char* ListGroup = "Local AppWizard-Generated Applications/Recent File List";

    std::vector<std::string> load() override;
    void save(const std::vector<std::string>& entries) override;
};

} // namespace tabrel::ui
