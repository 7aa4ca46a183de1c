// The volume slider and the window drag of the controller.
#include <string>

#include "common/Rounding.h"
#include "common/TextNumber.h"
#include "controller/Form1.h"
#include "mixer/VolumeScale.h"

namespace kob {

namespace {

constexpr float kBottomDragLimit = 1845;
// A track click puts the knob's Top this far below the pointer's Y within the track.
constexpr double kTrackClickOffset = 150;

} // namespace

void Form1::ApplyKnobLevel() {
    const std::int32_t level = LevelFromKnobTop(state_.knobTop);
    setVolume(level);
    GetVolume();
}

void Form1::image2_MouseDown(int, int, float, float Y) {
    state_.knobgrab = RoundToInt32(Y);
    state_.knobdrag = true;
}

void Form1::image2_MouseMove(int, int, float, float Y) {
    if (!state_.knobdrag) {
        return;
    }
    PlaceKnob(static_cast<float>(state_.knobTop - (state_.knobgrab - static_cast<double>(Y))));
    if (state_.knobTop <= static_cast<float>(kKnobTopOfTravel)) {
        PlaceKnob(static_cast<float>(kKnobTopOfTravel));
        state_.knobdrag = false;
    }
    if (state_.knobTop > kBottomDragLimit) {
        PlaceKnob(kBottomDragLimit);
        state_.knobdrag = false;
    }
    ApplyKnobLevel();
}

void Form1::image2_MouseUp(int, int, float, float) {
    state_.knobdrag = false;
}

void Form1::image2_Click() {
    state_.txtdetect = "0";
}

void Form1::Image1_Click() {
    state_.trackclick = true;
}

void Form1::Image1_MouseMove(int, int, float, float Y) {
    if (state_.trackclick) {
        PlaceKnob(static_cast<float>(static_cast<double>(Y) + kTrackClickOffset));
        ApplyKnobLevel();
    }
    state_.trackclick = false;
}

void Form1::Image1_MouseUp(int, int, float, float) {
    state_.trackclick = false;
}

void Form1::Form_MouseMove(int Button, int, float X, float Y) {
    if (Button == 0) {
        state_.grabposX = X;
        state_.grabposY = Y;
    } else if (Button == 1) {
        // The grab point is kept during the drag, so the window keeps the point grabbed under the pointer.
        view_.MoveWindowBy(X - state_.grabposX, Y - state_.grabposY);
        state_.txtdetect = "1";
    }
}

void Form1::Form_MouseUp(int, int, float, float) {
    view_.EnableTimer(Form1Timer::DragHandler, true);
}

void Form1::tmr_drag_handler_Timer() {
    if (TextAsNumber(state_.txtdetect) == 1) {
        state_.txtdetect = "0";
        view_.EnableTimer(Form1Timer::DragHandler, false);
    }
}

} // namespace kob
