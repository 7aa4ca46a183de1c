#include "platform/win32/Win32ModulePath.h"

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace kob {

namespace {

// Room for the longest path the ANSI functions handle, and its NUL.
constexpr DWORD kPathCharacters = MAX_PATH + 1;

std::wstring WidePath(bool shortForm) {
    std::vector<wchar_t> longPath(kPathCharacters, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, longPath.data(), kPathCharacters);
    if (length == 0 || length >= kPathCharacters) {
        return {};
    }
    if (!shortForm) {
        return std::wstring(longPath.data(), length);
    }
    std::vector<wchar_t> shortPath(kPathCharacters, L'\0');
    const DWORD shortLength = GetShortPathNameW(longPath.data(), shortPath.data(), kPathCharacters);
    if (shortLength == 0 || shortLength >= kPathCharacters) {
        return {};
    }
    return std::wstring(shortPath.data(), shortLength);
}

// The text in the ANSI code page, only when every character has an exact equivalent there: no default character
// and no best-fit look-alike (which would name another file), proven by converting back.
bool ExactAnsi(const std::wstring& wide, std::string& ansi) {
    if (wide.empty()) {
        return false;
    }
    const int wideLength = static_cast<int>(wide.size());
    // A UTF-8 code page (possible on Windows 10) spells everything and accepts neither the flag nor the
    // default-character report.
    const bool utf8 = GetACP() == CP_UTF8;
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* const usedDefaultReport = utf8 ? nullptr : &usedDefault;
    const int bytes =
        WideCharToMultiByte(CP_ACP, flags, wide.data(), wideLength, nullptr, 0, nullptr, usedDefaultReport);
    if (bytes <= 0 || usedDefault) {
        return false;
    }
    std::string converted(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, flags, wide.data(), wideLength, converted.data(), bytes, nullptr, usedDefaultReport);
    std::wstring back(wide.size(), L'\0');
    const int backLength = MultiByteToWideChar(CP_ACP, 0, converted.data(), bytes, back.data(), wideLength);
    if (usedDefault || backLength != wideLength || back != wide) {
        return false;
    }
    ansi = std::move(converted);
    return true;
}

} // namespace

std::string Win32ModulePath::ExecutablePath() {
    std::vector<char> path(kPathCharacters, '\0');
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), kPathCharacters);
    return length < kPathCharacters ? std::string(path.data(), length) : std::string();
}

std::optional<std::string> Win32ModulePath::ExactNarrowExecutablePath(PathForm form) {
    std::string path;
    if (!ExactAnsi(WidePath(form == PathForm::Short), path)) {
        return std::nullopt;
    }
    return path;
}

std::u16string Win32ModulePath::WideExecutablePath() {
    const std::wstring path = WidePath(false);
    return std::u16string(path.begin(), path.end());
}

std::u16string Win32ModulePath::FoldedLongExecutablePath() {
    const std::wstring path = WidePath(false);
    if (path.empty()) {
        return {};
    }
    std::vector<wchar_t> longPath(kPathCharacters, L'\0');
    const DWORD length = GetLongPathNameW(path.c_str(), longPath.data(), kPathCharacters);
    std::wstring folded = length > 0 && length < kPathCharacters ? std::wstring(longPath.data(), length) : path;
    CharUpperBuffW(folded.data(), static_cast<DWORD>(folded.size()));
    return std::u16string(folded.begin(), folded.end());
}

bool Win32ModulePath::IsSameFile(const std::string& a, const std::string& b) {
    const auto longForm = [](const std::string& path) {
        std::vector<char> expanded(kPathCharacters, '\0');
        const DWORD length = GetLongPathNameA(path.c_str(), expanded.data(), kPathCharacters);
        return length > 0 && length < kPathCharacters ? std::string(expanded.data(), length) : path;
    };
    return lstrcmpiA(longForm(a).c_str(), longForm(b).c_str()) == 0;
}

} // namespace kob
