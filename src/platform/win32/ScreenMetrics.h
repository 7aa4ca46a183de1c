#pragma once

#include <windows.h>

#include "common/Twips.h"
#include "platform/win32/ScopedGdi.h"

namespace kob {

// Twips per screen pixel along one axis (LOGPIXELSX or LOGPIXELSY): 15 at 96 dots per inch, and 15 when the
// screen cannot tell.
inline double ScreenTwipsPerPixel(int axis) {
    ScopedGetDC screen(nullptr);
    const int dotsPerInch = screen.get() ? GetDeviceCaps(screen.get(), axis) : 0;
    return 1440.0 / (dotsPerInch > 0 ? dotsPerInch : 96);
}

// A rectangle of a window's design in twips as client pixels.
inline RECT ClientRectOf(const TwipsRect& twips, double twipsPerPixelX, double twipsPerPixelY) {
    const PixelRect p = ToPixels(twips, twipsPerPixelX, twipsPerPixelY);
    return {p.left, p.top, p.left + p.width, p.top + p.height};
}

} // namespace kob
