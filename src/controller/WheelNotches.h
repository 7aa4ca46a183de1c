#pragma once

namespace kob {

// A mouse wheel's travel counted in whole notches, as the controller and the tray icon step the volume by it.
// High-resolution wheels report fractions of a notch; they add up, and what is short of a notch waits for the
// next turn.
class WheelNotches {
public:
    // The volume a notch moves, in percent: the same as an arrow key on the controller.
    static constexpr int kPercentPerNotch = 2;

    // Adds travel in 1/120 of a notch (positive away from the user) and returns the whole notches it completed.
    int Add(int travel) {
        remainder_ += travel;
        const int notches = remainder_ / kTravelPerNotch;
        remainder_ -= notches * kTravelPerNotch;
        return notches;
    }

private:
    // One notch, as the system counts a wheel's travel.
    static constexpr int kTravelPerNotch = 120;

    int remainder_ = 0;
};

} // namespace kob
