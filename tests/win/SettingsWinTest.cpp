// The settings against the real registry of the scratch Wine prefix.
#include <gtest/gtest.h>

#include <windows.h>

#include <sddl.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "RealSystemPlatform.h"
#include "fakes/FakeServices.h"

namespace kob::test {
namespace {

const std::string kTitle = "Drovo Volume Controller 3.0";
// Written out here, not taken from the program: a wrong path in the program must fail these tests.
constexpr const char* kRunKeyPath = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kProgramKeyPath = "Software\\Marlox's Software\\Drovo Volume Controller\\3.0";

struct RawValue {
    LONG result = ERROR_FILE_NOT_FOUND;
    DWORD type = 0;
    std::vector<BYTE> data;
};

// Reads a value with the plain API, independently of the routines.
RawValue ReadRaw(HKEY root, const char* subKey, const std::string& name) {
    RawValue value;
    HKEY key = nullptr;
    value.result = RegOpenKeyExA(root, subKey, 0, KEY_READ, &key);
    if (value.result != ERROR_SUCCESS) {
        return value;
    }
    DWORD size = 0;
    value.result = RegQueryValueExA(key, name.c_str(), nullptr, &value.type, nullptr, &size);
    if (value.result == ERROR_SUCCESS) {
        value.data.resize(size);
        value.result = RegQueryValueExA(key, name.c_str(), nullptr, &value.type, value.data.data(), &size);
        value.data.resize(size);
    }
    RegCloseKey(key);
    return value;
}

std::vector<BYTE> WithNul(const std::string& text) {
    std::vector<BYTE> bytes(text.begin(), text.end());
    bytes.push_back(0);
    return bytes;
}

DWORD AsDword(const RawValue& value) {
    DWORD number = 0;
    std::memcpy(&number, value.data.data(), std::min<std::size_t>(value.data.size(), sizeof(number)));
    return number;
}

void WriteRaw(HKEY root, const char* subKey, const std::string& name, DWORD type, const std::vector<BYTE>& data) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(root, subKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(key, name.c_str(), 0, type, data.data(), static_cast<DWORD>(data.size())), ERROR_SUCCESS);
    RegCloseKey(key);
}

void WriteDword(const char* name, DWORD value) {
    std::vector<BYTE> bytes(4);
    std::memcpy(bytes.data(), &value, 4);
    WriteRaw(HKEY_CURRENT_USER, kProgramKeyPath, name, REG_DWORD, bytes);
}

bool KeyExists(HKEY root, const char* subKey) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, subKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(key);
    return true;
}

void DeleteProgramKey() {
    RegDeleteKeyA(HKEY_CURRENT_USER, kProgramKeyPath);
}

void DeleteRunValue() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRunKeyPath, 0, KEY_WRITE, &key) == ERROR_SUCCESS) {
        RegDeleteValueA(key, kTitle.c_str());
        RegCloseKey(key);
    }
}

// What the Run value must hold for this test program: its folder, base name and ".exe", quoted.
std::string ExpectedRunData() {
    char path[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string text(path);
    const auto slash = text.rfind('\\');
    std::string name = text.substr(slash + 1);
    name.erase(name.rfind('.'));
    return "\"" + text.substr(0, slash) + "\\" + name + ".exe\"";
}

// Real registry, processes and system; message boxes and endings recorded so nothing blocks or ends the test.
class SettingsWinTest : public ::testing::Test {
protected:
    void SetUp() override {
        DeleteProgramKey();
        DeleteRunValue();
        WriteDword("cstpval", 1); // as the installation leaves it
    }
    void TearDown() override {
        DeleteProgramKey();
        DeleteRunValue();
    }

    RealSystemPlatform platform;
    Settings& settings = platform.settings;
};

TEST_F(SettingsWinTest, FirstStartLeavesTheQuotedRunValueAndTheControllerClosed) {
    ASSERT_EQ(settings.IsFirstStart(), true);
    settings.DoFirstStartWork();

    const RawValue run = ReadRaw(HKEY_LOCAL_MACHINE, kRunKeyPath, kTitle);
    ASSERT_EQ(run.result, ERROR_SUCCESS);
    EXPECT_EQ(run.type, static_cast<DWORD>(REG_SZ));
    const std::string expected = ExpectedRunData();
    EXPECT_EQ(run.data.size(), expected.size() + 1); // the stored byte count includes the NUL
    EXPECT_EQ(std::string(run.data.begin(), run.data.end()), expected + '\0');
    EXPECT_EQ(expected.front(), '"');

    for (const auto& [name, value] : {std::pair{"cstpval", 0u}, std::pair{"ontopstat", 2u}}) {
        const RawValue stored = ReadRaw(HKEY_CURRENT_USER, kProgramKeyPath, name);
        EXPECT_EQ(stored.type, static_cast<DWORD>(REG_DWORD)) << name;
        EXPECT_EQ(stored.data.size(), 4u) << name;
        EXPECT_EQ(AsDword(stored), value) << name;
    }
    EXPECT_TRUE(settings.StartsAtLogon());
    EXPECT_EQ(settings.IsFirstStart(), false);
}

TEST_F(SettingsWinTest, EnablingOverwritesAnOldPathAndDisablingDeletesIt) {
    WriteRaw(HKEY_LOCAL_MACHINE, kRunKeyPath, kTitle, REG_SZ, WithNul("C:\\old\\kob3.0.exe"));
    settings.EnableLogonStart();
    const RawValue run = ReadRaw(HKEY_LOCAL_MACHINE, kRunKeyPath, kTitle);
    EXPECT_EQ(std::string(run.data.begin(), run.data.end()), ExpectedRunData() + '\0');

    EXPECT_FALSE(settings.DisableLogonStart());
    EXPECT_EQ(ReadRaw(HKEY_LOCAL_MACHINE, kRunKeyPath, kTitle).result, ERROR_FILE_NOT_FOUND);
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kRunKeyPath));
    EXPECT_FALSE(settings.DisableLogonStart()); // absent: nothing to say
    EXPECT_FALSE(settings.StartsAtLogon());
}

