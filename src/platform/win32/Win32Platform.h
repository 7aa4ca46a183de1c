#pragma once

#include "platform/Services.h"
#include "platform/win32/Win32MessageBox.h"
#include "platform/win32/Win32Mixer.h"
#include "platform/win32/Win32Process.h"
#include "platform/win32/Win32Screen.h"

namespace kob {

// All Win32 adapters, bound into the Services the windows receive.
struct Win32Platform {
    Win32Mixer mixer;
    Win32MessageBox messages;
    Win32Process process;
    Win32Screen screen;
    Services services{mixer, messages, process, screen};
};

} // namespace kob
