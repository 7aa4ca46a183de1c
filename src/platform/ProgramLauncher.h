#pragma once

#include <optional>
#include <string>

namespace kob {

// Starts programs.
class ProgramLauncher {
public:
    virtual ~ProgramLauncher() = default;
    // Starts the command line as a new process, its window shown normally with the focus, and returns at once
    // without waiting for it. None when it started; otherwise the system's description of the failure.
    [[nodiscard]] virtual std::optional<std::string> Start(const std::string& commandLine) = 0;
    // Whether a file (not a folder) exists at the path.
    virtual bool FileExists(const std::string& path) = 0;
};

} // namespace kob
