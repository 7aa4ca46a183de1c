#pragma once

#include <windows.h>

#include <string>

namespace kob {

// The system's description of an error code in the ANSI code page, without the line break it ends with; "Error N"
// when the system has none.
std::string SystemErrorText(DWORD error);

} // namespace kob
