#include "about/win32/IeBrowser.h"

#include <vector>

namespace kob {

IeBrowser::~IeBrowser() {
    if (latest_) {
        latest_->Release();
    }
}

bool IeBrowser::OpenInNewWindow(const std::string& address) {
    IWebBrowserApp* browser = nullptr;
    if (FAILED(CoCreateInstance(CLSID_InternetExplorer, nullptr, CLSCTX_LOCAL_SERVER, IID_IWebBrowserApp,
                                reinterpret_cast<void**>(&browser))) ||
        !browser) {
        return false;
    }
    if (latest_) {
        latest_->Release();
    }
    latest_ = browser;
    browser->put_Visible(VARIANT_TRUE);
    std::vector<wchar_t> wide(address.size() + 1, L'\0');
    MultiByteToWideChar(CP_ACP, 0, address.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
    BSTR url = SysAllocString(wide.data());
    VARIANT omitted;
    VariantInit(&omitted);
    const HRESULT navigated = browser->Navigate(url, &omitted, &omitted, &omitted, &omitted);
    SysFreeString(url);
    return SUCCEEDED(navigated);
}

} // namespace kob
