#pragma once

#include "platform/ModulePathService.h"

namespace kob {

// The running executable's file name from kernel32: narrow text is the ANSI code page, the short form the 8.3 name.
class Win32ModulePath : public ModulePathService {
public:
    std::string ExecutablePath() override;
    std::optional<std::string> ExactNarrowExecutablePath(PathForm form) override;
    std::u16string WideExecutablePath() override;
    std::u16string FoldedLongExecutablePath() override;
    bool IsSameFile(const std::string& a, const std::string& b) override;
};

} // namespace kob
