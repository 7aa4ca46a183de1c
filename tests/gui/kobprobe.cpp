// Test driver for the GUI tests: looks at the program's windows from another process under the same
// wineserver, answers its message boxes and reports what it saw as "key=value" lines in a file.
//
//   kobprobe controller <out>            the controller window: place, region, knob, read-out, z-order
//   kobprobe volume <out>                the preview's master volume (mixer value), asked through its reporter
//   kobprobe run <out> <exe> [args...]   starts a program, answers each message box it shows with OK,
//                                        and reports the boxes, whether the controller or a tray icon appeared,
//                                        its process id and its exit code
//   kobprobe runline <out> <line>        the same for a command line taken as it is
//   kobprobe runstandard <out> <line>    the same as a standard user: the Administrators group only denies
//   kobprobe mutex <out> <name> [ms]     whether a named mutex exists; with a time, makes it and holds it so long
//   kobprobe traywindow <out>            the running program's hidden tray window and the tray
//   kobprobe close <out>                 closes the running program as the system does at log-off, and waits
//   kobprobe postdestroy <out>           posts the tray window and the controller a WM_DESTROY and a WM_NCDESTROY,
//                                        as any program may, and reports to how many windows
//   kobprobe install <out> <cstpval>     the program key as the setup leaves it, without the Run value
//   kobprobe uninstall <out>             removes the program key and the Run value
//   kobprobe settings <out>              the program's registry values
//   kobprobe lock <out> <file>           holds the file open with no sharing until it is ended
//   kobprobe window <out> <class>        a shown window of that class: how many there are, place, caption, box
//   kobprobe menu <out>                  whether a pop-up menu is open
//   kobprobe box <out>                   the program's next message box: text and icon; answers it with OK
//   kobprobe dpi <out> <dots per inch>   sets the display's DPI as Wine reads it (after a wineserver restart)
//   kobprobe knobpixels <out> <exe>      compares the knob on screen with the knob picture of that program,
//                                        scaled to the knob's size
//   kobprobe starttime <out> <exe> [args] starts a program with no icon in the tray yet, reports how long its icon
//                                        took to appear, and ends it as the system does
//   kobprobe startwatch <out> <exe>      starts a program and, every 2 ms until its tray icon is there, looks at
//                                        its top-level windows and the foreground window; leaves it running
//   kobprobe resources <out>             the running program's process id, kernel handles and GDI and USER objects,
//                                        as far as the system counts them (Wine counts no GDI or USER objects), and
//                                        how many message boxes it has open
//   kobprobe shellrestart <out>          takes the program's icon away as a restarting shell does, then
//                                        announces the new shell, and reports whether the icon came back
//   kobprobe forgedwheel <out> <ms>      shows a window of its own in front at (400, 300), 300 x 200, posts the
//                                        program's "pointer over the icon" report every 20 ms as any program can,
//                                        and counts the turns of the wheel its window receives meanwhile
#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr const char* kTitle = "Drovo Volume Controller 3.0";
constexpr const char* kControllerClass = "DrovoVC3Controller";
constexpr const char* kTrayWindowClass = "DrovoVC3Companion";
constexpr const char* kProgramKey = "Software\\Marlox's Software\\Drovo Volume Controller\\3.0";
constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// Wine's stand-in for the notification area: shown while at least one program has an icon there.
bool TrayShowsAnIcon() {
    HWND tray = FindWindowA(nullptr, "Wine System Tray");
    return tray && IsWindowVisible(tray);
}
constexpr int kReadoutId = 1002;

HWND WaitForWindow(const char* className, const char* title, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        HWND found = FindWindowA(className, title);
        if (found || GetTickCount() - start > timeoutMs) {
            return found;
        }
        Sleep(50);
    }
}

// The 32 x 32 pixels from (left, top) of a device context.
std::vector<COLORREF> Pixels32(HDC dc, int left, int top) {
    std::vector<COLORREF> pixels;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            pixels.push_back(GetPixel(dc, left + x, top + y));
        }
    }
    return pixels;
}

// The 32 x 32 pixels of an icon drawn over a background colour.
std::vector<COLORREF> IconPixels(HICON icon, COLORREF background) {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 32, 32);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    RECT all{0, 0, 32, 32};
    HBRUSH brush = CreateSolidBrush(background);
    FillRect(memory, &all, brush);
    DeleteObject(brush);
    DrawIconEx(memory, 0, 0, icon, 32, 32, 0, nullptr, DI_NORMAL);
    const std::vector<COLORREF> pixels = Pixels32(memory, 0, 0);
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

