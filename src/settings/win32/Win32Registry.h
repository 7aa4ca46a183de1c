#pragma once

#include "settings/RegistryService.h"

namespace kob {

// advapi32's registry functions, ANSI forms (the wide text excepted). Each key is an HKEY of its own, closed with
// RegCloseKey when it goes.
class Win32Registry : public RegistryService {
public:
    OpenedKey OpenKey(RegistryRoot root, const std::string& subKey, RegistryAccess access) override;
};

} // namespace kob
