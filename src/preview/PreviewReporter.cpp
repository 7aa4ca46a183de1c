#include "PreviewReporter.h"

namespace kob {

PreviewReporter::PreviewReporter(HINSTANCE instance, VolumeDevice& device)
    : device_(device), volumeQuery_(RegisterWindowMessageA(kVolumeQuery)) {
    WindowPlan plan;
    plan.instance = instance;
    plan.className = kClassName;
    plan.title = kClassName;
    // Without its window the preview still shows the controller; only the drivers' questions go unanswered.
    (void)Create(plan);
}

LRESULT PreviewReporter::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == volumeQuery_) {
        const VolumeResult<int> percent = device_.Percent();
        return percent.Failure() ? -1 : percent.Value();
    }
    return Default(message, wParam, lParam);
}

} // namespace kob