// Icon handles cannot be compared across processes, so the icon shown is compared by its pixels on screen with
// the system's standard icons drawn here.
std::string IconKind(HWND box) {
    // The icon is a static control: id 20 in Windows' message boxes, stc1 (0x440) in Wine's.
    HWND icon = GetDlgItem(box, 20);
    if (!icon) {
        icon = GetDlgItem(box, 0x440);
    }
    if (!icon) {
        return "none";
    }
    RECT r{};
    GetWindowRect(icon, &r);
    HDC screen = GetDC(nullptr);
    const std::vector<COLORREF> shown = Pixels32(screen, r.left, r.top);
    ReleaseDC(nullptr, screen);
    const struct {
        LPCSTR id;
        const char* kind;
    } candidates[] = {{IDI_EXCLAMATION, "exclamation"},
                      {IDI_HAND, "error"},
                      {IDI_ASTERISK, "information"},
                      {IDI_QUESTION, "question"}};
    for (const auto& candidate : candidates) {
        const std::vector<COLORREF> drawn = IconPixels(LoadIcon(nullptr, candidate.id), shown.front());
        int differing = 0;
        for (std::size_t i = 0; i < drawn.size(); ++i) {
            differing += drawn[i] != shown[i];
        }
        if (differing < 16) {
            return candidate.kind;
        }
    }
    return "other";
}

std::string MessageText(HWND box) {
    char text[1024] = {};
    // The text is the static control with id 0xFFFF in both Windows and Wine message boxes.
    GetDlgItemTextA(box, 0xFFFF, text, sizeof(text));
    return text;
}

int Controller(std::ofstream& out) {
    HWND window = WaitForWindow(kControllerClass, nullptr, 15000);
    if (!window) {
        out << "found=0\n";
        return 1;
    }
    Sleep(300);
    RECT r{};
    GetWindowRect(window, &r);
    out << "found=1\n";
    out << "rect=" << r.left << "," << r.top << "," << r.right << "," << r.bottom << "\n";
    out << "size=" << (r.right - r.left) << "x" << (r.bottom - r.top) << "\n";
    out << "visible=" << (IsWindowVisible(window) ? 1 : 0) << "\n";
    const LONG exStyle = GetWindowLongA(window, GWL_EXSTYLE);
    out << "topmost=" << ((exStyle & WS_EX_TOPMOST) ? 1 : 0) << "\n";
    out << "toolwindow=" << ((exStyle & WS_EX_TOOLWINDOW) ? 1 : 0) << "\n";
    out << "appwindow=" << ((exStyle & WS_EX_APPWINDOW) ? 1 : 0) << "\n";
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    const int type = GetWindowRgn(window, region);
    RECT box{};
    GetRgnBox(region, &box);
    out << "regiontype=" << type << "\n";
    out << "regionbox=" << box.left << "," << box.top << "," << box.right << "," << box.bottom << "\n";
    // A rounded region leaves the corner pixel out and the middle of each edge in.
    out << "corner_in_region=" << (PtInRegion(region, 0, 0) ? 1 : 0) << "\n";
    out << "edge_in_region=" << (PtInRegion(region, 33, 0) ? 1 : 0) << "\n";
    DeleteObject(region);
    HWND knob = FindWindowExA(window, nullptr, "DrovoVC3Knob", nullptr);
    if (knob) {
        RECT k{};
        GetWindowRect(knob, &k);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&k), 2);
        out << "knob=" << k.left << "," << k.top << "," << k.right << "," << k.bottom << "\n";
        HRGN knobRegion = CreateRectRgn(0, 0, 0, 0);
        out << "knobregiontype=" << GetWindowRgn(knob, knobRegion) << "\n";
        DeleteObject(knobRegion);
    }
    char readout[64] = {};
    GetDlgItemTextA(window, kReadoutId, readout, sizeof(readout));
    out << "readout=" << readout << "\n";
    if (HWND mute = FindWindowExA(window, nullptr, "BUTTON", nullptr)) {
        out << "mute=" << (SendMessageA(mute, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0) << "\n";
    }
    return 0;
}

