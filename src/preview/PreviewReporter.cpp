#include "preview/PreviewReporter.h"

namespace kob {

PreviewReporter::PreviewReporter(HINSTANCE instance, Mixer& mixer)
    : mixer_(mixer), volumeQuery_(RegisterWindowMessageA(kVolumeQuery)) {
    WindowSpec spec;
    spec.instance = instance;
    spec.className = kClassName;
    spec.title = kClassName;
    // Without its window the preview still shows the controller; only the drivers' questions go unanswered.
    (void)Create(spec);
}

LRESULT PreviewReporter::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == volumeQuery_) {
        return mixer_.ReadCurrentControl();
    }
    return Default(message, wParam, lParam);
}

} // namespace kob
