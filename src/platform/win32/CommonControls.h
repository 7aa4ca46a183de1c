#pragma once

namespace kob {

// Loads the common controls (comctl32, the version the manifest names) and registers their classes, before the
// first window or message box that holds buttons, labels or tool-tips. They are not loaded at start-up: the
// program shows none until such a window opens, and under Wine loading them costs more private memory than the
// rest of the idle program. Once loaded they stay for the rest of the run; later calls only register again.
void PrepareCommonControls();

} // namespace kob