int Volume(std::ofstream& out) {
    HWND reporter = WaitForWindow("DrovoVC3PreviewReporter", nullptr, 15000);
    if (!reporter) {
        out << "found=0\n";
        return 1;
    }
    const UINT query = RegisterWindowMessageA("DrovoVC3PreviewVolumeQuery");
    DWORD_PTR value = 0;
    SendMessageTimeoutA(reporter, query, 0, 0, SMTO_ABORTIFHUNG, 5000, &value);
    out << "found=1\nvolume=" << static_cast<long>(static_cast<LONG>(value)) << "\n";
    return 0;
}

// Starts a command line as the shell would (with the token given, else with this process's); false, with
// "started=0" reported, when it cannot be started.
bool StartProcess(std::ofstream& out, const std::string& commandLine, PROCESS_INFORMATION& process,
                  HANDLE token = nullptr) {
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    std::string line = commandLine;
    const BOOL started =
        token ? CreateProcessAsUserA(token, nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                     &startup, &process)
              : CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process);
    if (!started) {
        out << "started=0\n";
        return false;
    }
    return true;
}

// This process's token with the Administrators group for denying only: what a standard user's programs run with.
HANDLE StandardUserToken() {
    HANDLE own = nullptr;
    OpenProcessToken(GetCurrentProcess(), TOKEN_ALL_ACCESS, &own);
    SID_IDENTIFIER_AUTHORITY authority = SECURITY_NT_AUTHORITY;
    PSID administrators = nullptr;
    AllocateAndInitializeSid(&authority, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0,
                             &administrators);
    SID_AND_ATTRIBUTES denyOnly{administrators, 0};
    HANDLE restricted = nullptr;
    if (own && administrators) {
        CreateRestrictedToken(own, 0, 1, &denyOnly, 0, nullptr, 0, nullptr, &restricted);
    }
    if (administrators) {
        FreeSid(administrators);
    }
    if (own) {
        CloseHandle(own);
    }
    return restricted;
}

int Run(std::ofstream& out, const std::string& commandLine, HANDLE token = nullptr) {
    PROCESS_INFORMATION process{};
    if (!StartProcess(out, commandLine, process, token)) {
        return 1;
    }
    out << "started=1\n";
    out << "pid=" << process.dwProcessId << "\n";
    int boxes = 0;
    bool controllerSeen = false;
    bool traySeen = false;
    const DWORD start = GetTickCount();
    while (WaitForSingleObject(process.hProcess, 50) == WAIT_TIMEOUT) {
        HWND controller = FindWindowA(kControllerClass, nullptr);
        if (controller && IsWindowVisible(controller)) {
            controllerSeen = true;
        }
        traySeen = traySeen || TrayShowsAnIcon();
        HWND box = FindWindowA("#32770", kTitle);
        if (box && IsWindowVisible(box)) {
            ++boxes;
            out << "message" << boxes << "=" << MessageText(box) << "\n";
            out << "icon" << boxes << "=" << IconKind(box) << "\n";
            out.flush();
            SendMessageA(box, WM_COMMAND, IDOK, 0);
            Sleep(100);
        }
        if (GetTickCount() - start > 30000) {
            out << "timeout=1\n";
            TerminateProcess(process.hProcess, 99);
            break;
        }
    }
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    out << "messages=" << boxes << "\n";
    out << "controller_seen=" << (controllerSeen ? 1 : 0) << "\n";
    out << "tray_seen=" << (traySeen ? 1 : 0) << "\n";
    out << "exitcode=" << exitCode << "\n";
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 0;
}

struct ClassCount {
    const char* className;
    int visible;
};

BOOL CALLBACK CountClassWindow(HWND window, LPARAM param) {
    auto* count = reinterpret_cast<ClassCount*>(param);
    char name[64] = {};
    GetClassNameA(window, name, sizeof(name));
    if (std::string(name) == count->className && IsWindowVisible(window)) {
        ++count->visible;
    }
    return TRUE;
}

HWND WaitForVisible(const char* className, const char* title, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        HWND found = FindWindowA(className, title);
        if ((found && IsWindowVisible(found)) || GetTickCount() - start > timeoutMs) {
            return found && IsWindowVisible(found) ? found : nullptr;
        }
        Sleep(50);
    }
}

