#include "platform/win32/Win32SystemInfo.h"

#include <windows.h>

#include <cstring>

namespace kob {

static_assert(sizeof(OSVERSIONINFOA) == 148, "the ANSI version record of Windows 2000");

namespace {

constexpr UINT kSystemFolderRoom = 255;

} // namespace

WindowsPlatform Win32SystemInfo::ReadPlatform() {
    // A zeroed record: a call that fails leaves platform 0.
    OSVERSIONINFOA record;
    std::memset(&record, 0, sizeof(record));
    record.dwOSVersionInfoSize = sizeof(record);
    ::GetVersionExA(&record);
    if (record.dwPlatformId >= VER_PLATFORM_WIN32_NT) {
        return WindowsPlatform::NtFamily;
    }
    return record.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS ? WindowsPlatform::Windows9x : WindowsPlatform::Win32s;
}

std::optional<std::string> Win32SystemInfo::ReadSystemFolder() {
    // A path and its NUL in 255 characters. A longer one is told by its size alone, and nothing is written.
    char folder[kSystemFolderRoom] = {};
    const UINT length = systemDirectory_(folder, kSystemFolderRoom);
    if (length == 0 || length >= kSystemFolderRoom) {
        return std::nullopt;
    }
    return std::string(folder, length);
}

std::uint32_t Win32SystemInfo::GetCurrentProcessId() {
    return ::GetCurrentProcessId();
}

void Win32SystemInfo::CreateNamedMutex(const std::string& name) {
    // The handle is never closed: the mutex lives as long as the process.
    ::CreateMutexA(nullptr, FALSE, name.c_str());
}

MutexOwnership Win32SystemInfo::TakeNamedMutex(const std::string& name) {
    HANDLE mutex = ::CreateMutexA(nullptr, FALSE, name.c_str());
    if (mutex == nullptr) {
        return MutexOwnership::Unavailable;
    }
    switch (::WaitForSingleObject(mutex, 0)) {
    case WAIT_OBJECT_0:
    case WAIT_ABANDONED: // its owner's thread ended without releasing it: a crashed copy
        // The handle stays open: the mutex, and this thread's ownership of it, last until the thread ends.
        return MutexOwnership::Owned;
    case WAIT_TIMEOUT:
        ::CloseHandle(mutex);
        return MutexOwnership::OwnedElsewhere;
    default:
        ::CloseHandle(mutex);
        return MutexOwnership::Unavailable;
    }
}

} // namespace kob
