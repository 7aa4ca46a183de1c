#pragma once

#include "settings/RegistryService.h"

namespace kob {

// advapi32's registry functions, ANSI forms (the wide text excepted).
class Win32Registry : public RegistryService {
public:
    RegistryResult OpenKey(RegistryRoot root, const std::string& subKey, RegistryAccess access,
                           std::uintptr_t& key) override;
    RegistryResult ReadDword(std::uintptr_t key, const std::string& name, std::uint32_t& value) override;
    RegistryResult ReadText(std::uintptr_t key, const std::string& name, std::size_t maxBytes,
                            std::string& text) override;
    RegistryResult WriteDword(std::uintptr_t key, const std::string& name, std::uint32_t value) override;
    RegistryResult WriteText(std::uintptr_t key, const std::string& name, const std::string& text) override;
    RegistryResult WriteWideText(std::uintptr_t key, const std::string& name, const std::u16string& text) override;
    RegistryResult DeleteValue(std::uintptr_t key, const std::string& name) override;
    void CloseKey(std::uintptr_t key) override;
};

} // namespace kob
