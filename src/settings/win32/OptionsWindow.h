#pragma once

#include <windows.h>

#include "platform/win32/WindowBase.h"
#include "settings/OptionsBox.h"

namespace kob {

// The Options window: a fixed tool window with an empty caption, centred on the screen, holding the box and its
// text. Only the box changes the setting; the text is a plain label.
class OptionsWindow : public WindowBase, public OptionsView {
public:
    OptionsWindow(HINSTANCE instance, Settings& settings, Reporter report);
    ~OptionsWindow() override;

    // Creates the window, runs its load and shows it in front with the box focused.
    void Open();

    // OptionsView
    void SetRunAtLogonBox(bool checked) override;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    HINSTANCE instance_;
    OptionsBox options_;
    HWND box_ = nullptr;
};

} // namespace kob
