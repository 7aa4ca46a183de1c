// The controller preview: shows the controller window alone under Wine or Windows.
// Usage: kobpreview.exe [--level N]   (N = slider level, 0 = full volume, 100 = silence)
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <optional>

#include "preview/ControllerPreview.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    std::optional<int> level;
    if (const char* option = std::strstr(commandLine, "--level ")) {
        level = std::atoi(option + std::strlen("--level "));
    }
    return kob::RunControllerPreview(instance, level);
}
