#pragma once

#include <windows.h>

#include <mmsystem.h>
#include <oleacc.h>
#include <psapi.h>
#include <wtsapi32.h>

namespace kob::dynamic {

// The functions the program and its setup's plugin find by name at run time, each once, in its system library, for
// one of two reasons: the library is loaded from the system folder only when it is first needed (winmm, psapi,
// oleacc, comctl32, wtsapi32), so that Windows does not load it at start-up and no file of its name beside the
// program or the setup is ever loaded; or the function is newer than Windows 2000, or missing from some of its
// editions, and the program must still load where it is missing. A table is filled at the first call of its
// function and kept for the run; a function the system lacks is null.

struct KernelCalls {
    // Windows 8, and Vista and 7 with their update.
    BOOL(WINAPI* setDefaultDllDirectories)(DWORD) = nullptr;
    // Windows XP SP1.
    BOOL(WINAPI* setDllDirectoryW)(LPCWSTR) = nullptr;
    // Windows XP: present exactly where the system has side-by-side assemblies.
    BOOL(WINAPI* activateActCtx)(HANDLE, ULONG_PTR*) = nullptr;
    // Windows 2000 has it only with Terminal Services, where sessions other than 0 can run.
    BOOL(WINAPI* processIdToSessionId)(DWORD, DWORD*) = nullptr;
    // Windows Vista.
    HRESULT(WINAPI* registerApplicationRestart)(PCWSTR, DWORD) = nullptr;
};
const KernelCalls& Kernel();

struct User32Calls {
    // Windows 10 (1607); the contexts are handles.
    HANDLE(WINAPI* setThreadDpiAwarenessContext)(HANDLE) = nullptr;
};
const User32Calls& User32();

// NOTIFYICONIDENTIFIER, which the headers of the program's target system do not declare.
struct NotifyIconIdentifier {
    DWORD cbSize;
    HWND hWnd;
    UINT uID;
    GUID guidItem;
};

struct Shell32Calls {
    // Windows 7.
    HRESULT(WINAPI* shellNotifyIconGetRect)(const NotifyIconIdentifier*, RECT*) = nullptr;
};
const Shell32Calls& Shell32();

// winmm.dll: the mixer (the volume on systems before Windows Vista, and under Wine) and MCI (the test sound).
struct WinmmCalls {
    decltype(&mixerOpen) mixerOpen = nullptr;
    decltype(&mixerClose) mixerClose = nullptr;
    decltype(&mixerGetLineInfoA) mixerGetLineInfoA = nullptr;
    decltype(&mixerGetLineControlsA) mixerGetLineControlsA = nullptr;
    decltype(&mixerGetControlDetailsA) mixerGetControlDetailsA = nullptr;
    decltype(&mixerSetControlDetails) mixerSetControlDetails = nullptr;
    decltype(&mciSendStringA) mciSendStringA = nullptr;
    decltype(&mciGetDeviceIDA) mciGetDeviceIDA = nullptr;
};
const WinmmCalls& Winmm();

// psapi.dll, as Windows 2000 has it: the instance check's process list, and the setup's.
struct PsapiCalls {
    decltype(&EnumProcesses) enumProcesses = nullptr;
    decltype(&EnumProcessModules) enumProcessModules = nullptr;
    decltype(&GetModuleFileNameExA) getModuleFileNameExA = nullptr;
    // The setup's: the paths of the running programs it may replace, whatever the code page.
    decltype(&GetModuleFileNameExW) getModuleFileNameExW = nullptr;
};
const PsapiCalls& Psapi();

// oleacc.dll: the controller's answers to screen readers, which keep asking for the rest of the run.
struct OleaccCalls {
    decltype(&LresultFromObject) lresultFromObject = nullptr;
    decltype(&CreateStdAccessibleObject) createStdAccessibleObject = nullptr;
};
const OleaccCalls& Oleacc();

// comctl32.dll, never imported: where the system has side-by-side assemblies (Windows XP and later) its name
// resolves to the version the manifest names, from the system's assembly store; Windows 2000 has only the system
// folder's copy, loaded by its full path.
struct CommonControlsCalls {
    void(WINAPI* initCommonControls)() = nullptr;
};
const CommonControlsCalls& CommonControls();

// wtsapi32.dll: the setup's look for the program in other users' sessions, where Terminal Services run.
struct WtsCalls {
    decltype(&WTSEnumerateSessionsW) enumerateSessionsW = nullptr;
    decltype(&WTSFreeMemory) freeMemory = nullptr;
};
const WtsCalls& Wts();

} // namespace kob::dynamic
