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

// The same file by its exact path, for opening it: the folder as UTF-16, which spells a name in any script where
// the ANSI code page would turn some characters into '?'. The file name is plain ASCII.
std::u16string ProgramFilePath(ModulePathService& modulePath, const std::string& fileName);

// The same file in a form that functions taking ANSI paths can open: the long path where the ANSI code page spells
// it exactly, else its 8.3 form (the file names the program uses are 8.3 names already), else the path as
// GetModuleFileNameA spells it.
std::string OpenableProgramFile(ModulePathService& modulePath, const std::string& fileName);

} // namespace kob
