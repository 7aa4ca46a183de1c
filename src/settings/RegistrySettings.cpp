#include "settings/RegistrySettings.h"

#include <exception>
#include <string>
#include <vector>

#include "common/AppTitle.h"
#include "platform/ErrorGuard.h"
#include "platform/FatalError.h"
#include "platform/ProgramFolder.h"
#include "platform/ServiceHandle.h"

namespace kob {

namespace {

constexpr std::uint32_t kRunEntryBufferBytes = 255;
constexpr std::uint32_t kDwordBytes = 4;

// An open key, closed when the routine leaves by any path.
using OpenedKey = ServiceHandle<RegistryService, &RegistryService::CloseKey>;

template <typename Operation>
void WithKey(RegistryService& registry, RegistryRoot root, const char* subKey, std::uint32_t access,
             Operation&& operation) {
    std::uintptr_t handle = 0;
    if (registry.OpenKey(root, subKey, access, handle) != kErrorSuccess) {
        return;
    }
    OpenedKey key(registry, handle);
    operation(key);
}

std::vector<std::uint8_t> DwordBytes(std::uint32_t value) {
    return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
            static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
}

// The buffer's first four bytes as a little-endian number.
std::uint32_t DwordFromBytes(const std::vector<std::uint8_t>& bytes) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < kDwordBytes && i < bytes.size(); ++i) {
        value |= static_cast<std::uint32_t>(bytes[i]) << (8 * i);
    }
    return value;
}

// Writes the executable's path as the Run value holds it: quoted, because an unquoted path with a blank makes
// Windows try "C:\Program.exe" first. Where the ANSI code page cannot spell the long path, the exact path goes in
// as UTF-16 (an 8.3 form would hide the program from the instance guard's comparison and from the user). When no
// form can be read there is nothing correct to store. True when the value was written.
bool WriteRunEntry(RegistryService& registry, OpenedKey& key, ModulePathService& modulePath) {
    std::string path;
    if (modulePath.ExactAnsiExecutablePath(false, path)) {
        const std::string quoted = "\"" + FolderOf(path) + "\\" + BaseNameOf(path) + ".exe\"";
        std::vector<std::uint8_t> data(quoted.begin(), quoted.end());
        data.push_back(0); // The byte count includes the terminating NUL.
        return registry.SetValue(key.get(), kAppTitle, kRegSz, data) == kErrorSuccess;
    }
    const std::u16string wide = modulePath.WideExecutablePath();
    return !wide.empty() && registry.SetWideStringValue(key.get(), kAppTitle, u"\"" + wide + u"\"") == kErrorSuccess;
}

// Queries the Run value into a 255-byte buffer: ERROR_SUCCESS, ERROR_MORE_DATA for longer data, or the reason it
// cannot be read.
std::int32_t QueryRunValue(RegistryService& registry, OpenedKey& key) {
    std::vector<std::uint8_t> buffer(kRunEntryBufferBytes, 0);
    std::uint32_t size = kRunEntryBufferBytes;
    std::uint32_t type = kRegSz;
    return registry.QueryValue(key.get(), kAppTitle, type, buffer, size);
}

// Whether the machine-wide Run value exists, looked at with the read access every user has.
bool MachineRunValueExists(RegistryService& registry) {
    bool exists = false;
    WithKey(registry, RegistryRoot::LocalMachine, kRunKey, kKeyRead, [&](OpenedKey& key) {
        const std::int32_t result = QueryRunValue(registry, key);
        exists = result == kErrorSuccess || result == kErrorMoreData;
    });
    return exists;
}

void DeleteUserRunValue(RegistryService& registry) {
    WithKey(registry, RegistryRoot::CurrentUser, kRunKey, kKeyWrite,
            [&](OpenedKey& key) { registry.DeleteValue(key.get(), kAppTitle); });
}

void SetProgramDword(RegistryService& registry, MessageBoxService& messages, const char* name, std::uint32_t value) {
    ShowErrorAndGoOn(messages, kMbIconInformation, [&] {
        WithKey(registry, RegistryRoot::CurrentUser, kProgramKey, kKeyWrite,
                [&](OpenedKey& key) { registry.SetValue(key.get(), name, kRegDword, DwordBytes(value)); });
    });
}

// Queries a DWORD of the program key into a 4-byte buffer; the stored type is not checked.
bool QueryProgramDword(RegistryService& registry, OpenedKey& key, const char* name, std::uint32_t& value) {
    std::vector<std::uint8_t> buffer(kDwordBytes, 0);
    std::uint32_t type = kRegDword;
    std::uint32_t size = kDwordBytes;
    if (registry.QueryValue(key.get(), name, type, buffer, size) != kErrorSuccess) {
        return false;
    }
    value = DwordFromBytes(buffer);
    return true;
}

} // namespace

void AddRunEntry(RegistryService& registry, MessageBoxService& messages, ModulePathService& modulePath) {
    ShowErrorAndGoOn(messages, kMbIconExclamation, [&] {
        std::uintptr_t handle = 0;
        const std::int32_t opened = registry.OpenKey(RegistryRoot::LocalMachine, kRunKey, kKeyWrite, handle);
        bool machineValue = false;
        if (opened == kErrorSuccess) {
            OpenedKey key(registry, handle);
            machineValue = WriteRunEntry(registry, key, modulePath);
        } else if (opened == kErrorAccessDenied) {
            // A value for everyone is left as it is: it starts the program at this user's log-on too.
            machineValue = MachineRunValueExists(registry);
            if (!machineValue) {
                // A user without the right to start programs for everyone (any unelevated user since Windows
                // Vista) still starts the program at his own log-on.
                WithKey(registry, RegistryRoot::CurrentUser, kRunKey, kKeyWrite,
                        [&](OpenedKey& key) { WriteRunEntry(registry, key, modulePath); });
            }
        }
        if (machineValue) {
            // One log-on entry: the user's own value beside the machine's would start a second copy.
            DeleteUserRunValue(registry);
        }
    });
}

