// Entry point of kob3.0.exe. Until the tray companion takes over start-up, the program shows its controller
// window directly and ends when it is closed.
#include <windows.h>

#include "controller/win32/ControllerAlone.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return kob::RunControllerAlone(instance, {});
}
