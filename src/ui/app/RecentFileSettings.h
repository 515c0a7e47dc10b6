#pragma once
// The recent-file list in the per-user settings: organisation "Local AppWizard-Generated
// Applications", application "Tabrel", group "Recent File List", keys File1 … File10.
#include <QString>

#include "app/RecentFileList.h"

namespace tabrel::ui {

class RecentFileSettings : public RecentFileStore {
public:
    static constexpr const char* Organisation = "Local AppWizard-Generated Applications";
    static constexpr const char* ApplicationName = "Tabrel";

    std::vector<std::string> load() override;
    void save(const std::vector<std::string>& entries) override;
};

} // namespace tabrel::ui