void AddUserRunEntry(RegistryService& registry, MessageBoxService& messages, ModulePathService& modulePath) {
    ShowErrorAndGoOn(messages, kMbIconExclamation, [&] {
        WithKey(registry, RegistryRoot::CurrentUser, kRunKey, kKeyWrite,
                [&](OpenedKey& key) { WriteRunEntry(registry, key, modulePath); });
    });
}

void RemoveRunEntry(RegistryService& registry, MessageBoxService& messages) {
    ShowErrorAndGoOn(messages, kMbIconExclamation, [&] {
        // Why the machine-wide value is still there, or success.
        std::int32_t kept = kErrorSuccess;
        std::uintptr_t handle = 0;
        const std::int32_t opened = registry.OpenKey(RegistryRoot::LocalMachine, kRunKey, kKeyWrite, handle);
        if (opened == kErrorSuccess) {
            OpenedKey key(registry, handle);
            const std::int32_t deleted = registry.DeleteValue(key.get(), kAppTitle);
            kept = deleted == kErrorFileNotFound ? kErrorSuccess : deleted;
        } else if (opened != kErrorFileNotFound && MachineRunValueExists(registry)) {
            kept = opened;
        }
        DeleteUserRunValue(registry);
        if (kept != kErrorSuccess) {
            // The box is about to show the value as still there: the user learns why.
            ShowMessage(messages, kMsgRunEntryStays + registry.DescribeResult(kept), kMbIconExclamation);
        }
    });
}

void GetRunEntry(RegistryService& registry, MessageBoxService& messages, std::int16_t& RunEntryVal) {
    ShowErrorAndGoOn(messages, kMbIconExclamation, [&] {
        bool looked = false;
        bool found = false;
        // The machine-wide value first, then the one of a user who could not write it.
        for (const RegistryRoot root : {RegistryRoot::LocalMachine, RegistryRoot::CurrentUser}) {
            WithKey(registry, root, kRunKey, kKeyRead, [&](OpenedKey& key) {
                looked = true;
                found = found || QueryRunValue(registry, key) == kErrorSuccess;
            });
            if (found) {
                break;
            }
        }
        if (looked) {
            RunEntryVal = found ? 1 : 0;
        }
    });
}

void ResetCstpVal(RegistryService& registry, MessageBoxService& messages) {
    SetProgramDword(registry, messages, kCstpValName, 0);
}

void GetCstpVal(RegistryService& registry, MessageBoxService& messages, ProcessControl& process,
                std::uint32_t& cstpVal) {
    ShowErrorAndGoOn(messages, kMbIconInformation, [&] {
        std::uintptr_t handle = 0;
        if (registry.OpenKey(RegistryRoot::CurrentUser, kProgramKey, kKeyRead, handle) != kErrorSuccess) {
            EndWithMessage(messages, process, kMsgInstallationError, kMbIconError);
        }
        OpenedKey key(registry, handle);
        const bool read = QueryProgramDword(registry, key, kCstpValName, cstpVal);
        key.Close();
        if (!read) {
            EndWithMessage(messages, process, kMsgInstallationError, kMbIconError);
        }
    });
}

void SetOnTopStatNormal(RegistryService& registry, MessageBoxService& messages) {
    SetProgramDword(registry, messages, kOnTopStatName, kOnTopStatNormal);
}
void SetOnTopStatOnTop(RegistryService& registry, MessageBoxService& messages) {
    SetProgramDword(registry, messages, kOnTopStatName, kOnTopStatOnTop);
}
void SetOnTopStatClosed(RegistryService& registry, MessageBoxService& messages) {
    SetProgramDword(registry, messages, kOnTopStatName, kOnTopStatClosed);
}

void GetOnTopStat(RegistryService& registry, MessageBoxService& messages, std::uint32_t& onTopStat) {
    ShowErrorAndGoOn(messages, kMbIconInformation, [&] {
        WithKey(registry, RegistryRoot::CurrentUser, kProgramKey, kKeyRead,
                [&](OpenedKey& key) { QueryProgramDword(registry, key, kOnTopStatName, onTopStat); });
    });
}

bool InstalledForUserAlone(RegistryService& registry, MessageBoxService& messages) {
    std::uint32_t perUser = 0;
    ShowErrorAndGoOn(messages, kMbIconInformation, [&] {
        WithKey(registry, RegistryRoot::CurrentUser, kProgramKey, kKeyRead,
                [&](OpenedKey& key) { QueryProgramDword(registry, key, kPerUserName, perUser); });
    });
    return perUser == 1;
}

void AddRunEntryInScope(RegistryService& registry, MessageBoxService& messages, ModulePathService& modulePath) {
    // A copy under one user's profile must never start for everyone who logs on.
    if (InstalledForUserAlone(registry, messages)) {
        AddUserRunEntry(registry, messages, modulePath);
    } else {
        AddRunEntry(registry, messages, modulePath);
    }
}

void DoFirstStartWork(RegistryService& registry, MessageBoxService& messages, ModulePathService& modulePath,
                      std::uint32_t cstpVal) {
    if (cstpVal != 1) {
        return;
    }
    AddRunEntryInScope(registry, messages, modulePath);
    ResetCstpVal(registry, messages);
    SetOnTopStatNormal(registry, messages);
    SetOnTopStatClosed(registry, messages);
}

} // namespace kob
