#pragma once

#include <windows.h>

#include <cstdint>

#include "platform/win32/WindowBase.h"
#include "settings/Form4.h"

namespace kob {

// The Options window: a fixed tool window with an empty caption, centred on the screen, holding the box and its
// text. Only the box changes the setting; the text is a plain label.
class Form4Window : public WindowBase, public Form4View {
public:
    Form4Window(HINSTANCE instance, RegistryService& registry, MessageBoxService& messages,
                ModulePathService& modulePath, std::int16_t& RunEntryVal);
    ~Form4Window() override;

    // Creates the window, runs its load and shows it in front with the box focused.
    void Open();

    // Form4View
    void SetChkStp(bool checked) override;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    HINSTANCE instance_;
    Form4 form_;
    HWND box_ = nullptr;
};

} // namespace kob
