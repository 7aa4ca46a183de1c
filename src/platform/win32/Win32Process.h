#pragma once

#include "platform/ProcessControl.h"

namespace kob {

class Win32Process : public ProcessControl {
public:
    void StopEverything() override;
    [[noreturn]] void EndProcess(std::uint32_t exitCode) override;
    void RestartAfterUpdates() override;
};

} // namespace kob
