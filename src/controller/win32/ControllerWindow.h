#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "common/Twips.h"
#include "controller/Controller.h"
#include "controller/ControllerShowing.h"
#include "controller/win32/ControllerAccessible.h"
#include "controller/win32/KnobControl.h"
#include "platform/win32/ClickableAreas.h"
#include "platform/win32/TimerSet.h"
#include "platform/win32/UniqueHandle.h"
#include "platform/win32/WheelHook.h"
#include "platform/win32/WindowBase.h"

namespace kob {

// The controller's real window for one showing: a borderless skinned pop-up with the knob, the read-out and the
// mute box as child windows, and the track, the close button and the hot spots as clickable areas of its own. It
// turns messages into the showing's event handlers (pixels to twips) and carries out what the logic asks of it.
class ControllerWindow : public WindowBase, public ControllerView {
public:
    ControllerWindow(HINSTANCE instance, ScreenService& screen, ControllerShowing& showing);
    ~ControllerWindow() override;

    // ControllerView
    [[nodiscard]] bool Create() override;
    void BringToForeground() override { SetForegroundWindow(Handle()); }
    void ShapeWindow(int width, int height) override;
    void ShapeKnob(int width, int height) override;
    [[nodiscard]] bool ShowSkin() override;
    [[nodiscard]] bool ShowKnobPicture() override;
    void SetKnobTop(Twips knobTop) override;
    void SetReadout(const std::string& caption) override;
    void SetMuteBoxBackColor(Rgb color) override;
    void SetMuteBox(bool ticked) override;
    void FadeTo(int opacity) override;
    void ShowAt(int x, int y) override;
    void SetTopmost(bool topmost) override;
    void MoveWindowBy(float dxTwips, float dyTwips) override;
    void Unload() override { Destroy(); }
    void EnableTimer(ControllerTimer timer, bool enabled) override;
    void AnnounceVolumeChanged() override;
    void AnnounceMuteChanged() override;

    // What the accessible object asks while the window is there.
    AccessibleParts DescribeParts() const { return Logic().DescribeParts(); }
    // The part's place on the screen, in pixels.
    RECT ScreenRectOf(const TwipsRect& place) const;
    // The part the keys act on now: the slider while the window has the focus, the mute box while it has; 0 when
    // neither has it.
    LONG FocusedChild() const;
    bool DoDefaultAction(ControllerPart part);
    bool SetVolumeFromText(const std::string& text);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnFinalMessage() override;

private:
    // The parts of the window that are not windows of their own, in the order of the clickable areas (the first
    // one wins where two overlap); Background is everything else.
    enum class Element { Close, AudioPropertiesSpot, VolumeControlSpot, Readout, Track, Background };

    [[nodiscard]] bool CreateWindowAndChildren();
    void CreateReadout();
    void AddClickableAreas();
    void AddToolTips();
    // Hands a mouse message over to the tool-tips of the clickable areas.
    void RelayToToolTips(UINT message, WPARAM wParam, LPARAM lParam);
    void Paint();
    Element HitTest(int x, int y) const;
    RECT PixelRectOf(const TwipsRect& twips) const;
    void OnMouse(UINT message, WPARAM wParam, int x, int y);
    void DispatchMouseMove(Element element, HeldButtons held, float x, float y);
    void DispatchMouseUp(Element element);
    void DispatchClick(Element element);
    void DispatchDoubleClick(Element element);
    bool OnSetCursor(HWND over, UINT hitTest);
    // The pointer is over the window: the wheel's hook watches its place.
    void WatchWheel();
    bool OnKeyDown(WPARAM key);
    void OnTimer(UINT_PTR id);
    HBRUSH OnControlColor(HDC dc, HWND control);
    HBITMAP LoadPicture(int resourceId);
    // The knob's window; none when the knob could not be made.
    HWND KnobWindow() const { return knob_ ? knob_->Handle() : nullptr; }

    // The answer to WM_GETOBJECT: the accessible object for the client area, made at the first question.
    LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
    // Cuts the accessible object off from the window and lets it go; a screen reader may still hold it.
    void ReleaseAccessible();

    Controller& Logic() const { return showing_.Logic(); }

    HINSTANCE instance_;
    ControllerShowing& showing_;
    const double twipsPerPixelX_;
    const double twipsPerPixelY_;

    std::unique_ptr<KnobControl> knob_;
    HWND readout_ = nullptr;
    HWND muteBox_ = nullptr;
    HWND toolTips_ = nullptr;
    // What the knob and the read-out show now, in pixels and text.
    int knobTopShown_ = 0;
    std::string readoutShown_;

    UniqueBitmap skin_;
    UniqueBitmap knobPicture_;
    UniqueBitmap closePicture_;
    UniqueFont readoutFont_;
    UniqueBrush readoutBrush_;
    UniqueBrush muteBoxBrush_;
    // Cursors loaded from the resources are shared by the system and never destroyed.
    HCURSOR knobCursor_ = nullptr;
    HCURSOR handCursor_ = nullptr;

    std::unique_ptr<WheelHook> wheelHook_;
    // Made when a screen reader first asks; a reader may keep it after the window has gone.
    ControllerAccessible* accessible_ = nullptr;
    ClickableAreas areas_;
    TimerSet timers_;
    // The element a press landed on keeps the mouse until every button is up, as windowless controls do.
    Element pressed_ = Element::Background;
    int buttonsDown_ = 0;
    // The release that ends a double-click makes no click of its own.
    bool doubleClicked_ = false;
};

// Makes a new controller window for each showing.
inline ControllerWindowMaker NewControllerWindows(HINSTANCE instance, ScreenService& screen) {
    return [instance, &screen](ControllerShowing& showing) {
        return std::make_unique<ControllerWindow>(instance, screen, showing);
    };
}

} // namespace kob
