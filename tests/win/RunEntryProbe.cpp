// Registers itself in the log-on Run key exactly as the program's first start does, then ends.
#include "platform/win32/Win32ModulePath.h"
#include "settings/Settings.h"
#include "settings/win32/Win32Registry.h"

int main() {
    kob::Win32Registry registry;
    kob::Win32ModulePath modulePath;
    kob::Settings(registry, modulePath).EnableLogonStart();
    return 0;
}