int Window(std::ofstream& out, const char* className) {
    HWND window = WaitForVisible(className, nullptr, 10000);
    if (!window) {
        out << "found=0\ncount=0\n";
        return 1;
    }
    Sleep(300);
    ClassCount count{className, 0};
    EnumWindows(CountClassWindow, reinterpret_cast<LPARAM>(&count));
    RECT r{};
    GetWindowRect(window, &r);
    char title[128] = {};
    GetWindowTextA(window, title, sizeof(title));
    out << "found=1\ncount=" << count.visible << "\n";
    out << "rect=" << r.left << "," << r.top << "," << r.right << "," << r.bottom << "\n";
    out << "title=" << title << "\n";
    if (HWND box = FindWindowExA(window, nullptr, "BUTTON", nullptr)) {
        out << "checked=" << (SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0) << "\n";
        RECT b{};
        GetWindowRect(box, &b);
        out << "boxcentre=" << (b.left + b.right) / 2 << " " << (b.top + b.bottom) / 2 << "\n";
    }
    return 0;
}

int Box(std::ofstream& out, const char* title) {
    HWND box = WaitForVisible("#32770", title, 10000);
    if (!box) {
        out << "found=0\n";
        return 1;
    }
    Sleep(300);
    out << "found=1\ntext=" << MessageText(box) << "\nicon=" << IconKind(box) << "\n";
    SendMessageA(box, WM_COMMAND, IDOK, 0);
    for (int i = 0; i < 50 && IsWindow(box) && IsWindowVisible(box); ++i) {
        Sleep(50);
    }
    return 0;
}

bool WaitForTray(bool shown, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (TrayShowsAnIcon() != shown) {
        if (GetTickCount() - start > timeoutMs) {
            return false;
        }
        Sleep(50);
    }
    return true;
}

int ShellRestart(std::ofstream& out) {
    HWND trayWindow = FindWindowA(kTrayWindowClass, nullptr);
    if (!trayWindow) {
        out << "found=0\n";
        return 1;
    }
    NOTIFYICONDATAA icon{};
    icon.cbSize = 88;
    icon.hWnd = trayWindow;
    icon.uID = 1;
    Shell_NotifyIconA(NIM_DELETE, &icon);
    out << "found=1\nremoved=" << (WaitForTray(false, 3000) ? 1 : 0) << "\n";
    PostMessageA(HWND_BROADCAST, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    out << "restored=" << (WaitForTray(true, 5000) ? 1 : 0) << "\n";
    return 0;
}

int SetDpi(std::ofstream& out, DWORD dpi) {
    bool written = true;
    const struct {
        HKEY root;
        const char* key;
    } places[] = {{HKEY_CURRENT_USER, "Control Panel\\Desktop"}, {HKEY_CURRENT_CONFIG, "Software\\Fonts"}};
    for (const auto& place : places) {
        HKEY key = nullptr;
        written = written && RegCreateKeyExA(place.root, place.key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                                             nullptr) == ERROR_SUCCESS;
        if (key) {
            written = written && RegSetValueExA(key, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi),
                                                sizeof(dpi)) == ERROR_SUCCESS;
            RegCloseKey(key);
        }
    }
    out << "written=" << (written ? 1 : 0) << "\n";
    return 0;
}

int KnobPixels(std::ofstream& out, const char* program) {
    HWND controller = WaitForWindow(kControllerClass, nullptr, 15000);
    HWND knob = controller ? FindWindowExA(controller, nullptr, "DrovoVC3Knob", nullptr) : nullptr;
    HMODULE resources = LoadLibraryExA(program, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    auto* picture =
        resources
            ? static_cast<HBITMAP>(LoadImageA(resources, MAKEINTRESOURCE(202), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR))
            : nullptr;
    if (!knob || !picture) {
        out << "found=0\n";
        return 1;
    }
    Sleep(500);
    RECT r{};
    GetWindowRect(knob, &r);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC scaled = CreateCompatibleDC(screen);
    HBITMAP canvas = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ previousCanvas = SelectObject(scaled, canvas);
    HDC source = CreateCompatibleDC(screen);
    HGDIOBJ previousSource = SelectObject(source, picture);
    BITMAP size{};
    GetObject(picture, sizeof(size), &size);
    SetStretchBltMode(scaled, HALFTONE);
    StretchBlt(scaled, 0, 0, width, height, source, 0, 0, size.bmWidth, size.bmHeight, SRCCOPY);
    // The rounded corners show the skin behind the knob: only the inside is compared.
    int compared = 0;
    int differing = 0;
    for (int y = 3; y < height - 3; ++y) {
        for (int x = 3; x < width - 3; ++x) {
            const COLORREF shown = GetPixel(screen, r.left + x, r.top + y);
            const COLORREF drawn = GetPixel(scaled, x, y);
            // Brightness alone: the smoothing of two scalings may tint a little, undefined pixels differ wholly.
            const auto luma = [](COLORREF c) {
                return (GetRValue(c) * 299 + GetGValue(c) * 587 + GetBValue(c) * 114) / 1000;
            };
            const int distance = abs(luma(shown) - luma(drawn));
            ++compared;
            differing += distance > 48;
        }
    }
    SelectObject(source, previousSource);
    DeleteDC(source);
    SelectObject(scaled, previousCanvas);
    DeleteObject(canvas);
    DeleteDC(scaled);
    ReleaseDC(nullptr, screen);
    DeleteObject(picture);
    FreeLibrary(resources);
    out << "found=1\nsize=" << width << "x" << height << "\n";
    // Drawn whole, the two differ in about a tenth of the pixels (the smoothing of the two scalings); a picture
    // copied at its own size into the larger window differs in about two thirds.
    out << "whole=" << (compared > 0 && differing * 5 <= compared ? 1 : 0) << "\n";
    out << "differing=" << differing << "/" << compared << "\n";
    return 0;
}

BOOL CALLBACK CloseWindowsOf(HWND window, LPARAM processId) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == static_cast<DWORD>(processId)) {
        PostMessageA(window, WM_CLOSE, 0, 0);
    }
    return TRUE;
}

