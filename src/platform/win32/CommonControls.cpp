#include "platform/win32/CommonControls.h"

#include <windows.h>

#include "platform/win32/DynamicCalls.h"

namespace kob {

void PrepareCommonControls() {
    // Looked up by name, so the program does not import comctl32 and Windows does not load it at start-up.
    if (const auto initCommonControls = dynamic::CommonControls().initCommonControls) {
        initCommonControls();
    }
}

} // namespace kob
