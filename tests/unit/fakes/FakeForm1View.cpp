#include "fakes/FakeForm1View.h"

#include "common/Rounding.h"

namespace kob::test {

void FakeForm1View::Enter(const std::string& operation) {
    log_.Add("view." + operation);
    if (operation == failingOperation) {
        throw std::runtime_error("Out of memory while running " + operation);
    }
}

void FakeForm1View::SetWindowRegion(int w, int h, int ew, int eh) {
    Enter("SetWindowRegion");
    windowRegion = {w, h, ew, eh};
}

void FakeForm1View::SetKnobRegion(int w, int h, int ew, int eh) {
    Enter("SetKnobRegion");
    knobRegion = {w, h, ew, eh};
}

void FakeForm1View::ShowSkin() {
    Enter("ShowSkin");
    skinShown = true;
}

void FakeForm1View::ShowKnobPicture() {
    Enter("ShowKnobPicture");
    knobPictureShown = true;
}

void FakeForm1View::SetKnobTop(float twips) {
    Enter("SetKnobTop");
    knobTop = twips;
}

void FakeForm1View::SetReadout(const std::string& caption) {
    Enter("SetReadout");
    readout = caption;
}

void FakeForm1View::SetMuteBoxBackColor(std::uint32_t colorref) {
    Enter("SetMuteBoxBackColor");
    muteBoxBackColor = colorref;
}

void FakeForm1View::SetMuteBox(bool ticked) {
    Enter("SetMuteBox");
    muteBoxTicked = ticked;
}

void FakeForm1View::SetOpacity(int alpha) {
    Enter("SetOpacity");
    opacities.push_back(alpha);
}

void FakeForm1View::Unload() {
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

void FakeForm1View::ShowAt(int x, int y) {
    Enter("ShowAt");
    shownAt = {x, y};
    windowLeft = static_cast<float>(x) * twipsPerPixel;
    windowTop = static_cast<float>(y) * twipsPerPixel;
    visible = true;
    topmost = false;
}

void FakeForm1View::SetTopmost(bool on) {
    Enter("SetTopmost");
    topmost = on;
}

void FakeForm1View::MoveWindowBy(float dxTwips, float dyTwips) {
    Enter("MoveWindowBy");
    windowLeft = static_cast<float>(RoundHalfEven((windowLeft + dxTwips) / twipsPerPixel) * twipsPerPixel);
    windowTop = static_cast<float>(RoundHalfEven((windowTop + dyTwips) / twipsPerPixel) * twipsPerPixel);
}

void FakeForm1View::EnableTimer(Form1Timer timer, bool enabled) {
    Enter(std::string("EnableTimer ") + std::to_string(static_cast<int>(timer)) + (enabled ? " on" : " off"));
    timers[static_cast<int>(timer)] = enabled;
}

} // namespace kob::test
