#pragma once

#include <windows.h>

#include <exdisp.h>

#include "about/AboutBox.h"

namespace kob {

// The browser automation object InternetExplorer.Application: each address opens in a new, visible browser
// window. The latest object is kept, as the About window's link has always done, and released on the next one.
class IeBrowser : public WebBrowser {
public:
    IeBrowser() = default;
    IeBrowser(const IeBrowser&) = delete;
    IeBrowser& operator=(const IeBrowser&) = delete;
    ~IeBrowser() override;
    bool OpenInNewWindow(const std::string& address) override;

private:
    IWebBrowserApp* latest_ = nullptr;
};

} // namespace kob
