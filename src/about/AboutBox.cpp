#include "about/AboutBox.h"

#include "common/MakersWebsite.h"
#include "platform/ErrorGuard.h"

namespace kob {

namespace {

constexpr const char* kMixerLabel = "Mixer :";
constexpr const char* kNoMixerDetails = "Mixer : No details available !";
constexpr const char* kFeedbackPage = "/feedback.html";

} // namespace

void AboutBox::Load() {
    IgnoreErrors([&] {
        // Only the characters before the first NUL are the name; a mixer may leave them all empty.
        const std::string name = mixerDevice_.substr(0, mixerDevice_.find('\0'));
        view_.SetMixerCaption(name.empty() ? kNoMixerDetails : std::string(kMixerLabel) + " " + name);
    });
}

void AboutBox::OnWebsiteLinkClicked() {
    if (!browser_.OpenInNewWindow(kMakersWebsite)) {
        view_.OpenMaximized(kMakersWebsite);
    }
}

void AboutBox::OnFeedbackLinkClicked() {
    IgnoreErrors([&] { view_.OpenMaximized(std::string(kMakersWebsite) + kFeedbackPage); });
}

} // namespace kob
