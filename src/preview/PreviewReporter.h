#pragma once

#include <windows.h>

#include "platform/win32/WindowBase.h"
#include "volume/VolumeDevice.h"

namespace kob {

// A hidden window through which test drivers in other processes ask the preview for the master volume it is
// using. Wine keeps one master volume per process, so only the preview itself can read it.
class PreviewReporter : public WindowBase {
public:
    static constexpr const char* kClassName = "DrovoVC3PreviewReporter";
    // Registered message; the answer is the master volume in percent as the device reads it, -1 if it cannot be read.
    static constexpr const char* kVolumeQuery = "DrovoVC3PreviewVolumeQuery";

    PreviewReporter(HINSTANCE instance, VolumeDevice& device);
    ~PreviewReporter() override { Destroy(); }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    VolumeDevice& device_;
    UINT volumeQuery_;
};

} // namespace kob
