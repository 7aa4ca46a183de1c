// The least any program doing this program's unavoidable work could cost, for the benchmarks to compare with: one
// tray icon, the master mute read through winmm and the icon re-sent every 100 ms, and with --shown also the
// master volume read every millisecond, as the shown controller does. Not shipped.
#include <windows.h>

#include <mmsystem.h>
#include <shellapi.h>

#include <cstring>

namespace {

constexpr UINT_PTR kMuteTimer = 1;
constexpr UINT_PTR kVolumeTimer = 2;

HMIXER g_mixer = nullptr;
DWORD g_muteId = 0;
DWORD g_volumeId = 0;
NOTIFYICONDATAA g_icon{};

DWORD ControlOfType(DWORD lineId, DWORD type) {
    MIXERCONTROLA control{};
    MIXERLINECONTROLSA request{};
    request.cbStruct = sizeof(request);
    request.dwLineID = lineId;
    request.dwControlType = type;
    request.cControls = 1;
    request.cbmxctrl = sizeof(control);
    request.pamxctrl = &control;
    mixerGetLineControlsA(reinterpret_cast<HMIXEROBJ>(g_mixer), &request, MIXER_GETLINECONTROLSF_ONEBYTYPE);
    return control.dwControlID;
}

DWORD Read(DWORD controlId) {
    DWORD value = 0;
    MIXERCONTROLDETAILS details{};
    details.cbStruct = sizeof(details);
    details.dwControlID = controlId;
    details.cChannels = 1;
    details.cbDetails = sizeof(value);
    details.paDetails = &value;
    mixerGetControlDetailsA(reinterpret_cast<HMIXEROBJ>(g_mixer), &details, MIXER_GETCONTROLDETAILSF_VALUE);
    return value;
}

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER && wParam == kMuteTimer) {
        g_icon.hIcon = LoadIcon(nullptr, Read(g_muteId) ? IDI_WARNING : IDI_APPLICATION);
        Shell_NotifyIconA(NIM_MODIFY, &g_icon);
        return 0;
    }
    if (message == WM_TIMER && wParam == kVolumeTimer) {
        Read(g_volumeId);
        return 0;
    }
    if (message == WM_CLOSE) {
        Shell_NotifyIconA(NIM_DELETE, &g_icon);
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "KobBaseline";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowA("KobBaseline", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);

    mixerOpen(&g_mixer, 0, 0, 0, 0);
    MIXERLINEA line{};
    line.cbStruct = sizeof(line);
    line.dwComponentType = MIXERLINE_COMPONENTTYPE_DST_SPEAKERS;
    mixerGetLineInfoA(reinterpret_cast<HMIXEROBJ>(g_mixer), &line, MIXER_GETLINEINFOF_COMPONENTTYPE);
    g_muteId = ControlOfType(line.dwLineID, MIXERCONTROL_CONTROLTYPE_MUTE);
    g_volumeId = ControlOfType(line.dwLineID, MIXERCONTROL_CONTROLTYPE_VOLUME);

    g_icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
    g_icon.hWnd = window;
    g_icon.uID = 1;
    g_icon.uFlags = NIF_ICON | NIF_TIP;
    g_icon.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    lstrcpynA(g_icon.szTip, "Baseline", sizeof(g_icon.szTip));
    Shell_NotifyIconA(NIM_ADD, &g_icon);
    SetTimer(window, kMuteTimer, 100, nullptr);
    if (std::strstr(commandLine, "--shown")) {
        SetTimer(window, kVolumeTimer, 1, nullptr);
    }

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        DispatchMessageA(&message);
    }
    mixerClose(g_mixer);
    return 0;
}
