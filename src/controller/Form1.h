#pragma once

#include <cstdint>
#include <string>

#include "controller/Form1Host.h"
#include "controller/Form1View.h"
#include "mixer/Mixer.h"
#include "platform/MessageBoxService.h"
#include "platform/ProgramLauncher.h"
#include "platform/ScreenService.h"
#include "platform/StartupFacts.h"
#include "settings/RegistryService.h"

namespace kob {

// The controller's own state. A showing starts with all of it at these values.
struct Form1State {
    // The knob's Top in twips, as the logic last placed it.
    float knobTop = 470;
    // A knob drag is in progress; the pointer's Y inside the knob when it began.
    bool knobdrag = false;
    std::int32_t knobgrab = 0;
    // Armed by a click on the track; the knob jumps at the next move over it.
    bool trackclick = false;
    // The pointer's last place over the background while no button was held.
    float grabposX = 0;
    float grabposY = 0;
    // "1" after the window has been moved with the mouse, so the click that ends the move does not close it.
    std::string txtdetect = "0";
    // Opacity of the window during its fade-out.
    std::int16_t FadeLevel = 0;
    // The mute box: 1 ticked, 0 clear.
    int chkmute = 0;
    // The percent the read-out shows.
    std::int32_t percent = 0;
    // The fade-out has begun: keys and the wheel no longer act.
    bool fading = false;
    // Wheel travel short of a whole notch, kept for the next turn.
    int wheelRemainder = 0;
    // Work-area edges in pixels, read when the window is placed.
    std::int32_t WorkAreaRight = 0;
    std::int32_t WorkAreaBottom = 0;
};

// The keys the controller answers while it has the focus.
enum class Form1Key { Up, Down, Left, Right, PageUp, PageDown, Home, End, Space, M, Escape };

// The platform services the controller uses.
struct Form1Services {
    ScreenService& screen;
    MessageBoxService& messages;
    RegistryService& registry;
    ProgramLauncher& launcher;
};

// The skinned controller window: a vertical volume slider with a percent read-out, a mute box, a close button
// and two hot spots. One Form1 serves one showing: it is created, loaded, unloaded and then discarded.
class Form1 {
public:
    Form1(Form1View& view, Mixer& mixer, const Form1Services& services, const StartupFacts& facts, Form1Host& host);

    void Form_Load();
    void Form_Unload();

    // The start-up's load and unload, without a window: the host hears the controller loaded, the speakers line's
    // volume control is found (which names the device for the About window and leaves the mixer open) and the
    // master volume is read, then the host hears it unloaded. Nothing is created or shown. A mixer failure ends
    // the program as in a showing's load.
    static void LoadAndUnloadUnseen(Mixer& mixer, Form1Host& host);

    // Makes the mixer's current control the speakers line's control of the given type (decimal text).
    void GetCoreComponents(const std::string& mixcontroltype);
    // Reads the master volume and shows it with the knob and the read-out.
    void GetVolume();
    // Writes the master volume for a slider level (0 = full volume, 100 = silence).
    void setVolume(const std::int32_t& setvollevel);

    // Mouse events carry the buttons (1 left, 2 right, 4 middle: held ones for a move, the one concerned for a
    // press or release), the shift state, and the pointer in twips relative to the element.
    void image2_MouseDown(int Button, int Shift, float X, float Y);
    void image2_MouseMove(int Button, int Shift, float X, float Y);
    void image2_MouseUp(int Button, int Shift, float X, float Y);
    void image2_Click();
    void Image1_Click();
    void Image1_MouseMove(int Button, int Shift, float X, float Y);
    void Image1_MouseUp(int Button, int Shift, float X, float Y);
    void Form_MouseMove(int Button, int Shift, float X, float Y);
    void Form_MouseUp(int Button, int Shift, float X, float Y);
    void tmr_drag_handler_Timer();

    // The mute box and the buttons.
    // Sets the mute box; a change runs chkmute_Click, as a click on the box does.
    void SetMuteBox(int value);
    void chkmute_Click();
    // Writes the mute box's state to the master mute; the mixer's current control is the mute control afterwards.
    void setMute();
    void Image5_Click();
    void Form_Click();
    void Form_DblClick();
    void Image4_Click();
    void Image3_Click();
    void Image3_DblClick();

    // The keyboard and the wheel: steps of 2 percent (10 for the page keys), Home and End to the ends, Space or M
    // toggle the mute box, Escape closes like the close button. Nothing acts once the fade has begun.
    void KeyDown(Form1Key key);
    // Wheel travel in 1/120 of a notch, positive away from the user (louder).
    void MouseWheel(int delta);

    // Keeps the window above all others, or lets it go back among them.
    void SetTopmost(bool topmost) { view_.SetTopmost(topmost); }

    // The fade-out and the volume synchronisation.
    void StartVolumeSync();
    void Timer1_Timer();
    void tmrsyncvol_Timer();
    void SetWindowAlpha(const std::int16_t& level);

    const Form1State& State() const { return state_; }

private:
    // Places the knob and tells the window.
    void PlaceKnob(float top);
    // Writes the level of the knob's current Top and shows the volume in effect.
    void ApplyKnobLevel();
    // Records the controller as closed, then fades it out; the knob stops following the volume.
    void CloseWithFade();
    // Starts the fade-out; the window unloads at its end.
    void StartFade();
    // Sets the master volume to this percent, clamped to 0..100, and shows the volume in effect.
    void SetPercent(std::int32_t percent);

    Form1View& view_;
    Mixer& mixer_;
    Form1Services services_;
    const StartupFacts& facts_;
    Form1Host& host_;
    Form1State state_;
    int widthPixels_ = 0;
    int heightPixels_ = 0;
    // The window has gone (its unload ran), perhaps while a step of the load waited in a message box: the rest of
    // the load has no window to act on.
    bool unloaded_ = false;
};

} // namespace kob
