// The controller preview: shows the controller window alone under Wine or Windows, for the run command and the
// GUI tests, and answers test drivers' questions about the master volume it uses.
// Usage: kobpreview.exe [--level N]   (N = slider level, 0 = full volume, 100 = silence)
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>

#include "ControllerAlone.h"
#include "PreviewReporter.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    std::optional<int> level;
    if (const char* option = std::strstr(commandLine, "--level ")) {
        level = std::atoi(option + std::strlen("--level "));
    }
    std::unique_ptr<kob::PreviewReporter> reporter;
    return kob::RunControllerAlone(
        instance, [&](kob::Controller& controller, kob::VolumeDevice& device) -> std::optional<kob::VolumeFailure> {
            reporter = std::make_unique<kob::PreviewReporter>(instance, device);
            if (!level) {
                return std::nullopt;
            }
            if (const auto failure = controller.SetVolumeFromLevel(*level)) {
                return failure;
            }
            return controller.ShowVolume();
        });
}
