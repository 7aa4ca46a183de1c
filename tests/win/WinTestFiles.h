#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace kob::test {

// The folder of this test program, where the build puts the probe programs too.
inline std::string TestProgramFolder() {
    char path[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string text(path);
    return text.substr(0, text.rfind('\\'));
}

// Delivers the messages waiting for this thread.
inline void DeliverPendingMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// Runs a program to its end, answering this thread's window messages meanwhile (a program that sends them waits
// for the answers), in the given current folder or this one; its exit code, or STILL_ACTIVE after 30 s.
inline DWORD RunToEnd(std::string commandLine, const char* currentFolder = nullptr) {
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, currentFolder, &startup,
                        &process)) {
        return STILL_ACTIVE;
    }
    const DWORD start = GetTickCount();
    while (MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 1000, QS_ALLINPUT) != WAIT_OBJECT_0 &&
           GetTickCount() - start < 30000) {
        DeliverPendingMessages();
    }
    // What it posted before it ended is delivered too.
    DeliverPendingMessages();
    DWORD exitCode = STILL_ACTIVE;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return exitCode;
}

// Runs this thread's messages until the condition holds or the time is up.
inline bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds = 10000) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > milliseconds) {
            return false;
        }
        DeliverPendingMessages();
        Sleep(1);
    }
    return true;
}

// A mouse event through the system, as the user makes it: a move by `dx` pixels, or a turn of the wheel by `travel`.
inline bool InjectMouse(DWORD flags, int dx, int travel = 0) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    input.mi.dx = dx;
    input.mi.mouseData = static_cast<DWORD>(travel);
    return SendInput(1, &input, sizeof(input)) == 1;
}

// A fresh, empty folder under the temporary folder, removed with what it holds when the object goes.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& name) {
        char temp[MAX_PATH + 1] = {};
        GetTempPathA(MAX_PATH, temp);
        path_ = std::string(temp) + name + "-" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(path_.c_str(), nullptr);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    ~ScratchFolder() {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((path_ + "\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                DeleteFileA((path_ + "\\" + found.cFileName).c_str());
            } while (FindNextFileA(search, &found));
            FindClose(search);
        }
        RemoveDirectoryA(path_.c_str());
    }
    const std::string& path() const { return path_; }
    // Copies a file into the folder under the given name and returns the copy's path.
    std::string Copy(const std::string& from, const std::string& name) const {
        const std::string to = path_ + "\\" + name;
        CopyFileA(from.c_str(), to.c_str(), FALSE);
        return to;
    }

private:
    std::string path_;
};

} // namespace kob::test
