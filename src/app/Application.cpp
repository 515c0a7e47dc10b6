#include "app/Application.h"

namespace tabrel {

ProgramFolderChoice chooseProgramFolder(const std::string& executableFolder, bool executableFolderWritable,
                                        const std::string& userDataFolder)
{
    if (executableFolderWritable && !executableFolder.empty())
        return {executableFolder, false};
    return {userDataFolder, true};
}

const char* Application::productName()
{
    return "Tabrel排课";
}

void Application::setProgramFolder(const ProgramFolderChoice& choice)
{
    programFolder_ = choice.folder;
    programFolderFallback_ = choice.fallback;
    trace_.setFolder(programFolder_);
}

std::string Application::programFile(const std::string& name) const
{
    if (programFolder_.empty())
        return name;
    if (programFolder_.back() == '/' || programFolder_.back() == '\\')
        return programFolder_ + name;
    return programFolder_ + "/" + name;
}

} // namespace tabrel
