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

// The executable's path as the Run value holds it: quoted, because an unquoted path with a blank makes Windows
// try "C:\Program.exe" first; in 8.3 form when the ANSI code page cannot spell the long one. When no form can
// be spelt there is nothing correct to store.
bool RunEntryData(ModulePathService& modulePath, std::vector<std::uint8_t>& data) {
    const std::string path = OpenableExecutablePath(modulePath);
    if (path.empty()) {
        return false;
    }
    const std::string quoted = "\"" + FolderOf(path) + "\\" + BaseNameOf(path) + ".exe\"";
    data.assign(quoted.begin(), quoted.end());
    data.push_back(0); // The byte count includes the terminating NUL.
    return true;
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
        WithKey(registry, RegistryRoot::LocalMachine, kRunKey, kKeyWrite, [&](OpenedKey& key) {
            std::vector<std::uint8_t> data;
            if (RunEntryData(modulePath, data)) {
                registry.SetValue(key.get(), kAppTitle, kRegSz, data);
            }
        });
    });
}

void RemoveRunEntry(RegistryService& registry, MessageBoxService& messages) {
    ShowErrorAndGoOn(messages, kMbIconExclamation, [&] {
        WithKey(registry, RegistryRoot::LocalMachine, kRunKey, kKeyWrite,
                [&](OpenedKey& key) { registry.DeleteValue(key.get(), kAppTitle); });
    });
}

void GetRunEntry(RegistryService& registry, MessageBoxService& messages, std::int16_t& RunEntryVal) {
    ShowErrorAndGoOn(messages, kMbIconExclamation, [&] {
        std::vector<std::uint8_t> buffer(kRunEntryBufferBytes, 0);
        std::uint32_t size = kRunEntryBufferBytes;
        std::uint32_t type = kRegSz;
        WithKey(registry, RegistryRoot::LocalMachine, kRunKey, kKeyRead, [&](OpenedKey& key) {
            const bool found = registry.QueryValue(key.get(), kAppTitle, type, buffer, size) == kErrorSuccess;
            RunEntryVal = found ? 1 : 0;
        });
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

void DoFirstStartWork(RegistryService& registry, MessageBoxService& messages, ModulePathService& modulePath,
                      std::uint32_t cstpVal) {
    if (cstpVal != 1) {
        return;
    }
    AddRunEntry(registry, messages, modulePath);
    ResetCstpVal(registry, messages);
    SetOnTopStatNormal(registry, messages);
    SetOnTopStatClosed(registry, messages);
}

} // namespace kob
