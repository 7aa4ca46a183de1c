#pragma once

#include <cstdint>
#include <string>

#include "common/ProgramContext.h"
#include "controller/Form1View.h"
#include "platform/MixerService.h"
#include "platform/Services.h"

namespace kob {

// The skinned controller window: a vertical volume slider with a percent read-out, a mute box, a close button
// and two hot spots. It is loaded afresh each time it is shown.
class Form1 {
public:
    Form1(Form1View& view, Services& services, ProgramContext& context);

    void Form_Load();
    void Form_Unload();

    // Opens the mixer and makes CurrentControl the speakers line's control of the given type (decimal text).
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

    // Mixer records of this window, reused by every call.
    MixerLineInfo MasterLine;
    MixerControlInfo CurrentControl;
    std::int32_t DetailValue = 0;

    // Armed by a click on the track; the knob jumps at the next move over it.
    bool trackclick = false;
    // A knob drag is in progress; the pointer's Y inside the knob when it began.
    bool knobdrag = false;
    std::int32_t knobgrab = 0;
    // The pointer's last place over the background while no button was held.
    float grabposX = 0;
    float grabposY = 0;
    // "1" after the window has been moved with the mouse, so the click that ends the move does not close it.
    std::string txtdetect = "0";

private:
    // Runs one load step; an error it raises is shown and loading goes on with the next step.
    template <typename Step> void RunLoadStep(Step&& step);
    // Writes the level of the knob's current Top and shows the volume in effect.
    void ApplyKnobLevel();

    Form1View& view_;
    Services& services_;
    ProgramContext& context_;
    int widthPixels_ = 0;
    int heightPixels_ = 0;
};

} // namespace kob