int StartTime(std::ofstream& out, const std::string& commandLine) {
    if (!WaitForTray(false, 5000)) {
        out << "started=0\nreason=an icon is in the tray already\n";
        return 1;
    }
    PROCESS_INFORMATION process{};
    LARGE_INTEGER frequency{};
    LARGE_INTEGER begin{};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&begin);
    if (!StartProcess(out, commandLine, process)) {
        return 1;
    }
    while (!TrayShowsAnIcon() && WaitForSingleObject(process.hProcess, 1) == WAIT_TIMEOUT) {
    }
    LARGE_INTEGER end{};
    QueryPerformanceCounter(&end);
    out << "started=1\nms=" << (end.QuadPart - begin.QuadPart) * 1000 / frequency.QuadPart << "\n";
    EnumWindows(CloseWindowsOf, static_cast<LPARAM>(process.dwProcessId));
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
    }
    WaitForTray(false, 5000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 0;
}

// Counts the message boxes with the program's title that a process has open.
BOOL CALLBACK CountBoxOf(HWND window, LPARAM param) {
    auto* boxes = reinterpret_cast<std::pair<DWORD, int>*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char name[16] = {};
    char title[64] = {};
    GetClassNameA(window, name, sizeof(name));
    GetWindowTextA(window, title, sizeof(title));
    if (owner == boxes->first && std::string(name) == "#32770" && std::string(title) == kTitle) {
        ++boxes->second;
    }
    return TRUE;
}

int Resources(std::ofstream& out) {
    HWND trayWindow = FindWindowA(kTrayWindowClass, nullptr);
    DWORD processId = 0;
    GetWindowThreadProcessId(trayWindow, &processId);
    HANDLE process = trayWindow ? OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, processId) : nullptr;
    if (!process) {
        out << "found=0\n";
        return 1;
    }
    using HandleCount = BOOL(WINAPI*)(HANDLE, PDWORD);
    auto handleCount = reinterpret_cast<HandleCount>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetProcessHandleCount")));
    DWORD handles = 0;
    out << "found=1\n";
    out << "pid=" << processId << "\n";
    out << "handles=" << (handleCount && handleCount(process, &handles) ? std::to_string(handles) : "-") << "\n";
    out << "gdi=" << GetGuiResources(process, GR_GDIOBJECTS) << "\n";
    out << "user=" << GetGuiResources(process, GR_USEROBJECTS) << "\n";
    std::pair<DWORD, int> boxes{processId, 0};
    EnumWindows(CountBoxOf, reinterpret_cast<LPARAM>(&boxes));
    out << "boxes=" << boxes.second << "\n";
    CloseHandle(process);
    return 0;
}

// What a watcher saw of one process's top-level windows.
struct WindowWatch {
    DWORD processId;
    int windows = 0;
    int visible = 0;
    bool controller = false;
    std::string visibleClasses{};
};

