#include "platform/win32/Win32Screen.h"

#include <windows.h>

#include "platform/win32/ScreenMetrics.h"

namespace kob {

double Win32Screen::TwipsPerPixelX() const {
    return ScreenTwipsPerPixel(LOGPIXELSX);
}

double Win32Screen::TwipsPerPixelY() const {
    return ScreenTwipsPerPixel(LOGPIXELSY);
}

ScreenRect Win32Screen::WorkArea() const {
    RECT area{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return {area.left, area.top, area.right, area.bottom};
}

} // namespace kob
