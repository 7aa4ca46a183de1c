#include "platform/win32/Win32MessageBox.h"

#include <windows.h>

#include "platform/win32/CommonControls.h"

namespace kob {

void Win32MessageBox::Show(const std::string& text, const std::string& title, unsigned style) {
    // A tray program usually has no active window: bring the box to the front and block this thread's windows
    // while it is open. Its buttons are common controls where the manifest asks for them.
    PrepareCommonControls();
    MessageBoxA(nullptr, text.c_str(), title.c_str(), style | MB_SETFOREGROUND | MB_TASKMODAL);
}

} // namespace kob