BOOL CALLBACK WatchWindow(HWND window, LPARAM param) {
    auto* watch = reinterpret_cast<WindowWatch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != watch->processId) {
        return TRUE;
    }
    ++watch->windows;
    char name[64] = {};
    GetClassNameA(window, name, sizeof(name));
    watch->controller = watch->controller || std::string(name) == kControllerClass;
    if (IsWindowVisible(window)) {
        ++watch->visible;
        watch->visibleClasses += std::string(watch->visibleClasses.empty() ? "" : ",") + name;
    }
    return TRUE;
}

int StartWatch(std::ofstream& out, const std::string& commandLine) {
    const HWND foregroundBefore = GetForegroundWindow();
    PROCESS_INFORMATION process{};
    if (!StartProcess(out, commandLine, process)) {
        return 1;
    }
    int looks = 0;
    int visibleLooks = 0;
    bool controller = false;
    bool foregroundTaken = false;
    std::string seen;
    const DWORD start = GetTickCount();
    bool tray = false;
    while (!tray && GetTickCount() - start < 30000 && WaitForSingleObject(process.hProcess, 2) == WAIT_TIMEOUT) {
        // The tray is looked at first: the windows looked at after it cover the whole start-up.
        tray = TrayShowsAnIcon();
        WindowWatch watch{process.dwProcessId};
        EnumWindows(WatchWindow, reinterpret_cast<LPARAM>(&watch));
        ++looks;
        controller = controller || watch.controller;
        if (watch.visible > 0) {
            ++visibleLooks;
            if (seen.find(watch.visibleClasses) == std::string::npos) {
                seen += (seen.empty() ? "" : ";") + watch.visibleClasses;
            }
        }
        const HWND foreground = GetForegroundWindow();
        DWORD owner = 0;
        GetWindowThreadProcessId(foreground, &owner);
        foregroundTaken = foregroundTaken || (foreground != foregroundBefore && owner == process.dwProcessId);
    }
    out << "started=1\n";
    out << "tray=" << (tray ? 1 : 0) << "\n";
    out << "looks=" << looks << "\n";
    out << "visible_looks=" << visibleLooks << "\n";
    out << "visible_classes=" << seen << "\n";
    out << "controller_created=" << (controller ? 1 : 0) << "\n";
    out << "foreground_taken=" << (foregroundTaken ? 1 : 0) << "\n";
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 0;
}

int ReportTrayWindow(std::ofstream& out) {
    HWND window = WaitForWindow(kTrayWindowClass, nullptr, 15000);
    if (!window) {
        out << "found=0\n";
        return 1;
    }
    // The icon comes last in the start-up.
    for (int i = 0; i < 100 && !TrayShowsAnIcon(); ++i) {
        Sleep(100);
    }
    Sleep(300);
    RECT client{};
    GetClientRect(window, &client);
    RECT outer{};
    GetWindowRect(window, &outer);
    char title[64] = {};
    GetWindowTextA(window, title, sizeof(title));
    const LONG exStyle = GetWindowLongA(window, GWL_EXSTYLE);
    WindowWatch watch{0};
    GetWindowThreadProcessId(window, &watch.processId);
    EnumWindows(WatchWindow, reinterpret_cast<LPARAM>(&watch));
    out << "found=1\n";
    out << "visible=" << (IsWindowVisible(window) ? 1 : 0) << "\n";
    out << "title=" << title << "\n";
    out << "toolwindow=" << ((exStyle & WS_EX_TOOLWINDOW) ? 1 : 0) << "\n";
    out << "appwindow=" << ((exStyle & WS_EX_APPWINDOW) ? 1 : 0) << "\n";
    out << "client=" << client.right << "x" << client.bottom << "\n";
    out << "origin=" << outer.left << "," << outer.top << "\n";
    out << "visible_windows=" << watch.visible << "\n";
    out << "tray=" << (TrayShowsAnIcon() ? 1 : 0) << "\n";
    out << "controller=" << (FindWindowA(kControllerClass, nullptr) ? 1 : 0) << "\n";
    return 0;
}

int Close(std::ofstream& out) {
    HWND window = FindWindowA(kTrayWindowClass, nullptr);
    if (!window) {
        out << "found=0\n";
        return 1;
    }
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, processId);
    PostMessageA(window, WM_CLOSE, 0, 0);
    const bool ended = process && WaitForSingleObject(process, 10000) == WAIT_OBJECT_0;
    out << "found=1\nended=" << (ended ? 1 : 0) << "\n";
    if (process) {
        CloseHandle(process);
    }
    for (int i = 0; i < 30 && TrayShowsAnIcon(); ++i) {
        Sleep(100);
    }
    out << "tray=" << (TrayShowsAnIcon() ? 1 : 0) << "\n";
    return 0;
}

