#pragma once

#include "settings/RegistryService.h"

namespace kob {

// advapi32's registry functions, ANSI forms.
class Win32Registry : public RegistryService {
public:
    std::int32_t OpenKey(RegistryRoot root, const std::string& subKey, std::uint32_t access,
                         std::uintptr_t& key) override;
    std::int32_t QueryValue(std::uintptr_t key, const std::string& name, std::uint32_t& type,
                            std::vector<std::uint8_t>& data, std::uint32_t& size) override;
    std::int32_t SetValue(std::uintptr_t key, const std::string& name, std::uint32_t type,
                          const std::vector<std::uint8_t>& data) override;
    std::int32_t SetWideStringValue(std::uintptr_t key, const std::string& name, const std::u16string& text) override;
    std::int32_t DeleteValue(std::uintptr_t key, const std::string& name) override;
    std::int32_t CloseKey(std::uintptr_t key) override;
    std::string DescribeResult(std::int32_t result) override;
};

} // namespace kob
