#pragma once

#include "platform/ProcessListService.h"

namespace kob {

// psapi's process and module enumeration (psapi.dll of the system folder, as Windows 2000 has it, loaded at the
// first listing) and kernel32's process handles. Without psapi nothing is listed.
class Win32ProcessList : public ProcessListService {
public:
    bool ListIds(std::vector<std::uint32_t>& ids, std::uint32_t capacity, std::uint32_t& delivered) override;
    std::string ExecutableOf(std::uint32_t processId) override;
};

} // namespace kob
