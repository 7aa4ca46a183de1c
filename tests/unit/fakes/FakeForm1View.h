#pragma once

#include <array>
#include <stdexcept>
#include <string>

#include "controller/Form1View.h"
#include "fakes/FakeServices.h"

namespace kob::test {

struct RegionArgs {
    int width = -1;
    int height = -1;
    int ellipseWidth = -1;
    int ellipseHeight = -1;
};

struct WindowPosArgs {
    std::intptr_t insertAfter = 0;
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    unsigned flags = 0;
};

// Records what the controller's logic does to its window. Any operation can be made to raise an error.
class FakeForm1View : public Form1View {
public:
    explicit FakeForm1View(CallLog& log) : log_(log) {}

    void SetWindowRegion(int w, int h, int ew, int eh) override;
    void SetKnobRegion(int w, int h, int ew, int eh) override;
    void ShowSkin() override;
    void ShowKnobPicture() override;
    float KnobTop() const override { return knobTop; }
    void SetKnobTop(float twips) override;
    void SetReadout(const std::string& caption) override;
    void SetMuteBoxBackColor(std::uint32_t colorref) override;
    float WindowLeft() const override { return windowLeft; }
    float WindowTop() const override { return windowTop; }
    void SetWindowLeft(float twips) override;
    void SetWindowTop(float twips) override;
    void SetWindowPos(std::intptr_t insertAfter, int x, int y, int cx, int cy, unsigned flags) override;
    void EnableTimer(Form1Timer timer, bool enabled) override;

    bool TimerEnabled(Form1Timer timer) const { return timers[static_cast<int>(timer)]; }

    RegionArgs windowRegion;
    RegionArgs knobRegion;
    bool skinShown = false;
    bool knobPictureShown = false;
    float knobTop = 470;
    std::string readout = "00";
    std::uint32_t muteBoxBackColor = 0;
    WindowPosArgs windowPos;
    // The window's place in screen twips, snapped to whole pixels as a real window is.
    float windowLeft = 13110;
    float windowTop = 8670;
    float twipsPerPixel = 15;
    bool visible = false;
    std::array<bool, 3> timers{};
    // Name of the operation (as logged) that raises an error instead of acting.
    std::string failingOperation;

private:
    void Enter(const std::string& operation);
    CallLog& log_;
};

} // namespace kob::test
