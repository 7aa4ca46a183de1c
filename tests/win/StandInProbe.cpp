// Stands in for a system tool the program starts: leaves a mark in the temporary folder, so a test can see that
// it was started, and ends.
#include <windows.h>

#include <string>

int main() {
    char temp[MAX_PATH + 1] = {};
    GetTempPathA(MAX_PATH, temp);
    HANDLE mark = CreateFileA((std::string(temp) + "kob-stand-in-started").c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (mark != INVALID_HANDLE_VALUE) {
        CloseHandle(mark);
    }
    return 0;
}
