#pragma once

#include "settings/Settings.h"

namespace kob {

// What the Options window's logic asks of its window.
class OptionsView {
public:
    virtual ~OptionsView() = default;
    virtual void SetRunAtLogonBox(bool checked) = 0;
};

// The Options window: one box, "Run when Windows starts.", that enables or disables the log-on start at once.
class OptionsBox {
public:
    OptionsBox(OptionsView& view, Settings& settings) : view_(view), settings_(settings) {}

    // Sets the box from the registry; a box that becomes ticked registers this executable again.
    void Load();
    // Sets the box; a change runs OnRunAtLogonBoxToggled, as a click on the box does.
    void SetRunAtLogonBox(bool ticked);
    // Enables or disables the log-on start as the box says, then shows in the box whether the program really
    // starts at the next log-on.
    void OnRunAtLogonBoxToggled();
    bool RunAtLogonBox() const { return runAtLogonBox_; }

private:
    OptionsView& view_;
    Settings& settings_;
    bool runAtLogonBox_ = false;
};

} // namespace kob
