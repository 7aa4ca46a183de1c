#pragma once

#include <string>

namespace kob {

// What the About window's logic asks of its window.
class AboutView {
public:
    virtual ~AboutView() = default;
    // The caption of the mixer line.
    virtual void SetMixerCaption(const std::string& caption) = 0;
    // Opens a web address with the system's handler for it, maximised, the About window as owner; failures pass
    // unnoticed.
    virtual void OpenMaximized(const std::string& address) = 0;
};

// The browser's automation object: a new, visible browser window navigating to an address.
class WebBrowser {
public:
    virtual ~WebBrowser() = default;
    // False when no browser object can be created.
    virtual bool OpenInNewWindow(const std::string& address) = 0;
};

// The About window: the product, its makers, the mixer device in use and two links to the maker's site.
class AboutBox {
public:
    // The master volume's device name: empty until the controller's first look at the device.
    AboutBox(AboutView& view, const std::string& deviceName, WebBrowser& browser)
        : view_(view), deviceName_(deviceName), browser_(browser) {}

    void Load();
    // The web-site link: a new browser window; without a browser object, the system's handler for the address.
    void OnWebsiteLinkClicked();
    // The feedback link.
    void OnFeedbackLinkClicked();

private:
    AboutView& view_;
    const std::string& deviceName_;
    WebBrowser& browser_;
};

} // namespace kob
