#include "app/ExportFolder.h"

namespace tabrel {

std::string defaultExportFolder(const ExportFolderSources& sources,
                                const std::function<bool(const std::string&)>& isFolder)
{
    for (const std::string* candidate : {&sources.dataFileFolder, &sources.lastUsed, &sources.fallback})
        if (!candidate->empty() && isFolder(*candidate))
            return *candidate;
    return sources.fallback;
}

std::string exportPath(const std::string& folder, const std::string& name)
{
    if (folder.empty())
        return name;
    if (folder.back() == '/' || folder.back() == '\\')
        return folder + name;
    return folder + "/" + name;
}

} // namespace tabrel
