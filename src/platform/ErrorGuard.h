#pragma once

#include <exception>
#include <string>

#include "common/AppTitle.h"
#include "platform/MessageBoxService.h"

namespace kob {

// A modal OK box titled with the application title.
inline void ShowMessage(MessageBoxService& messages, const std::string& text, MessageIcon icon) {
    messages.Show(text, kAppTitle, icon);
}

// Runs one step that can fail; an error it raises is shown with the given icon and the caller goes on with what
// follows.
template <typename Step> void ShowErrorAndGoOn(MessageBoxService& messages, MessageIcon icon, Step&& step) {
    try {
        step();
    } catch (const std::exception& error) {
        ShowMessage(messages, error.what(), icon);
    }
}

// Runs one step that can fail and goes on whatever error it raises, saying nothing.
template <typename Step> void IgnoreErrors(Step&& step) {
    try {
        step();
    } catch (const std::exception&) {
        // Deliberately silent: the caller's steps are independent of each other.
    }
}

} // namespace kob
