#pragma once

#include <windows.h>

#include <initializer_list>
#include <vector>

namespace kob {

// The message timers of one window: each id with its interval, switched on and off by id, and all of them
// killed together when the window goes (WM_DESTROY).
class TimerSet {
public:
    struct Timer {
        UINT_PTR id;
        UINT interval;
    };

    explicit TimerSet(std::initializer_list<Timer> timers) : timers_(timers) {}

    void Enable(HWND window, UINT_PTR id, bool enabled) const {
        // Without a window SetTimer would make a timer of the thread that nobody ever kills.
        if (!window) {
            return;
        }
        for (const Timer& timer : timers_) {
            if (timer.id == id) {
                if (enabled) {
                    SetTimer(window, timer.id, timer.interval, nullptr);
                } else {
                    KillTimer(window, timer.id);
                }
            }
        }
    }

    void KillAll(HWND window) const {
        for (const Timer& timer : timers_) {
            KillTimer(window, timer.id);
        }
    }

private:
    std::vector<Timer> timers_;
};

} // namespace kob
