#pragma once

#include <optional>
#include <string>

namespace kob {

// A path as the file system stores it, or its short form (eight letters, a dot and three), which every code page can
// spell.
enum class PathForm { Long, Short };

// The file of the running executable. Narrow text is in the system's code page for programs that read no UTF-16.
class ModulePathService {
public:
    virtual ~ModulePathService() = default;
    // The executable's full path as narrow text, as other processes see it: a character the code page cannot spell
    // is a question mark.
    virtual std::string ExecutablePath() = 0;
    // The full path in that form as narrow text; none when some character has no exact equivalent in the code page,
    // so the text would name another file.
    virtual std::optional<std::string> ExactNarrowExecutablePath(PathForm form) = 0;
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
