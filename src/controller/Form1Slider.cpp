// The volume slider and the window drag of the controller.
#include <string>

#include "common/Rounding.h"
#include "controller/Form1.h"
#include "mixer/VolumeScale.h"

namespace kob {

namespace {

constexpr float kBottomDragLimit = 1845;
// A track click puts the knob's Top this far below the pointer's Y within the track.
constexpr double kTrackClickOffset = 150;

// The drag marker's text read as a number, like the hidden text box it stands for.
double MarkerValue(const std::string& text) {
    try {
        return std::stod(text);
    } catch (const std::exception&) {
        return 0;
    }
}

} // namespace

void Form1::ApplyKnobLevel() {
    const std::int32_t level = LevelFromKnobTop(view_.KnobTop());
    setVolume(level);
    GetVolume();
}

void Form1::image2_MouseDown(int, int, float, float Y) {
    knobgrab = RoundToInt32(Y);
    knobdrag = true;
}

void Form1::image2_MouseMove(int, int, float, float Y) {
    if (!knobdrag) {
        return;
    }
    view_.SetKnobTop(static_cast<float>(view_.KnobTop() - (knobgrab - static_cast<double>(Y))));
    if (view_.KnobTop() <= static_cast<float>(kKnobTopOfTravel)) {
        view_.SetKnobTop(static_cast<float>(kKnobTopOfTravel));
        knobdrag = false;
    }
    if (view_.KnobTop() > kBottomDragLimit) {
        view_.SetKnobTop(kBottomDragLimit);
        knobdrag = false;
    }
    ApplyKnobLevel();
}

void Form1::image2_MouseUp(int, int, float, float) {
    knobdrag = false;
}

void Form1::image2_Click() {
    txtdetect = "0";
}

void Form1::Image1_Click() {
    trackclick = true;
}

void Form1::Image1_MouseMove(int, int, float, float Y) {
    if (trackclick) {
        view_.SetKnobTop(static_cast<float>(static_cast<double>(Y) + kTrackClickOffset));
        ApplyKnobLevel();
    }
    trackclick = false;
}

void Form1::Image1_MouseUp(int, int, float, float) {
    trackclick = false;
}

void Form1::Form_MouseMove(int Button, int, float X, float Y) {
    if (Button == 0) {
        grabposX = X;
        grabposY = Y;
    } else if (Button == 1) {
        view_.SetWindowLeft(view_.WindowLeft() + X - grabposX);
        view_.SetWindowTop(view_.WindowTop() + Y - grabposY);
        txtdetect = "1";
    }
}

void Form1::Form_MouseUp(int, int, float, float) {
    view_.EnableTimer(Form1Timer::DragHandler, true);
}

void Form1::tmr_drag_handler_Timer() {
    if (MarkerValue(txtdetect) == 1) {
        txtdetect = "0";
        view_.EnableTimer(Form1Timer::DragHandler, false);
    }
}

} // namespace kob
