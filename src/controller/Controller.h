#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "controller/ControllerAccessibility.h"
#include "controller/ControllerView.h"
#include "controller/SliderGeometry.h"
#include "controller/WheelNotches.h"
#include "platform/Notice.h"
#include "platform/ProgramLauncher.h"
#include "platform/ScreenService.h"
#include "platform/StartupFacts.h"
#include "settings/Settings.h"
#include "volume/MasterVolume.h"

namespace kob {

// The controller's own state. A showing starts with all of it at these values.
struct ShowingState {
    // The knob's Top, as the logic last placed it.
    Twips knobTop = SliderGeometry::kTopOfTravel;
    // A knob drag is in progress; the pointer's Y inside the knob when it began, in whole twips.
    bool knobDragging = false;
    Twips knobGrabY;
    // Armed by a click on the track; the knob jumps at the next move over it.
    bool trackArmed = false;
    // The pointer's last place over the background while no button was held.
    float grabOffsetX = 0;
    float grabOffsetY = 0;
    // The window has just been moved with the mouse: the click that ends the move does not close it.
    bool windowJustDragged = false;
    // Opacity of the window during its fade-out (255 opaque).
    int opacity = 0;
    bool muteBoxTicked = false;
    // The percent the read-out shows.
    int percent = 0;
    // The fade-out has begun: keys and the wheel no longer act.
    bool fading = false;
    // The wheel's travel short of a whole notch, kept for the next turn.
    WheelNotches wheel;
};

// The mouse buttons held during a move over the background: only the left one alone drags the window.
enum class HeldButtons { None, LeftAlone, Others };

// The keys the controller answers while it has the focus.
enum class ControllerKey { Up, Down, Left, Right, PageUp, PageDown, Home, End, Space, M, Escape };

// The platform services the controller uses.
struct ControllerServices {
    ScreenService& screen;
    Settings& settings;
    ProgramLauncher& launcher;
};

// The skinned controller window: a vertical volume slider with a percent read-out, a mute box, a close button
// and two hot spots. One Controller serves one showing: it is created, loaded, unloaded and then discarded.
class Controller {
public:
    // `report` is the host's: it shows what went wrong inside one of the window's handlers, and ends the program
    // when the master volume failed.
    Controller(ControllerView& view, MasterVolume& volume, const ControllerServices& services,
               const StartupFacts& facts, Reporter report);

    // Shapes, places and shows the window with the volume. A volume failure stops it and is returned.
    [[nodiscard]] std::optional<VolumeFailure> Load();
    // The window has gone.
    void OnUnloaded() { unloaded_ = true; }

    // The start-up's load and unload, without a window: the device is looked at for the volume (which names it for
    // the About window) and the master volume is read. Nothing is created or shown. A volume failure is returned
    // as in a showing's load.
    [[nodiscard]] static std::optional<VolumeFailure> LearnDeviceName(MasterVolume& volume);

    // Reads the master volume and shows it with the knob and the read-out.
    [[nodiscard]] std::optional<VolumeFailure> ShowVolume();
    // Writes the master volume for a slider level (0 = full volume, 100 = silence).
    [[nodiscard]] std::optional<VolumeFailure> SetVolumeFromLevel(std::int32_t level);

    // The handlers below are the window's: a volume failure inside one goes to `report` as the program's ending,
    // and the handler does nothing after it.

    // The pointer's place comes relative to the element. Any button drags the knob.
    void OnKnobPressed(Twips y);
    void OnKnobDragged(Twips y);
    void OnKnobReleased();
    void OnKnobClicked();
    void OnTrackClicked();
    void OnTrackPointerMoved(Twips y);
    void OnTrackReleased();
    void OnBackgroundPointerMoved(HeldButtons held, float xTwips, float yTwips);
    void OnBackgroundReleased();
    void OnDragSettleTick();

    // The mute box and the buttons.
    // Shows the mute box ticked or clear and tells screen readers of a change; writes nothing. True when it changed.
    bool SetMuteBox(bool ticked);
    // A click on the mute box, Space or M: the box takes the other state and the master mute follows it.
    void OnMuteBoxToggled();
    void OnCloseClicked();
    void OnBackgroundClicked();
    void OnBackgroundDoubleClicked();
    void OnVolumeControlSpotClicked();
    void OnAudioPropertiesSpotClicked();
    void OnAudioPropertiesSpotDoubleClicked();

    // The keyboard and the wheel: steps of 2 percent (10 for the page keys), Home and End to the ends, Space or M
    // toggle the mute box, Escape closes like the close button. Nothing acts once the fade has begun.
    void OnKey(ControllerKey key);
    // Wheel travel in 1/120 of a notch, positive away from the user (louder).
    void OnWheel(int delta);

    // What screen readers are told of the parts, and what they may do: a part's default action is its click (the
    // slider has none); the slider takes a percent as text. Neither acts once the fade has begun.
    AccessibleParts DescribeParts() const { return DescribeControllerParts(state_.percent, state_.muteBoxTicked); }
    bool DoDefaultAction(ControllerPart part);
    bool SetVolumeFromText(const std::string& text);

    // Keeps the window above all others, or lets it go back among them.
    void SetTopmost(bool topmost) { view_.SetTopmost(topmost); }

    // The fade-out and the volume synchronisation.
    void StartVolumeSync();
    void OnFadeTick();
    void OnVolumeSyncTick();

private:
    // Hands a handler's volume failure on as the program's ending: the handler's last act.
    void Report(std::optional<VolumeFailure> failure);
    // Hands a notice on; the handler goes on after it.
    void Report(const std::optional<Notice>& notice);
    // Shows the window at this opacity (0 to 255).
    void ApplyOpacity(int level);
    // Places the knob and tells the window.
    void PlaceKnob(Twips top);
    // Writes the level of the knob's current Top and shows the volume in effect.
    [[nodiscard]] std::optional<VolumeFailure> ApplyKnobLevel();
    // Records the controller as closed, then fades it out; the knob stops following the volume.
    void CloseWithFade();
    // Starts the fade-out; the window unloads at its end.
    void StartFade();
    // Sets the master volume to this percent, clamped to 0..100, and shows the volume in effect.
    [[nodiscard]] std::optional<VolumeFailure> SetPercent(int percent);

    ControllerView& view_;
    MasterVolume& volume_;
    ControllerServices services_;
    const StartupFacts& facts_;
    Reporter report_;
    ShowingState state_;
    int widthPixels_ = 0;
    int heightPixels_ = 0;
    // The window has gone (its unload ran), perhaps while a picture's failure waited in a message box: the rest of
    // the load has no window to act on.
    bool unloaded_ = false;
};

} // namespace kob