int PostDestruction(std::ofstream& out) {
    int windows = 0;
    for (const char* className : {kTrayWindowClass, kControllerClass}) {
        if (HWND window = FindWindowA(className, nullptr)) {
            PostMessageA(window, WM_DESTROY, 0, 0);
            PostMessageA(window, WM_NCDESTROY, 0, 0);
            ++windows;
        }
    }
    out << "windows=" << windows << "\n";
    return 0;
}

void DeleteSettings() {
    RegDeleteKeyA(HKEY_CURRENT_USER, kProgramKey);
    HKEY run = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRunKey, 0, KEY_SET_VALUE, &run) == ERROR_SUCCESS) {
        RegDeleteValueA(run, kTitle);
        RegCloseKey(run);
    }
}

int Install(std::ofstream& out, DWORD cstpval) {
    DeleteSettings();
    HKEY key = nullptr;
    const bool made = RegCreateKeyExA(HKEY_CURRENT_USER, kProgramKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                                      nullptr) == ERROR_SUCCESS;
    if (made) {
        RegSetValueExA(key, "cstpval", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&cstpval), sizeof(cstpval));
        RegCloseKey(key);
    }
    out << "installed=" << (made ? 1 : 0) << "\n";
    return 0;
}

void ReportDword(std::ofstream& out, const char* name) {
    DWORD value = 0;
    DWORD size = sizeof(value);
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kProgramKey, 0, KEY_READ, &key) == ERROR_SUCCESS) {
        const LONG read = RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
        RegCloseKey(key);
        if (read == ERROR_SUCCESS) {
            out << name << "=" << value << "\n";
            return;
        }
    }
    out << name << "=absent\n";
}

std::string RunValue(HKEY root) {
    char data[512] = {};
    DWORD size = sizeof(data) - 1;
    HKEY run = nullptr;
    bool found = false;
    if (RegOpenKeyExA(root, kRunKey, 0, KEY_READ, &run) == ERROR_SUCCESS) {
        found = RegQueryValueExA(run, kTitle, nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size) == ERROR_SUCCESS;
        RegCloseKey(run);
    }
    return found ? data : "absent";
}

bool KeyExists(HKEY root, const char* path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(key);
    return true;
}

// Holds the file open with no sharing, as a program using it would, until the probe is ended (at most a minute).
int Lock(std::ofstream& out, const char* path) {
    HANDLE file = CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    out << "locked=" << (file != INVALID_HANDLE_VALUE ? 1 : 0) << "\n";
    out.flush();
    if (file == INVALID_HANDLE_VALUE) {
        return 1;
    }
    Sleep(60000);
    CloseHandle(file);
    return 0;
}

// Whether a named mutex exists; with a time, makes it (as a copy of the program in another session would have it)
// and holds it so long.
int Mutex(std::ofstream& out, const char* name, DWORD holdMs) {
    if (holdMs == 0) {
        HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, name);
        out << "exists=" << (mutex || GetLastError() == ERROR_ACCESS_DENIED ? 1 : 0) << "\n";
        if (mutex) {
            CloseHandle(mutex);
        }
        return 0;
    }
    HANDLE mutex = CreateMutexA(nullptr, FALSE, name);
    out << "held=" << (mutex ? 1 : 0) << "\n";
    out.flush();
    if (!mutex) {
        return 1;
    }
    Sleep(holdMs);
    CloseHandle(mutex);
    return 0;
}

int Settings(std::ofstream& out) {
    ReportDword(out, "cstpval");
    ReportDword(out, "ontopstat");
    ReportDword(out, "peruser");
    out << "run=" << RunValue(HKEY_LOCAL_MACHINE) << "\n";
    out << "userrun=" << RunValue(HKEY_CURRENT_USER) << "\n";
    out << "programkey=" << (KeyExists(HKEY_CURRENT_USER, kProgramKey) ? 1 : 0) << "\n";
    out << "makerkey=" << (KeyExists(HKEY_CURRENT_USER, "Software\\Marlox's Software") ? 1 : 0) << "\n";
    const char* uninstall = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Drovo Volume Controller 3.0";
    out << "uninstallentry="
        << (KeyExists(HKEY_LOCAL_MACHINE, uninstall) || KeyExists(HKEY_CURRENT_USER, uninstall) ? 1 : 0) << "\n";
    return 0;
}

} // namespace

