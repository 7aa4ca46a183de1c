#pragma once

#include "platform/ProgramLauncher.h"

namespace kob {

// CreateProcessA with the window shown normally; the new process's handles are closed at once.
class Win32ProgramLauncher : public ProgramLauncher {
public:
    std::optional<std::string> Start(const std::string& commandLine) override;
    bool FileExists(const std::string& path) override;
};

} // namespace kob
