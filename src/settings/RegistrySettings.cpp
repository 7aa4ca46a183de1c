#include "settings/RegistrySettings.h"

#include <exception>
#include <string>
#include <vector>

#include "common/AppTitle.h"
#include "platform/FatalError.h"
#include "platform/ProgramFolder.h"

namespace kob {

namespace {

constexpr std::uint32_t kRunEntryBufferBytes = 255;
constexpr std::uint32_t kDwordBytes = 4;

// An open key, closed when the routine leaves by any path.
class OpenedKey {
public:
    OpenedKey(RegistryService& registry, std::uintptr_t key) : registry_(registry), key_(key) {}
    OpenedKey(const OpenedKey&) = delete;
    OpenedKey& operator=(const OpenedKey&) = delete;
    ~OpenedKey() { Close(); }
    std::uintptr_t get() const { return key_; }
    void Close() {
        if (open_) {
            open_ = false;
            registry_.CloseKey(key_);
        }
    }

private:
    RegistryService& registry_;
    std::uintptr_t key_;
    bool open_ = true;
};

// Runs a routine's body; a failure of the environment is shown with the routine's icon and the routine returns.
// Only standard exceptions are caught, so an ending of the process passes through.
template <typename Body> void Guarded(Services& services, unsigned icon, Body&& body) {
    try {
        body();
    } catch (const std::exception& failure) {
        services.messages.Show(failure.what(), kAppTitle, kMbOk | icon);
    }
}

template <typename Operation>
void WithKey(Services& services, RegistryRoot root, const char* subKey, std::uint32_t access, Operation&& operation) {
    std::uintptr_t handle = 0;
    if (services.registry.OpenKey(root, subKey, access, handle) != kErrorSuccess) {
        return;
    }
    OpenedKey key(services.registry, handle);
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

void SetProgramDword(Services& services, const char* name, std::uint32_t value) {
    Guarded(services, kMbIconInformation, [&] {
        WithKey(services, RegistryRoot::CurrentUser, kProgramKey, kKeyWrite,
                [&](OpenedKey& key) { services.registry.SetValue(key.get(), name, kRegDword, DwordBytes(value)); });
    });
}

// Queries a DWORD of the program key into a 4-byte buffer; the stored type is not checked.
bool QueryProgramDword(Services& services, OpenedKey& key, const char* name, std::uint32_t& value) {
    std::vector<std::uint8_t> buffer(kDwordBytes, 0);
    std::uint32_t type = kRegDword;
    std::uint32_t size = kDwordBytes;
    if (services.registry.QueryValue(key.get(), name, type, buffer, size) != kErrorSuccess) {
        return false;
    }
    value = DwordFromBytes(buffer);
    return true;
}

} // namespace

void AddRunEntry(Services& services) {
    Guarded(services, kMbIconExclamation, [&] {
        WithKey(services, RegistryRoot::LocalMachine, kRunKey, kKeyWrite, [&](OpenedKey& key) {
            std::vector<std::uint8_t> data;
            if (RunEntryData(services.modulePath, data)) {
                services.registry.SetValue(key.get(), kAppTitle, kRegSz, data);
            }
        });
    });
}

void RemoveRunEntry(Services& services) {
    Guarded(services, kMbIconExclamation, [&] {
        WithKey(services, RegistryRoot::LocalMachine, kRunKey, kKeyWrite,
                [&](OpenedKey& key) { services.registry.DeleteValue(key.get(), kAppTitle); });
    });
}

void GetRunEntry(Services& services, ProgramContext& context) {
    Guarded(services, kMbIconExclamation, [&] {
        std::vector<std::uint8_t> buffer(kRunEntryBufferBytes, 0);
        std::uint32_t size = kRunEntryBufferBytes;
        std::uint32_t type = kRegSz;
        WithKey(services, RegistryRoot::LocalMachine, kRunKey, kKeyRead, [&](OpenedKey& key) {
            const bool found = services.registry.QueryValue(key.get(), kAppTitle, type, buffer, size) == kErrorSuccess;
            context.RunEntryVal = found ? 1 : 0;
        });
    });
}

void ResetCstpVal(Services& services) {
    SetProgramDword(services, kCstpValName, 0);
}

void GetCstpVal(Services& services, std::uint32_t& cstpVal) {
    Guarded(services, kMbIconInformation, [&] {
        std::uintptr_t handle = 0;
        if (services.registry.OpenKey(RegistryRoot::CurrentUser, kProgramKey, kKeyRead, handle) != kErrorSuccess) {
            EndWithMessage(services.messages, services.process, kMsgInstallationError, kMbIconError);
        }
        OpenedKey key(services.registry, handle);
        const bool read = QueryProgramDword(services, key, kCstpValName, cstpVal);
        key.Close();
        if (!read) {
            EndWithMessage(services.messages, services.process, kMsgInstallationError, kMbIconError);
        }
    });
}

void SetOnTopStatNormal(Services& services) {
    SetProgramDword(services, kOnTopStatName, kOnTopStatNormal);
}
void SetOnTopStatOnTop(Services& services) {
    SetProgramDword(services, kOnTopStatName, kOnTopStatOnTop);
}
void SetOnTopStatClosed(Services& services) {
    SetProgramDword(services, kOnTopStatName, kOnTopStatClosed);
}

void GetOnTopStat(Services& services, std::uint32_t& onTopStat) {
    Guarded(services, kMbIconInformation, [&] {
        WithKey(services, RegistryRoot::CurrentUser, kProgramKey, kKeyRead,
                [&](OpenedKey& key) { QueryProgramDword(services, key, kOnTopStatName, onTopStat); });
    });
}

void DoFirstStartWork(Services& services, std::uint32_t cstpVal) {
    if (cstpVal != 1) {
        return;
    }
    AddRunEntry(services);
    ResetCstpVal(services);
    SetOnTopStatNormal(services);
    SetOnTopStatClosed(services);
}

} // namespace kob
