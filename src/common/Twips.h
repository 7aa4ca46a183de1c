#pragma once

#include "common/Rounding.h"

namespace kob {

// Window layouts are kept in twips (1/1440 inch); only real windows are placed in pixels.
struct TwipsRect {
    double left;
    double top;
    double width;
    double height;
};

struct PixelRect {
    int left;
    int top;
    int width;
    int height;
};

inline int TwipsToPixels(double twips, double twipsPerPixel) {
    return RoundToInt32(twips / twipsPerPixel);
}

inline PixelRect ToPixels(const TwipsRect& r, double twipsPerPixelX, double twipsPerPixelY) {
    return {TwipsToPixels(r.left, twipsPerPixelX), TwipsToPixels(r.top, twipsPerPixelY),
            TwipsToPixels(r.width, twipsPerPixelX), TwipsToPixels(r.height, twipsPerPixelY)};
}

} // namespace kob
