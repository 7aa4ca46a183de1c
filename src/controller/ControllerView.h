#pragma once

#include <string>

#include "common/Rgb.h"
#include "common/Twips.h"

namespace kob {

enum class ControllerTimer { DragSettle, Fade, VolumeSync };

// How often each of the controller's timers ticks, in milliseconds; 1 means as often as the system's timer allows.
constexpr unsigned IntervalOf(ControllerTimer timer) {
    switch (timer) {
    case ControllerTimer::DragSettle:
        return 500;
    case ControllerTimer::Fade:
    case ControllerTimer::VolumeSync:
        return 1;
    }
    return 1; // every timer has its case above
}

// What the controller's showing and logic ask of its window, in intentions; how the window system does it is the
// window's business. The Win32 window implements it; unit tests record it.
class ControllerView {
public:
    virtual ~ControllerView() = default;

    // Makes the window with its parts, not shown yet; false when it cannot, and then nothing of it is left.
    [[nodiscard]] virtual bool Create() = 0;
    // Makes the window the one the user works with, as after a click on it.
    virtual void BringToForeground() = 0;

    // Shapes the window, and the knob, as a rectangle of this many pixels with rounded corners.
    virtual void ShapeWindow(int width, int height) = 0;
    virtual void ShapeKnob(int width, int height) = 0;

    [[nodiscard]] virtual bool ShowSkin() = 0;
    [[nodiscard]] virtual bool ShowKnobPicture() = 0;

    // Places the knob at this Top; the window rounds it to pixels.
    virtual void SetKnobTop(Twips top) = 0;
    virtual void SetReadout(const std::string& caption) = 0;
    virtual void SetMuteBoxBackColor(Rgb color) = 0;
    // Shows the mute box ticked or clear.
    virtual void SetMuteBox(bool ticked) = 0;

    // Shows the window, not topmost, with its top-left corner at these screen pixels.
    virtual void ShowAt(int x, int y) = 0;
    // Keeps the window above all others that are not, or lets it go back among them.
    virtual void SetTopmost(bool topmost) = 0;
    // Moves the window by the pointer's travel in twips: first across, then down.
    virtual void MoveWindowBy(float dxTwips, float dyTwips) = 0;

    // Shows the window at this opacity, from 0 (unseen) to 255 (opaque); the fade-out goes down in steps.
    virtual void FadeTo(int opacity) = 0;
    // Takes the window down now; the showing hears of it. It may be asked from inside one of the window's own
    // handlers.
    virtual void Unload() = 0;

    virtual void EnableTimer(ControllerTimer timer, bool enabled) = 0;

    // Tells screen readers that the slider's value or the mute box's tick has changed, whoever changed it.
    virtual void AnnounceVolumeChanged() = 0;
    virtual void AnnounceMuteChanged() = 0;
};

} // namespace kob
