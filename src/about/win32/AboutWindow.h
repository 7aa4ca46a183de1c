#pragma once

#include <windows.h>

#include <array>
#include <string>

#include "about/AboutBox.h"
#include "about/AboutLayout.h"
#include "platform/win32/ClickableAreas.h"
#include "platform/win32/UniqueHandle.h"
#include "platform/win32/WindowBase.h"

namespace kob {

// The About window: a fixed tool window centred on the screen, its background picture with the lines of text
// drawn over it, and two links, which the mouse and the keys open.
class AboutWindow : public WindowBase, public AboutView {
public:
    AboutWindow(HINSTANCE instance, const std::string& deviceName, WebBrowser& browser);
    ~AboutWindow() override;

    // Creates the window, runs its load and shows it in front.
    void Open();

    // AboutView
    void SetMixerCaption(const std::string& caption) override;
    void OpenMaximized(const std::string& address) override;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnFinalMessage() override;

private:
    RECT PixelRectOf(const TwipsRect& twips) const;
    void CreateFonts();
    void Paint();
    // Tab and Shift+Tab move the focus between the two links; Enter or Space open the focused one.
    bool OnKeyDown(WPARAM key);
    // The label of the link that has the focus, or -1.
    int FocusedLabel() const;

    HINSTANCE instance_;
    AboutBox about_;
    double twipsPerPixelX_;
    double twipsPerPixelY_;
    std::string mixerCaption_ = about_layout::kMixerDesignCaption;
    UniqueBitmap picture_;
    std::array<UniqueFont, std::size(about_layout::kLabels)> fonts_;
    ClickableAreas areas_;
    int pressed_ = ClickableAreas::kNone;
    // The link the keys act on (the index of its clickable area), drawn with a focus rectangle; none at first.
    int focusedLink_ = ClickableAreas::kNone;
};

} // namespace kob
