#include "platform/win32/Win32Screen.h"

#include <windows.h>

#include "platform/win32/ScopedGdi.h"

namespace kob {

namespace {

constexpr double kTwipsPerInch = 1440.0;

double TwipsPerPixel(int capability) {
    ScopedGetDC screen(nullptr);
    const int dotsPerInch = screen.get() ? GetDeviceCaps(screen.get(), capability) : 0;
    return kTwipsPerInch / (dotsPerInch > 0 ? dotsPerInch : 96);
}

} // namespace

double Win32Screen::TwipsPerPixelX() const {
    return TwipsPerPixel(LOGPIXELSX);
}

double Win32Screen::TwipsPerPixelY() const {
    return TwipsPerPixel(LOGPIXELSY);
}

ScreenRect Win32Screen::WorkArea() const {
    RECT area{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return {area.left, area.top, area.right, area.bottom};
}

} // namespace kob
