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

void FakeForm1View::SetWindowLeft(float twips) {
    Enter("SetWindowLeft");
    windowLeft = static_cast<float>(RoundHalfEven(twips / twipsPerPixel) * twipsPerPixel);
}

void FakeForm1View::SetWindowTop(float twips) {
    Enter("SetWindowTop");
    windowTop = static_cast<float>(RoundHalfEven(twips / twipsPerPixel) * twipsPerPixel);
}

void FakeForm1View::SetWindowPos(std::intptr_t insertAfter, int x, int y, int cx, int cy, unsigned flags) {
    Enter("SetWindowPos");
    windowPos = {insertAfter, x, y, cx, cy, flags};
    if (flags & 0x40) {
        visible = true;
    }
}

void FakeForm1View::EnableTimer(Form1Timer timer, bool enabled) {
    Enter(std::string("EnableTimer ") + std::to_string(static_cast<int>(timer)) + (enabled ? " on" : " off"));
    timers[static_cast<int>(timer)] = enabled;
}

} // namespace kob::test
