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
    // The full path as UTF-16, exact whatever the code page; empty when it cannot be read.
    virtual std::u16string WideExecutablePath() = 0;
    // The long form of the full path in upper case, as the file system compares names: one text for every
    // spelling of the same file (8.3 forms, letter case); empty when it cannot be read.
    virtual std::u16string FoldedLongExecutablePath() = 0;
    // Whether two paths name the same file as the file system sees it: long and 8.3 forms alike, letter case
    // ignored.
    virtual bool IsSameFile(const std::string& a, const std::string& b) = 0;
};

} // namespace kob
