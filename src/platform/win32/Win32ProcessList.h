#pragma once

#include "platform/ProcessListService.h"

namespace kob {

// psapi's process and module enumeration (imported from psapi.dll, as Windows 2000 has it) and kernel32's
// process handles.
class Win32ProcessList : public ProcessListService {
public:
    bool ListIds(std::vector<std::uint32_t>& ids, std::uint32_t capacity, std::uint32_t& delivered) override;
    std::string ExecutableOf(std::uint32_t processId) override;
};

} // namespace kob
