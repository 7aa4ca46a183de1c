// Entry point of kob3.0.exe: the hidden tray window runs the start-up sequence and then the program lives in
// the notification area until it is ended.
#include <windows.h>

#include <objbase.h>

#include "controller/win32/ControllerWindow.h"
#include "platform/win32/SystemLibrary.h"
#include "platform/win32/Win32MessageBox.h"
#include "platform/win32/Win32ModulePath.h"
#include "platform/win32/Win32Process.h"
#include "platform/win32/Win32ProcessList.h"
#include "platform/win32/Win32ProgramLauncher.h"
#include "platform/win32/Win32Screen.h"
#include "platform/win32/Win32SystemInfo.h"
#include "settings/win32/Win32Registry.h"
#include "tray/win32/TrayWindow.h"
#include "volume/win32/ChosenBackend.h"
#include "volume/win32/CoreAudioEndpoint.h"
#include "volume/win32/EndpointVolume.h"
#include "volume/win32/WinmmVolume.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    kob::NarrowLibrarySearch();
    kob::WinmmVolume winmm;
    kob::Win32MessageBox messages;
    kob::Win32Process process;
    kob::Win32Screen screen;
    kob::Win32Registry registry;
    kob::Win32ProcessList processList;
    kob::Win32SystemInfo systemInfo;
    kob::Win32ModulePath modulePath;
    kob::Win32ProgramLauncher launcher;
    kob::Settings settings(registry, modulePath);

    // The master-volume endpoint, the About window's browser object and the shell's handlers want COM here.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    MSG message{};
    {
        kob::CoreAudioEndpoint endpoint;
        kob::EndpointVolume endpointVolume(endpoint);
        const auto chooseBackend = [&]() -> kob::VolumeDevice& {
            return kob::ChooseBackend(endpoint, endpointVolume, winmm);
        };
        kob::TrayWindow trayWindow(
            instance, {messages, process, settings, processList, systemInfo, modulePath, launcher}, chooseBackend,
            {screen, settings, launcher}, kob::NewControllerWindows(instance, screen));
        trayWindow.Start();
        while (GetMessageA(&message, nullptr, 0, 0) > 0) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
            // Here, between two messages, no handler runs: a box's modal loop never comes back through here.
            trayWindow.FreeHiddenControllers();
        }
    }
    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
    return static_cast<int>(message.wParam);
}
