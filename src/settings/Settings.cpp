// The program's own key: the controller's state, the first-start flag and the installation's scope.
#include "settings/Settings.h"

#include "common/OutsideNames.h"
#include "settings/RegistryKey.h"

namespace kob {

namespace {

constexpr const char* kControllerStateName = "ontopstat";
// 1 from the installation until the first start's work is done.
constexpr const char* kFirstStartName = "cstpval";
// Written by the setup: 1 when this copy was installed for the current user alone (under his profile).
constexpr const char* kPerUserName = "peruser";

void WriteProgramDword(RegistryService& registry, const char* name, std::uint32_t value) {
    WithKey(registry, RegistryRoot::CurrentUser, kProgramKey, RegistryAccess::Write,
            [&](RegistryKey& key) { key.WriteDword(name, value); });
}

// The value, or none when the key or the value cannot be read.
std::optional<std::uint32_t> ReadProgramDword(RegistryService& registry, const char* name) {
    std::optional<std::uint32_t> value;
    WithKey(registry, RegistryRoot::CurrentUser, kProgramKey, RegistryAccess::Read,
            [&](RegistryKey& key) { value = key.ReadNumber(name); });
    return value;
}

} // namespace

std::optional<ControllerState> Settings::LoadControllerState() {
    const auto stored = ReadProgramDword(registry_, kControllerStateName);
    for (const ControllerState state : {ControllerState::Shown, ControllerState::OnTop, ControllerState::Closed}) {
        if (stored == static_cast<std::uint32_t>(state)) {
            return state;
        }
    }
    return std::nullopt;
}

void Settings::SaveControllerState(ControllerState state) {
    WriteProgramDword(registry_, kControllerStateName, static_cast<std::uint32_t>(state));
}

std::optional<bool> Settings::IsFirstStart() {
    // The key is closed before the start-up's box: it is not held open while the user reads it.
    const auto flag = ReadProgramDword(registry_, kFirstStartName);
    if (!flag) {
        return std::nullopt;
    }
    return *flag == 1;
}

void Settings::DoFirstStartWork() {
    EnableLogonStart();
    WriteProgramDword(registry_, kFirstStartName, 0);
    SaveControllerState(ControllerState::Shown);
    SaveControllerState(ControllerState::Closed);
}

bool Settings::InstalledForUserAlone() {
    return ReadProgramDword(registry_, kPerUserName) == 1u;
}

} // namespace kob
