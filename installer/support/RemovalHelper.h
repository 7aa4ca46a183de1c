// The uninstaller's helper, which removes the uninstaller's own file once it has ended.
#pragma once

#include <string>

namespace setup {

// The copy's name in its folder.
constexpr const wchar_t* kRemovalHelperFile = L"uninstall.exe";

// Runs a copy of `program` with `parameters` (plain words: no character the command processor reads otherwise) from
// a new folder only this user can open, through the system's command processor, which holds the setup's lock
// `lockName` until the copy has ended and the folder is gone.
bool StartRemovalHelper(const std::wstring& program, const std::wstring& parameters, const std::wstring& lockName);

} // namespace setup
