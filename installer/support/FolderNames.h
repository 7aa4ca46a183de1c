// Names Windows does not give to a folder: they name a device, or hold a control character.
#pragma once

#include <string>

namespace setup {

enum class NameFault { None, Device, ControlCharacter };

// Whether a name in `path` is one of a device's (CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9, in any letter
// case, also with an extension or blanks before it), which Windows opens as the device wherever it stands, or a
// character below 32 is in it.
NameFault FindNameFault(const std::wstring& path);

} // namespace setup
