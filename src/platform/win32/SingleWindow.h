#pragma once

#include <windows.h>

#include <memory>

namespace kob {

// A window the program shows at most once at a time: asked again while it is open, it comes to the front; once
// closed, the next request makes a new one (the closed one's messages are long over by then).
template <typename Window> class SingleWindow {
public:
    template <typename Make> void Show(Make&& make) {
        if (window_ && window_->Handle()) {
            ShowWindow(window_->Handle(), SW_SHOWNORMAL);
            SetForegroundWindow(window_->Handle());
            return;
        }
        window_ = make();
        window_->Open();
    }

private:
    std::unique_ptr<Window> window_;
};

} // namespace kob
