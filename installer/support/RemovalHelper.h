// The uninstaller's helper, which removes the uninstaller's own file once it has ended.
#pragma once

#include <string>

namespace setup {

// Runs a copy of `program` with `parameters` from a new folder only this user can open, handing it the setup's lock
// `lockName`, held until the copy ends.
bool StartRemovalHelper(const std::wstring& program, const std::wstring& parameters, const std::wstring& lockName);

} // namespace setup
