#include "DesktopStart.h"

#include <windows.h>

#include <exdisp.h>
#include <servprov.h>
#include <shldisp.h>
#include <shlobj.h>

#include <vector>

#include "AccessRules.h"

namespace setup {

namespace {

// A COM reference released when it goes.
template <typename Interface> class ComRef {
public:
    ComRef() = default;
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    ~ComRef() {
        if (pointer_) {
            pointer_->Release();
        }
    }
    Interface* operator->() const { return pointer_; }
    Interface& operator*() const { return *pointer_; }
    Interface** Out() { return &pointer_; }
    void** OutVoid() { return reinterpret_cast<void**>(&pointer_); }

private:
    Interface* pointer_ = nullptr;
};

class Bstr {
public:
    explicit Bstr(const std::wstring& text) : text_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    ~Bstr() { SysFreeString(text_); }
    BSTR get() const { return text_; }

private:
    BSTR text_;
};

enum class DesktopOwner { Us, SomeoneElse };

// The owner of the process behind a window: this process's user, or someone else (also when we may not look).
DesktopOwner OwnerOfWindow(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HANDLE process = processId ? OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, processId) : nullptr;
    const std::vector<BYTE> windowUser = process ? UserOfProcess(process) : std::vector<BYTE>();
    if (process) {
        CloseHandle(process);
    }
    const std::vector<BYTE> ownUser = UserOfProcess(GetCurrentProcess());
    if (windowUser.empty() || ownUser.empty()) {
        return DesktopOwner::SomeoneElse;
    }
    return EqualSid(SidOf(windowUser), SidOf(ownUser)) ? DesktopOwner::Us : DesktopOwner::SomeoneElse;
}

// Whether this process runs with an administrator's rights, whatever made them so.
bool RunsAsAdministrator() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY | TOKEN_DUPLICATE, &token)) {
        return true;
    }
    const bool administrator = HasAdministratorRights(token);
    CloseHandle(token);
    return administrator;
}

VARIANT TextVariant(BSTR text) {
    VARIANT variant;
    VariantInit(&variant);
    if (text && SysStringLen(text) > 0) {
        variant.vt = VT_BSTR;
        variant.bstrVal = text;
    }
    return variant;
}

// The shell behind this session's desktop, as its scripting object, and the desktop's window; false when the
// desktop has no shell that answers.
bool FindDesktopShell(ComRef<IShellDispatch2>& shell, HWND& desktopWindow) {
    ComRef<IShellWindows> windows;
    if (FAILED(
            CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER, IID_IShellWindows, windows.OutVoid()))) {
        return false;
    }
    VARIANT desktop;
    VariantInit(&desktop);
    desktop.vt = VT_I4;
    desktop.lVal = CSIDL_DESKTOP;
    VARIANT none;
    VariantInit(&none);
    long window = 0;
    ComRef<IDispatch> found;
    if (windows->FindWindowSW(&desktop, &none, SWC_DESKTOP, &window, SWFO_NEEDDISPATCH, found.Out()) != S_OK) {
        return false;
    }
    desktopWindow = reinterpret_cast<HWND>(static_cast<LONG_PTR>(window));
    ComRef<IServiceProvider> services;
    ComRef<IShellBrowser> browser;
    ComRef<IShellView> view;
    ComRef<IDispatch> background;
    ComRef<IShellFolderViewDual> folderView;
    ComRef<IDispatch> application;
    return SUCCEEDED(found->QueryInterface(IID_IServiceProvider, services.OutVoid())) &&
           SUCCEEDED(services->QueryService(SID_STopLevelBrowser, IID_IShellBrowser, browser.OutVoid())) &&
           SUCCEEDED(browser->QueryActiveShellView(view.Out())) &&
           SUCCEEDED(view->GetItemObject(SVGIO_BACKGROUND, IID_IDispatch, background.OutVoid())) &&
           SUCCEEDED(background->QueryInterface(IID_IShellFolderViewDual, folderView.OutVoid())) &&
           SUCCEEDED(folderView->get_Application(application.Out())) &&
           SUCCEEDED(application->QueryInterface(IID_IShellDispatch2, shell.OutVoid()));
}

// The shell starts the file as its own user, with his rights.
bool StartThroughShell(IShellDispatch2& shell, const std::wstring& file, const std::wstring& parameters) {
    const Bstr fileText(file);
    const Bstr parameterText(parameters);
    const std::size_t slash = file.rfind(L'\\');
    const Bstr folderText(slash == std::wstring::npos ? std::wstring() : file.substr(0, slash));
    VARIANT none;
    VariantInit(&none);
    VARIANT show;
    VariantInit(&show);
    show.vt = VT_I4;
    show.lVal = SW_SHOWNORMAL;
    return SUCCEEDED(shell.ShellExecute(fileText.get(), TextVariant(parameterText.get()), TextVariant(folderText.get()),
                                        none, show));
}

bool StartDirectly(const std::wstring& file, const std::wstring& parameters) {
    std::wstring commandLine = L"\"" + file + L"\"" + (parameters.empty() ? L"" : L" " + parameters);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

class ComApartment {
public:
    ComApartment() : initialised_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment() {
        if (initialised_) {
            CoUninitialize();
        }
    }

private:
    bool initialised_;
};

} // namespace

StartedBy StartForDesktopUser(const std::wstring& file, const std::wstring& parameters, WhoMayRunIt who) {
    const ComApartment apartment;
    ComRef<IShellDispatch2> shell;
    HWND desktop = nullptr;
    if (FindDesktopShell(shell, desktop)) {
        if (who == WhoMayRunIt::InstallingUserOnly && OwnerOfWindow(desktop) != DesktopOwner::Us) {
            return StartedBy::Nobody;
        }
        if (StartThroughShell(*shell, file, parameters)) {
            return StartedBy::DesktopShell;
        }
    }
    // Without a shell to ask, only the desktop's own user without an administrator's rights may start it himself:
    // the notification area's window tells whose desktop it is.
    const HWND tray = FindWindowW(L"Shell_TrayWnd", nullptr);
    if (tray && OwnerOfWindow(tray) == DesktopOwner::Us && !RunsAsAdministrator() && StartDirectly(file, parameters)) {
        return StartedBy::ThisProcess;
    }
    return StartedBy::Nobody;
}

} // namespace setup
