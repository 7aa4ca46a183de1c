#pragma once

#include <string>

namespace kob {

// The file of the running executable.
class ModulePathService {
public:
    virtual ~ModulePathService() = default;
    // GetModuleFileNameA of the executable: its full path in the ANSI code page, as other processes see it.
    virtual std::string ExecutablePath() = 0;
    // The full path (or with shortForm its 8.3 form) converted to the ANSI code page. False when some character
    // has no ANSI equivalent, so the converted text would name another file.
    virtual bool ExactAnsiExecutablePath(bool shortForm, std::string& path) = 0;
};

} // namespace kob
