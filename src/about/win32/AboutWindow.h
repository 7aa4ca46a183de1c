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
// drawn over it, and two links.
class AboutWindow : public WindowBase, public AboutView {
public:
    AboutWindow(HINSTANCE instance, const std::string& mixerDevice, WebBrowser& browser);
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

    HINSTANCE instance_;
    AboutBox about_;
    double twipsPerPixelX_;
    double twipsPerPixelY_;
    std::string mixerCaption_ = about_layout::kMixerDesignCaption;
    UniqueBitmap picture_;
    std::array<UniqueFont, std::size(about_layout::kLabels)> fonts_;
    ClickableAreas areas_;
    int pressed_ = ClickableAreas::kNone;
};

} // namespace kob
