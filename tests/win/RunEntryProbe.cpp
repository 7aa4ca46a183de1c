// Registers itself in the log-on Run key exactly as the program's first start does, then ends.
#include "platform/win32/Win32Platform.h"
#include "settings/RegistrySettings.h"

int main() {
    kob::Win32Platform platform;
    kob::AddRunEntry(platform.services);
    return 0;
}
