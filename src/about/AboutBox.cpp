#include "about/AboutBox.h"

#include "common/MakersWebsite.h"

namespace kob {

namespace {

constexpr const char* kMixerLabel = "Mixer :";
constexpr const char* kNoMixerDetails = "Mixer : No details available !";
constexpr const char* kFeedbackPage = "/feedback.html";

} // namespace

void AboutBox::Load() {
    // A mixer may have no name at all.
    view_.SetMixerCaption(deviceName_.empty() ? kNoMixerDetails : std::string(kMixerLabel) + " " + deviceName_);
}

void AboutBox::OnWebsiteLinkClicked() {
    if (!browser_.OpenInNewWindow(kMakersWebsite)) {
        view_.OpenMaximized(kMakersWebsite);
    }
}

void AboutBox::OnFeedbackLinkClicked() {
    view_.OpenMaximized(std::string(kMakersWebsite) + kFeedbackPage);
}

} // namespace kob
