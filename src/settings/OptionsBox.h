#pragma once

#include <cstdint>

#include "platform/MessageBoxService.h"
#include "platform/ModulePathService.h"
#include "settings/RegistryService.h"

namespace kob {

// What the Options window's logic asks of its window.
class OptionsView {
public:
    virtual ~OptionsView() = default;
    virtual void SetRunAtLogonBox(bool checked) = 0;
};

// The Options window: one box, "Run when Windows starts.", that adds or removes the log-on Run value at once.
class OptionsBox {
public:
    // RunEntryVal outlives the window: a Run key that cannot be read leaves the previous answer in it.
    OptionsBox(OptionsView& view, RegistryService& registry, MessageBoxService& messages, ModulePathService& modulePath,
               std::int16_t& RunEntryVal)
        : view_(view), registry_(registry), messages_(messages), modulePath_(modulePath), RunEntryVal_(RunEntryVal) {}

    // Sets the box from the registry; a box that becomes ticked writes the Run value again for this executable.
    void Load();
    // Sets the box; a change runs OnRunAtLogonBoxToggled, as a click on the box does.
    void SetRunAtLogonBox(int value);
    // Adds or removes the Run value as the box says, then shows in the box whether the program really starts at
    // the next log-on.
    void OnRunAtLogonBoxToggled();
    int RunAtLogonBox() const { return runAtLogonBox_; }

private:
    OptionsView& view_;
    RegistryService& registry_;
    MessageBoxService& messages_;
    ModulePathService& modulePath_;
    std::int16_t& RunEntryVal_;
    int runAtLogonBox_ = 0;
};

} // namespace kob