LRESULT CALLBACK CountTurns(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_MOUSEWHEEL) {
        SetWindowLongPtrA(window, GWLP_USERDATA, GetWindowLongPtrA(window, GWLP_USERDATA) + 1);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int ForgedWheel(std::ofstream& out, DWORD milliseconds) {
    const HWND tray = WaitForWindow(kTrayWindowClass, nullptr, 15000);
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = CountTurns;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "KobProbeTurns";
    RegisterClassA(&windowClass);
    const HWND window = CreateWindowExA(0, "KobProbeTurns", "turns", WS_POPUP | WS_VISIBLE, 400, 300, 300, 200, nullptr,
                                        nullptr, windowClass.hInstance, nullptr);
    SetForegroundWindow(window);
    for (const DWORD start = GetTickCount(); GetTickCount() - start < milliseconds;) {
        PostMessageA(tray, 0x201, 1, WM_MOUSEMOVE);
        for (MSG message; PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);) {
            DispatchMessageA(&message);
        }
        Sleep(20);
    }
    out << "turns=" << GetWindowLongPtrA(window, GWLP_USERDATA) << "\n";
    return tray ? 0 : 1;
}

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: kobprobe controller|volume|run <out> [exe args...]\n");
        return 2;
    }
    std::ofstream out(argv[2]);
    const std::string command = argv[1];
    if (command == "controller") {
        return Controller(out);
    }
    if (command == "volume") {
        return Volume(out);
    }
    if (command == "traywindow") {
        return ReportTrayWindow(out);
    }
    if (command == "close") {
        return Close(out);
    }
    if (command == "postdestroy") {
        return PostDestruction(out);
    }
    if (command == "install" && argc >= 4) {
        return Install(out, static_cast<DWORD>(std::strtoul(argv[3], nullptr, 10)));
    }
    if (command == "uninstall") {
        DeleteSettings();
        return 0;
    }
    if (command == "settings") {
        return Settings(out);
    }
    if (command == "lock" && argc >= 4) {
        return Lock(out, argv[3]);
    }
    if (command == "window" && argc >= 4) {
        return Window(out, argv[3]);
    }
    if (command == "menu") {
        out << "open=" << (WaitForVisible("#32768", nullptr, 5000) ? 1 : 0) << "\n";
        return 0;
    }
    if (command == "box") {
        // Another program's box has its own title.
        return Box(out, argc >= 4 ? argv[3] : kTitle);
    }
    if (command == "dpi" && argc >= 4) {
        return SetDpi(out, static_cast<DWORD>(std::strtoul(argv[3], nullptr, 10)));
    }
    if (command == "knobpixels" && argc >= 4) {
        return KnobPixels(out, argv[3]);
    }
    if (command == "starttime" && argc >= 4) {
        std::string commandLine;
        for (int i = 3; i < argc; ++i) {
            commandLine += std::string(i > 3 ? " " : "") + (i == 3 ? "\"" + std::string(argv[i]) + "\"" : argv[i]);
        }
        return StartTime(out, commandLine);
    }
    if (command == "startwatch" && argc >= 4) {
        return StartWatch(out, "\"" + std::string(argv[3]) + "\"");
    }
    if (command == "resources") {
        return Resources(out);
    }
    if (command == "forgedwheel" && argc >= 4) {
        return ForgedWheel(out, static_cast<DWORD>(std::strtoul(argv[3], nullptr, 10)));
    }
    if (command == "shellrestart") {
        return ShellRestart(out);
    }
    if (command == "runline" && argc >= 4) {
        return Run(out, argv[3]);
    }
    if (command == "runstandard" && argc >= 4) {
        HANDLE token = StandardUserToken();
        if (!token) {
            out << "started=0\n";
            return 1;
        }
        const int result = Run(out, argv[3], token);
        CloseHandle(token);
        return result;
    }
    if (command == "mutex" && argc >= 4) {
        return Mutex(out, argv[3], argc >= 5 ? std::strtoul(argv[4], nullptr, 10) : 0);
    }
    if (command == "run" && argc >= 4) {
        std::string commandLine;
        for (int i = 3; i < argc; ++i) {
            commandLine += std::string(i > 3 ? " " : "") + "\"" + argv[i] + "\"";
        }
        return Run(out, commandLine);
    }
    std::fprintf(stderr, "kobprobe: unknown command %s\n", argv[1]);
    return 2;
}
