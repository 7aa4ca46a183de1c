#include "platform/win32/DynamicCalls.h"

#include "platform/win32/SystemLibrary.h"

namespace kob::dynamic {

namespace {

// Sets the pointer to the library's function of that name, as the pointer's own type.
template <typename Function> void Find(Function& function, HMODULE library, const char* name) {
    function = FunctionOf<Function>(library, name);
}

} // namespace

const KernelCalls& Kernel() {
    static const KernelCalls calls = [] {
        KernelCalls found;
        const HMODULE kernel = GetModuleHandleA("kernel32.dll");
        Find(found.setDefaultDllDirectories, kernel, "SetDefaultDllDirectories");
        Find(found.setDllDirectoryW, kernel, "SetDllDirectoryW");
        Find(found.activateActCtx, kernel, "ActivateActCtx");
        Find(found.processIdToSessionId, kernel, "ProcessIdToSessionId");
        Find(found.registerApplicationRestart, kernel, "RegisterApplicationRestart");
        return found;
    }();
    return calls;
}

const User32Calls& User32() {
    static const User32Calls calls = [] {
        User32Calls found;
        Find(found.setThreadDpiAwarenessContext, GetModuleHandleA("user32.dll"), "SetThreadDpiAwarenessContext");
        return found;
    }();
    return calls;
}

const Shell32Calls& Shell32() {
    static const Shell32Calls calls = [] {
        Shell32Calls found;
        // Shell32 is imported, so it is loaded already.
        Find(found.shellNotifyIconGetRect, GetModuleHandleA("shell32.dll"), "Shell_NotifyIconGetRect");
        return found;
    }();
    return calls;
}

const WinmmCalls& Winmm() {
    static const WinmmCalls calls = [] {
        WinmmCalls found;
        const HMODULE winmm = LoadSystemLibrary("winmm.dll");
        Find(found.mixerOpen, winmm, "mixerOpen");
        Find(found.mixerClose, winmm, "mixerClose");
        Find(found.mixerGetLineInfoA, winmm, "mixerGetLineInfoA");
        Find(found.mixerGetLineControlsA, winmm, "mixerGetLineControlsA");
        Find(found.mixerGetControlDetailsA, winmm, "mixerGetControlDetailsA");
        Find(found.mixerSetControlDetails, winmm, "mixerSetControlDetails");
        Find(found.mciSendStringA, winmm, "mciSendStringA");
        Find(found.mciGetDeviceIDA, winmm, "mciGetDeviceIDA");
        return found;
    }();
    return calls;
}

const PsapiCalls& Psapi() {
    static const PsapiCalls calls = [] {
        PsapiCalls found;
        const HMODULE psapi = LoadSystemLibrary("psapi.dll");
        Find(found.enumProcesses, psapi, "EnumProcesses");
        Find(found.enumProcessModules, psapi, "EnumProcessModules");
        Find(found.getModuleFileNameExA, psapi, "GetModuleFileNameExA");
        Find(found.getModuleFileNameExW, psapi, "GetModuleFileNameExW");
        return found;
    }();
    return calls;
}

const OleaccCalls& Oleacc() {
    static const OleaccCalls calls = [] {
        OleaccCalls found;
        const HMODULE oleacc = LoadSystemLibrary("oleacc.dll");
        Find(found.lresultFromObject, oleacc, "LresultFromObject");
        Find(found.createStdAccessibleObject, oleacc, "CreateStdAccessibleObject");
        return found;
    }();
    return calls;
}

const CommonControlsCalls& CommonControls() {
    static const CommonControlsCalls calls = [] {
        HMODULE controls = GetModuleHandleA("comctl32.dll");
        if (!controls) {
            controls = Kernel().activateActCtx ? LoadLibraryA("comctl32.dll") : LoadSystemLibrary("comctl32.dll");
        }
        CommonControlsCalls found;
        Find(found.initCommonControls, controls, "InitCommonControls");
        return found;
    }();
    return calls;
}

const WtsCalls& Wts() {
    static const WtsCalls calls = [] {
        WtsCalls found;
        const HMODULE wts = LoadSystemLibrary("wtsapi32.dll");
        Find(found.enumerateSessionsW, wts, "WTSEnumerateSessionsW");
        Find(found.freeMemory, wts, "WTSFreeMemory");
        return found;
    }();
    return calls;
}

} // namespace kob::dynamic
