#pragma once

#include "common/Rounding.h"

namespace kob {

// Window layouts are kept in twips (1/1440 inch; 15 twips = 1 pixel at 96 dpi); only real windows are placed in
// pixels.
inline int TwipsToPixels(double twips, double twipsPerPixel) {
    return RoundToInt32(twips / twipsPerPixel);
}

// A length or a position in twips, in double precision.
class Twips {
public:
    constexpr Twips() = default;
    constexpr explicit Twips(double value) : value_(value) {}

    constexpr double Value() const { return value_; }
    // The nearest whole twip, an exact half going to the even one.
    Twips Rounded() const { return Twips(RoundHalfEven(value_)); }
    int Pixels(double twipsPerPixel) const { return TwipsToPixels(value_, twipsPerPixel); }

    friend constexpr Twips operator+(Twips a, Twips b) { return Twips(a.value_ + b.value_); }
    friend constexpr Twips operator-(Twips a, Twips b) { return Twips(a.value_ - b.value_); }
    friend constexpr Twips operator*(Twips a, double factor) { return Twips(a.value_ * factor); }
    // How many times b fits into a.
    friend constexpr double operator/(Twips a, Twips b) { return a.value_ / b.value_; }
    friend constexpr auto operator<=>(Twips a, Twips b) = default;

private:
    double value_ = 0;
};

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

inline PixelRect ToPixels(const TwipsRect& r, double twipsPerPixelX, double twipsPerPixelY) {
    return {TwipsToPixels(r.left, twipsPerPixelX), TwipsToPixels(r.top, twipsPerPixelY),
            TwipsToPixels(r.width, twipsPerPixelX), TwipsToPixels(r.height, twipsPerPixelY)};
}

} // namespace kob
