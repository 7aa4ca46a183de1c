#include "platform/win32/Win32MessageBox.h"

#include <windows.h>

#include "platform/win32/CommonControls.h"

namespace kob {

namespace {

UINT IconStyle(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Error:
        return MB_ICONERROR;
    case MessageIcon::Exclamation:
        return MB_ICONEXCLAMATION;
    case MessageIcon::Information:
        break;
    }
    return MB_ICONINFORMATION;
}

} // namespace

void Win32MessageBox::Show(const std::string& text, const std::string& title, MessageIcon icon) {
    // A tray program usually has no active window: bring the box to the front and block this thread's windows
    // while it is open. Its buttons are common controls where the manifest asks for them.
    PrepareCommonControls();
    MessageBoxA(nullptr, text.c_str(), title.c_str(), MB_OK | IconStyle(icon) | MB_SETFOREGROUND | MB_TASKMODAL);
}

} // namespace kob
