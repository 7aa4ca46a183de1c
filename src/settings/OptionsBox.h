#pragma once

#include <utility>

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
    // `report` shows what the registry refused while the window waits.
    OptionsBox(OptionsView& view, Settings& settings, Reporter report)
        : view_(view), settings_(settings), report_(std::move(report)) {}

    // Shows the box from the registry; a log-on start found there is registered again.
    void Load();
    // A click on the box: it takes the other state, and the log-on start follows it.
    void OnRunAtLogonBoxToggled();

private:
    // Shows the box ticked or clear; writes nothing.
    void SetRunAtLogonBox(bool ticked);
    // Enables or disables the log-on start as the box says, then shows in the box whether the program really
    // starts at the next log-on.
    void ApplyRunAtLogonBox();

    OptionsView& view_;
    Settings& settings_;
    Reporter report_;
    bool runAtLogonBox_ = false;
};

} // namespace kob
