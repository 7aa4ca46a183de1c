#pragma once

#include "platform/ModulePathService.h"

namespace kob {

// The running executable's file name from kernel32.
class Win32ModulePath : public ModulePathService {
public:
    std::string ExecutablePath() override;
    bool ExactAnsiExecutablePath(bool shortForm, std::string& path) override;
    std::u16string WideExecutablePath() override;
    std::u16string FoldedLongExecutablePath() override;
    bool IsSameFile(const std::string& a, const std::string& b) override;
};

} // namespace kob
