#include "platform/win32/Win32MessageBox.h"

#include <windows.h>

namespace kob {

void Win32MessageBox::Show(const std::string& text, const std::string& title, unsigned style) {
    // A tray program usually has no active window: bring the box to the front and block this thread's windows
    // while it is open.
    MessageBoxA(nullptr, text.c_str(), title.c_str(), style | MB_SETFOREGROUND | MB_TASKMODAL);
}

} // namespace kob