TEST_F(SettingsWinTest, EveryOperationClosesTheKeysItOpens) {
    // Wine counts no handles of a process, but hands out the lowest free one: a key left open moves the next on.
    const auto nextKeyAfterAll = [&] {
        settings.DoFirstStartWork();
        EXPECT_FALSE(settings.DisableLogonStart());
        (void)settings.LoadControllerState();
        HKEY key = nullptr;
        RegOpenKeyExA(HKEY_CURRENT_USER, kProgramKeyPath, 0, KEY_READ, &key);
        RegCloseKey(key);
        return key;
    };
    const HKEY next = nextKeyAfterAll(); // the registry's roots stay open from their first use
    EXPECT_EQ(nextKeyAfterAll(), next);
}

TEST_F(SettingsWinTest, ARunValueLongerThan255BytesCountsAsAbsent) {
    WriteRaw(HKEY_LOCAL_MACHINE, kRunKeyPath, kTitle, REG_SZ, WithNul(std::string(254, 'a'))); // 255 bytes
    EXPECT_TRUE(settings.StartsAtLogon());
    WriteRaw(HKEY_LOCAL_MACHINE, kRunKeyPath, kTitle, REG_SZ, WithNul(std::string(255, 'a')));
    EXPECT_FALSE(settings.StartsAtLogon());
}

TEST_F(SettingsWinTest, TheControllerStateRoundTripsAsFourByteDwordsAndAnAbsentOneReadsAsNone) {
    EXPECT_EQ(settings.LoadControllerState(), std::nullopt);
    for (const auto& [state, expected] : {std::pair{ControllerState::OnTop, 1u}, std::pair{ControllerState::Shown, 0u},
                                          std::pair{ControllerState::Closed, 2u}}) {
        settings.SaveControllerState(state);
        const RawValue raw = ReadRaw(HKEY_CURRENT_USER, kProgramKeyPath, "ontopstat");
        EXPECT_EQ(raw.type, static_cast<DWORD>(REG_DWORD));
        EXPECT_EQ(raw.data.size(), 4u);
        EXPECT_EQ(AsDword(raw), expected);
        EXPECT_EQ(settings.LoadControllerState(), state);
    }
    // A DWORD read takes four bytes at most: a longer value is no state.
    WriteRaw(HKEY_CURRENT_USER, kProgramKeyPath, "ontopstat", REG_BINARY, {1, 0, 0, 0, 0});
    EXPECT_EQ(settings.LoadControllerState(), std::nullopt);
}

TEST_F(SettingsWinTest, AMissingFlagOrProgramKeyIsABrokenInstallationThatWritersLeaveBroken) {
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kProgramKeyPath, 0, KEY_WRITE, &key), ERROR_SUCCESS);
    RegDeleteValueA(key, "cstpval");
    RegCloseKey(key);
    EXPECT_EQ(settings.IsFirstStart(), std::nullopt);
    DeleteProgramKey();
    EXPECT_EQ(settings.IsFirstStart(), std::nullopt);
    settings.DoFirstStartWork();
    settings.SaveControllerState(ControllerState::OnTop);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kProgramKeyPath)) << "writers never create the program key";
}

TEST_F(SettingsWinTest, AProgramKeyTheUserMayOnlyReadStillGivesItsSettingsAndRefusesWrites) {
    PSECURITY_DESCRIPTOR readOnly = nullptr;
    // Everyone may read the key and delete it, nothing more.
    ASSERT_TRUE(
        ConvertStringSecurityDescriptorToSecurityDescriptorA("D:P(A;;KRSD;;;WD)", SDDL_REVISION_1, &readOnly, nullptr));
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kProgramKeyPath, 0, WRITE_DAC, &key), ERROR_SUCCESS);
    EXPECT_EQ(RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, readOnly), ERROR_SUCCESS);
    RegCloseKey(key);
    LocalFree(readOnly);

    EXPECT_EQ(settings.IsFirstStart(), true) << "no installation error";
    settings.SaveControllerState(ControllerState::OnTop);
    EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, kProgramKeyPath, "ontopstat").result, ERROR_FILE_NOT_FOUND);
    // The refusal, as the adapter reports it, with the system's own words.
    const OpenedKey opened =
        platform.registry.OpenKey(RegistryRoot::CurrentUser, kProgramKeyPath, RegistryAccess::Write);
    const auto* refused = std::get_if<RegistryFailure>(&opened);
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->kind, RegistryFailure::Kind::AccessDenied);
    EXPECT_FALSE(refused->reason.empty());
}

} // namespace
} // namespace kob::test
