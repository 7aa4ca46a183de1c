#include "fakes/FakeControllerView.h"

#include "common/Rounding.h"

namespace kob::test {

void FakeControllerView::Enter(const std::string& operation) {
    operations.push_back(operation);
    if (tally) {
        ++*tally;
    }
}

bool FakeControllerView::Create() {
    Enter("Create");
    return true;
}

void FakeControllerView::ShapeWindow(int w, int h) {
    Enter("ShapeWindow");
    windowRegion = {w, h};
}

void FakeControllerView::ShapeKnob(int w, int h) {
    Enter("ShapeKnob");
    knobRegion = {w, h};
}

bool FakeControllerView::ShowSkin() {
    Enter("ShowSkin");
    skinShown = failingOperation != "ShowSkin";
    return skinShown;
}

bool FakeControllerView::ShowKnobPicture() {
    Enter("ShowKnobPicture");
    knobPictureShown = failingOperation != "ShowKnobPicture";
    return knobPictureShown;
}

void FakeControllerView::SetKnobTop(Twips top) {
    Enter("SetKnobTop");
    knobTop = top.Value();
}

void FakeControllerView::SetReadout(const std::string& caption) {
    Enter("SetReadout");
    readout = caption;
}

void FakeControllerView::SetMuteBoxBackColor(Rgb color) {
    Enter("SetMuteBoxBackColor");
    muteBoxBackColor = color;
}

void FakeControllerView::SetMuteBox(bool ticked) {
    Enter("SetMuteBox");
    muteBoxTicked = ticked;
}

void FakeControllerView::FadeTo(int opacity) {
    Enter("FadeTo");
    opacities.push_back(opacity);
}

void FakeControllerView::Unload() {
    Enter("Unload");
    if (!unloaded) {
        unloaded = true;
        visible = false;
        timers = {};
        if (onUnload) {
            onUnload();
        }
    }
}

void FakeControllerView::ShowAt(int x, int y) {
    Enter("ShowAt");
    shownAt = {x, y};
    windowLeft = static_cast<float>(x) * twipsPerPixel;
    windowTop = static_cast<float>(y) * twipsPerPixel;
    visible = true;
    topmost = false;
    if (onShow) {
        onShow();
    }
}

void FakeControllerView::SetTopmost(bool on) {
    Enter("SetTopmost");
    topmost = on;
}

void FakeControllerView::MoveWindowBy(float dxTwips, float dyTwips) {
    Enter("MoveWindowBy");
    windowLeft = static_cast<float>(RoundHalfEven((windowLeft + dxTwips) / twipsPerPixel) * twipsPerPixel);
    windowTop = static_cast<float>(RoundHalfEven((windowTop + dyTwips) / twipsPerPixel) * twipsPerPixel);
}

void FakeControllerView::EnableTimer(ControllerTimer timer, bool enabled) {
    Enter(std::string("EnableTimer ") + std::to_string(static_cast<int>(timer)) + (enabled ? " on" : " off"));
    timers[static_cast<int>(timer)] = enabled;
}

} // namespace kob::test
