#pragma once

#include <cstdint>

#include "platform/MessageBoxService.h"
#include "platform/ModulePathService.h"
#include "platform/ProcessControl.h"
#include "settings/RegistryService.h"

namespace kob {

// Where the settings live. The program only opens these keys; the installation creates the program key.
inline constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const char* kProgramKey = "Software\\Marlox's Software\\Drovo Volume Controller\\3.0";
inline constexpr const char* kCstpValName = "cstpval";
inline constexpr const char* kOnTopStatName = "ontopstat";
// Written by the setup: 1 when this copy was installed for the current user alone (under his profile).
inline constexpr const char* kPerUserName = "peruser";

inline constexpr const char* kMsgInstallationError =
    "KOB Installation Error. Please re-install the program to correct this problem";
// Followed directly by the system's reason.
inline constexpr const char* kMsgRunEntryStays = "Drovo Volume Controller 3.0 will still start when Windows starts: "
                                                 "its entry for all users of this computer could not be removed. ";

// Controller states kept in ontopstat.
inline constexpr std::uint32_t kOnTopStatNormal = 0;
inline constexpr std::uint32_t kOnTopStatOnTop = 1;
inline constexpr std::uint32_t kOnTopStatClosed = 2;

// Each routine opens its key, performs one value operation, closes the key whatever happened and returns. None
// creates a key. A failure of the environment inside a routine is shown (exclamation icon for the Run key,
// information icon for the program key) and the caller carries on.

// Registers the running executable, its path in double quotes, to start at log-on: in the machine's Run key, or,
// only when the user may not write there and no machine-wide value exists, in the user's own. A machine-wide value
// the user may not write is left as it is. Wherever a machine-wide value stays, the user's own goes, so the program
// has one log-on entry.
void AddRunEntry(RegistryService& registry, MessageBoxService& messages, ModulePathService& modulePath);
// Registers the running executable in the user's own Run key only: the log-on start of a copy that serves him alone.
void AddUserRunEntry(RegistryService& registry, MessageBoxService& messages, ModulePathService& modulePath);
// Deletes the log-on Run value from both Run keys; an absent value is no error. A machine-wide value that stays
// (the user may not remove it) is reported: the program still starts at log-on, and the system's reason.
void RemoveRunEntry(RegistryService& registry, MessageBoxService& messages);
// RunEntryVal becomes 1 when the Run value exists in either Run key and fits 255 bytes, 0 otherwise; it stays as
// it was when neither Run key can be opened.
void GetRunEntry(RegistryService& registry, MessageBoxService& messages, std::int16_t& RunEntryVal);

// cstpval = 0: the first-start work is done.
void ResetCstpVal(RegistryService& registry, MessageBoxService& messages);
// Reads cstpval; a missing program key or value shows the installation error and ends the program.
void GetCstpVal(RegistryService& registry, MessageBoxService& messages, ProcessControl& process,
                std::uint32_t& cstpVal);

void SetOnTopStatNormal(RegistryService& registry, MessageBoxService& messages);
void SetOnTopStatOnTop(RegistryService& registry, MessageBoxService& messages);
void SetOnTopStatClosed(RegistryService& registry, MessageBoxService& messages);
// Reads ontopstat; the variable keeps its content when the key or the value cannot be read.
void GetOnTopStat(RegistryService& registry, MessageBoxService& messages, std::uint32_t& onTopStat);

// Whether the program key says this copy was installed for the current user alone (peruser = 1).
bool InstalledForUserAlone(RegistryService& registry, MessageBoxService& messages);

// Registers the log-on start in the installation's scope: in the user's own Run key for a copy installed for him
// alone, else as AddRunEntry does.
void AddRunEntryInScope(RegistryService& registry, MessageBoxService& messages, ModulePathService& modulePath);

// The first start after an installation (cstpval 1): registers the Run value (the user's own for a copy installed
// for him alone, else as AddRunEntry does), clears cstpval and leaves ontopstat at "closed" by way of "normal".
// Any other cstpval does nothing.
void DoFirstStartWork(RegistryService& registry, MessageBoxService& messages, ModulePathService& modulePath,
                      std::uint32_t cstpVal);

} // namespace kob
