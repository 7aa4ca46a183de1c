#pragma once

#include <windows.h>

#include "mixer/Mixer.h"
#include "platform/win32/WindowBase.h"

namespace kob {

// A hidden window through which test drivers in other processes ask the preview for the master volume it is
// using. Wine keeps one master volume per process, so only the preview itself can read it.
class PreviewReporter : public WindowBase {
public:
    static constexpr const char* kClassName = "DrovoVC3PreviewReporter";
    // Registered message; the answer is the mixer value (0..65535).
    static constexpr const char* kVolumeQuery = "DrovoVC3PreviewVolumeQuery";

    PreviewReporter(HINSTANCE instance, Mixer& mixer);
    ~PreviewReporter() override { Destroy(); }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    Mixer& mixer_;
    UINT volumeQuery_;
};

} // namespace kob
