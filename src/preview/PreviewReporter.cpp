#include "preview/PreviewReporter.h"

namespace kob {

PreviewReporter::PreviewReporter(HINSTANCE instance, MixerService& mixer, ProgramContext& context, Form1& form)
    : mixer_(mixer), context_(context), form_(form), volumeQuery_(RegisterWindowMessageA(kVolumeQuery)) {
    WNDCLASSEXA windowClass{};
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kClassName;
    Create(windowClass, 0, kClassName, WS_POPUP, 0, 0, 0, 0, nullptr);
}

LRESULT PreviewReporter::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == volumeQuery_) {
        std::int32_t value = -1;
        if (mixer_.GetControlValue(context_.MixerHandle, form_.CurrentControl.controlId, value) != kMixerNoError) {
            value = -1;
        }
        return value;
    }
    return Default(message, wParam, lParam);
}

} // namespace kob
