// Stands in for a program the program starts (a system tool, the browser): leaves a mark in the temporary folder
// holding its own path and its command line, one a line in UTF-8, so a test can see which file was started and
// with what, and ends.
#include <windows.h>

#include <string>

namespace {

std::string Utf8(const wchar_t* text) {
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string converted(bytes > 0 ? bytes - 1 : 0, '\0');
    if (bytes > 1) {
        WideCharToMultiByte(CP_UTF8, 0, text, -1, converted.data(), bytes, nullptr, nullptr);
    }
    return converted;
}

} // namespace

int main() {
    wchar_t self[MAX_PATH + 1] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::string record = Utf8(self) + "\n" + Utf8(GetCommandLineW()) + "\n";
    char temp[MAX_PATH + 1] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string mark = std::string(temp) + "kob-stand-in-started";
    const std::string writing = mark + ".part";
    HANDLE file =
        CreateFileA(writing.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
        CloseHandle(file);
        // Appears whole: a test waiting for the mark never reads half of it.
        MoveFileExA(writing.c_str(), mark.c_str(), MOVEFILE_REPLACE_EXISTING);
    }
    return 0;
}
