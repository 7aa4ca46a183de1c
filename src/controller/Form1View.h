#pragma once

#include <cstdint>
#include <string>

namespace kob {

enum class Form1Timer { DragHandler, Fade, SyncVolume };

// What the controller's logic asks of its window. The Win32 window implements it; unit tests record it.
class Form1View {
public:
    virtual ~Form1View() = default;

    // CreateRoundRectRgn(0, 0, width, height, ellipse, ellipse) handed to SetWindowRgn with redraw, for the
    // window itself and for the knob's own child window.
    virtual void SetWindowRegion(int width, int height, int ellipseWidth, int ellipseHeight) = 0;
    virtual void SetKnobRegion(int width, int height, int ellipseWidth, int ellipseHeight) = 0;

    virtual void ShowSkin() = 0;
    virtual void ShowKnobPicture() = 0;

    // The knob's Top in twips, kept exactly as stored; the window rounds it to pixels.
    virtual float KnobTop() const = 0;
    virtual void SetKnobTop(float twips) = 0;

    virtual void SetReadout(const std::string& caption) = 0;
    virtual void SetMuteBoxBackColor(std::uint32_t colorref) = 0;

    // The window's Left and Top in screen twips. Setting one moves the window at once.
    virtual float WindowLeft() const = 0;
    virtual float WindowTop() const = 0;
    virtual void SetWindowLeft(float twips) = 0;
    virtual void SetWindowTop(float twips) = 0;

    // SetWindowPos on the controller window, pixels.
    virtual void SetWindowPos(std::intptr_t insertAfter, int x, int y, int cx, int cy, unsigned flags) = 0;

    virtual void EnableTimer(Form1Timer timer, bool enabled) = 0;
};

} // namespace kob
