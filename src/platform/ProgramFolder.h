#pragma once

#include <string>

#include "platform/ModulePathService.h"

namespace kob {

// The folder part of a full file path: the text before its last backslash, so never with a trailing one
// ("C:\kob3.0.exe" gives "C:"). A path without a backslash has an empty folder.
std::string FolderOf(const std::string& path);

// The file name part of a full path, without its folder and without its last extension.
std::string BaseNameOf(const std::string& path);

// The folder that holds the running executable, without a trailing backslash, spelt as GetModuleFileNameA and
// other processes report it.
std::string ProgramFolder(ModulePathService& modulePath);

// A file in the program folder: the folder, a backslash and the file name.
std::string InProgramFolder(ModulePathService& modulePath, const std::string& fileName);

} // namespace kob
