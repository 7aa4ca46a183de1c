#include "platform/win32/Win32ProgramLauncher.h"

#include <windows.h>

#include <vector>

namespace kob {

namespace {

// The system's description of an error code, without the line break it ends with.
std::string Describe(DWORD error) {
    char text[512] = {};
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                                        text, sizeof(text), nullptr);
    std::string description(text, length);
    while (!description.empty() &&
           (description.back() == '\r' || description.back() == '\n' || description.back() == ' ')) {
        description.pop_back();
    }
    return description.empty() ? "Error " + std::to_string(error) : description;
}

} // namespace

bool Win32ProgramLauncher::Start(const std::string& commandLine, std::string& failure) {
    // CreateProcessA may write into the command line.
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION started{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started)) {
        failure = Describe(GetLastError());
        return false;
    }
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return true;
}

} // namespace kob

namespace kob {

bool Win32ProgramLauncher::FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

} // namespace kob
