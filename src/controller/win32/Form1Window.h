#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "common/ProgramContext.h"
#include "common/Twips.h"
#include "controller/Form1.h"
#include "controller/Form1View.h"
#include "controller/win32/KnobControl.h"
#include "platform/Services.h"
#include "platform/win32/UniqueHandle.h"
#include "platform/win32/WindowBase.h"

namespace kob {

// The controller's real window: a borderless skinned pop-up with the knob, the read-out and the mute box as
// child windows, and the track, the close button and the hot spots as areas of its own. It turns messages into
// the logic's event handlers (pixels to twips) and carries out what the logic asks of it.
class Form1Window : public WindowBase, public Form1View, private KnobEvents {
public:
    Form1Window(HINSTANCE instance, Services& services, ProgramContext& context);
    ~Form1Window() override;

    // Creates the window hidden and runs its load; the load shows it.
    void Load();
    // Runs the unload and destroys the window.
    void Unload();
    Form1& Logic() { return form_; }
    // Called after the window has been destroyed, however that happened.
    void OnDestroyed(std::function<void()> callback) { onDestroyed_ = std::move(callback); }

    // Form1View
    void SetWindowRegion(int width, int height, int ellipseWidth, int ellipseHeight) override;
    void SetKnobRegion(int width, int height, int ellipseWidth, int ellipseHeight) override;
    void ShowSkin() override;
    void ShowKnobPicture() override;
    float KnobTop() const override { return knobTop_; }
    void SetKnobTop(float twips) override;
    void SetReadout(const std::string& caption) override;
    void SetMuteBoxBackColor(std::uint32_t colorref) override;
    float WindowLeft() const override;
    float WindowTop() const override;
    void SetWindowLeft(float twips) override;
    void SetWindowTop(float twips) override;
    void SetWindowPos(std::intptr_t insertAfter, int x, int y, int cx, int cy, unsigned flags) override;
    void EnableTimer(Form1Timer timer, bool enabled) override;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // The areas of the window that are not windows of their own.
    enum class Element { Background, Track, Readout, Close, VolumeControlSpot, AudioPropertiesSpot };

    void CreateChildren();
    void AddToolTips();
    void Paint();
    Element HitTest(int x, int y) const;
    RECT PixelRectOf(const TwipsRect& twips) const;
    void OnMouse(UINT message, WPARAM wParam, int x, int y);
    void DispatchMouseMove(Element element, int buttons, float x, float y);
    void DispatchMouseUp(Element element, int button, float x, float y);
    void DispatchClick(Element element);
    void OnTimer(UINT_PTR id);
    HBRUSH OnControlColor(HDC dc, HWND control);
    HBITMAP LoadPicture(int resourceId, const char* what);

    // KnobEvents
    void OnKnobMouseDown(int button, int x, int y) override;
    void OnKnobMouseMove(int buttons, int x, int y) override;
    void OnKnobMouseUp(int button, int x, int y) override;
    void OnKnobClick() override;

    HINSTANCE instance_;
    Services& services_;
    Form1 form_;
    double twipsPerPixelX_;
    double twipsPerPixelY_;

    std::unique_ptr<KnobControl> knob_;
    HWND readout_ = nullptr;
    HWND muteBox_ = nullptr;
    HWND toolTips_ = nullptr;
    float knobTop_ = 470;

    UniqueBitmap skin_;
    UniqueBitmap knobPicture_;
    UniqueBitmap closePicture_;
    UniqueFont readoutFont_;
    UniqueBrush readoutBrush_;
    UniqueBrush muteBoxBrush_;
    HCURSOR knobCursor_ = nullptr;
    HCURSOR handCursor_ = nullptr;

    // The element a press landed on keeps the mouse until every button is up, as windowless controls do.
    Element pressed_ = Element::Background;
    int buttonsDown_ = 0;

    std::function<void()> onDestroyed_;
};

} // namespace kob
