// Entry point of kob3.0.exe. Until the tray companion takes over start-up, the program shows its controller
// window directly.
#include <windows.h>

#include "preview/ControllerPreview.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return kob::RunControllerPreview(instance, {});
}
