#pragma once

#include <string>

namespace kob {

// Starts programs.
class ProgramLauncher {
public:
    virtual ~ProgramLauncher() = default;
    // Starts the command line as a new process, its window shown normally with the focus, and returns at once
    // without waiting for it. On failure, false, with the system's description of the failure.
    virtual bool Start(const std::string& commandLine, std::string& failure) = 0;
    // Whether a file (not a folder) exists at the path.
    virtual bool FileExists(const std::string& path) = 0;
};

} // namespace kob
