#pragma once

namespace kob {

struct ScreenRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// The display the windows are placed on.
class ScreenService {
public:
    virtual ~ScreenService() = default;
    // Twips per screen pixel (15 at 96 dots per inch).
    virtual double TwipsPerPixelX() const = 0;
    virtual double TwipsPerPixelY() const = 0;
    // The desktop's work area (the screen less the task bar) in pixels; all zero when the system does not tell it.
    virtual ScreenRect WorkArea() const = 0;
};

} // namespace kob
