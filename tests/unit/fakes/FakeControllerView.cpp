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

void FakeControllerView::SetWindowRegion(int w, int h, int ew, int eh) {
    Enter("SetWindowRegion");
    windowRegion = {w, h, ew, eh};
}

void FakeControllerView::SetKnobRegion(int w, int h, int ew, int eh) {
    Enter("SetKnobRegion");
    knobRegion = {w, h, ew, eh};
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

void FakeControllerView::SetMuteBoxBackColor(std::uint32_t colorref) {
    Enter("SetMuteBoxBackColor");
    muteBoxBackColor = colorref;
}

void FakeControllerView::SetMuteBox(bool ticked) {
    Enter("SetMuteBox");
    muteBoxTicked = ticked;
}

void FakeControllerView::SetOpacity(int alpha) {
    Enter("SetOpacity");
    opacities.push_back(alpha);
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
