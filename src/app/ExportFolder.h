#pragma once
// Where an export offers to write: every export of the program asks for a folder and starts the
// question in the folder this picks, so the program never writes into its own folder or the
// working directory unasked.
#include <functional>
#include <string>

namespace tabrel {

struct ExportFolderSources {
    std::string dataFileFolder; // the folder of the school's data file; "" while it has none
    std::string lastUsed;       // the folder the last export went to (remembered across runs); "" for none
    std::string fallback;       // the user's documents or home folder
};

// The first of the data file's folder, the last folder used and the fallback that is an existing
// folder (by `isFolder`); the fallback when none is.
std::string defaultExportFolder(const ExportFolderSources& sources,
                                const std::function<bool(const std::string&)>& isFolder);

// `folder` joined with `name` ("/" between them unless `folder` ends with one).
std::string exportPath(const std::string& folder, const std::string& name);

} // namespace tabrel
