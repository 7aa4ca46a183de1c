#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "fakes/FakeServices.h"

namespace kob::test {
namespace {

const std::string kRunKeyPath = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::string kProgramKeyPath = "Software\\Marlox's Software\\Drovo Volume Controller\\3.0";
constexpr auto HKCU = RegistryRoot::CurrentUser;
constexpr auto HKLM = RegistryRoot::LocalMachine;
const std::string kTitle = "Drovo Volume Controller 3.0";
const std::string kThisProgram = "\"C:\\Program Files\\Drovo Volume Controller\\kob3.0.exe\"";

// A registry as the setup leaves it: both Run keys, and the program key with the first-start flag set.
struct Installed : FakePlatform {
    Installed() {
        registry.CreateKey(HKLM, kRunKeyPath);
        registry.CreateKey(HKCU, kRunKeyPath);
        registry.SetDword(HKCU, kProgramKeyPath, "cstpval", 1);
    }
    std::string MachineRun() const { return registry.Text(HKLM, kRunKeyPath, kTitle); }
    std::string UserRun() const { return registry.Text(HKCU, kRunKeyPath, kTitle); }
    std::uint32_t Stored(const char* name) const { return registry.Dword(HKCU, kProgramKeyPath, name); }
};

TEST(SettingsTest, FirstStartRegistersClearsTheFlagAndLeavesTheControllerClosedByWayOfShown) {
    Installed p;
    ASSERT_EQ(p.settings.IsFirstStart(), true);
    p.settings.DoFirstStartWork();
    EXPECT_EQ(p.MachineRun(), kThisProgram);
    EXPECT_EQ(p.Stored("cstpval"), 0u);
    EXPECT_EQ(p.Stored("ontopstat"), 2u);
    EXPECT_EQ(p.registry.writes, (std::vector<std::string>{kTitle, "cstpval", "ontopstat", "ontopstat"}));
    EXPECT_TRUE(p.registry.openKeys == 0);
    EXPECT_EQ(p.settings.IsFirstStart(), false) << "the next start";
}

TEST(SettingsTest, OnlyAFlagOfOneIsAFirstStart) {
    for (const std::uint32_t flag : {0u, 2u, 5u, 0x01020301u}) {
        Installed p;
        p.registry.SetDword(HKCU, kProgramKeyPath, "cstpval", flag);
        EXPECT_EQ(p.settings.IsFirstStart(), false) << flag;
    }
}

TEST(SettingsTest, AMissingProgramKeyOrFlagIsABrokenInstallationWithNoKeyLeftOpen) {
    for (const bool keyMissing : {true, false}) {
        SCOPED_TRACE(keyMissing ? "key missing" : "flag missing");
        Installed p;
        if (keyMissing) {
            p.registry.keys.erase({HKCU, kProgramKeyPath});
        } else {
            p.registry.keys[{HKCU, kProgramKeyPath}].erase("cstpval");
        }
        EXPECT_EQ(p.settings.IsFirstStart(), std::nullopt);
        EXPECT_TRUE(p.registry.openKeys == 0) << "no key is held open while it does";
    }
}

TEST(SettingsTest, FirstStartRegistersTheLogOnStartInTheScopeTheSetupRecorded) {
    const struct {
        const char* what;
        std::optional<std::uint32_t> perUser;
        bool machineValue;
    } rows[] = {{"an older setup recorded nothing", std::nullopt, true},
                {"installed for all users", 0, true},
                {"installed for this user alone", 1, false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        Installed p;
        if (row.perUser) {
            p.registry.SetDword(HKCU, kProgramKeyPath, "peruser", *row.perUser);
        }
        p.settings.DoFirstStartWork();
        EXPECT_EQ(p.MachineRun(), row.machineValue ? kThisProgram : "");
        EXPECT_EQ(p.UserRun(), row.machineValue ? "" : kThisProgram);
        EXPECT_EQ(p.Stored("cstpval"), 0u);
        EXPECT_EQ(p.Stored("ontopstat"), 2u);
    }
}

TEST(SettingsTest, TheRunValueNamesTheRunningFileQuotedWithALowerCaseExe) {
    Installed p;
    p.registry.SetText(HKLM, kRunKeyPath, kTitle, "old");
    p.modulePath.ansiLongPath = "D:\\Tools\\KOB3.0.EXE";
    p.settings.EnableLogonStart();
    EXPECT_EQ(p.MachineRun(), "\"D:\\Tools\\KOB3.0.exe\"");
    EXPECT_EQ(p.registry.keys.at({HKLM, kRunKeyPath}).at(kTitle).kind, StoredValue::Kind::Text);
}

TEST(SettingsTest, APathOutsideTheAnsiCodePageIsStoredExactlyAsUtf16AndNoPathAtAllStoresNothing) {
    Installed p;
    p.modulePath.ansiLongPath.reset();
    p.modulePath.widePath = u"C:\\Programme\\\u00C9t\u00E9\\kob3.0.exe";
    p.settings.EnableLogonStart();
    EXPECT_EQ(p.registry.WideText(HKLM, kRunKeyPath, kTitle), u"\"C:\\Programme\\\u00C9t\u00E9\\kob3.0.exe\"");

    p.registry.SetText(HKLM, kRunKeyPath, kTitle, "old");
    p.modulePath.ansiShortPath.reset();
    p.modulePath.widePath.clear();
    p.settings.EnableLogonStart();
    EXPECT_EQ(p.MachineRun(), "old");
}

TEST(SettingsTest, AUserWhoMayNotWriteTheMachinesRunKeyStartsFromHisOwn) {
    Installed p;
    p.registry.readOnly = {{HKLM, kRunKeyPath}};
    p.settings.EnableLogonStart();
    EXPECT_EQ(p.MachineRun(), "");
    EXPECT_EQ(p.UserRun(), kThisProgram);
    EXPECT_TRUE(p.settings.StartsAtLogon()) << "found in the user's key";
    p.registry.readOnly.clear();
    p.registry.SetText(HKLM, kRunKeyPath, kTitle, "x");
    EXPECT_FALSE(p.settings.DisableLogonStart());
    EXPECT_EQ(p.MachineRun(), "");
    EXPECT_EQ(p.UserRun(), "") << "removed from both keys";
    EXPECT_FALSE(p.settings.StartsAtLogon());
}

TEST(SettingsTest, AMachineValueTooLongToReadStillKeepsAUserWhoMayNotWriteItFromASecondValue) {
    Installed p;
    const std::string longValue(300, 'a');
    p.registry.SetText(HKLM, kRunKeyPath, kTitle, longValue);
    p.registry.readOnly = {{HKLM, kRunKeyPath}};
    p.settings.EnableLogonStart();
    EXPECT_EQ(p.MachineRun(), longValue);
    EXPECT_EQ(p.UserRun(), "") << "it starts the program at his log-on already";
}

TEST(SettingsTest, RunKeysThatCannotBeOpenedForAnotherReasonThanAccessGetNothing) {
    Installed p;
    p.registry.rootOpenFailures = {{HKLM, RegistryFailure::Kind::Other}};
    p.settings.EnableLogonStart();
    EXPECT_EQ(p.UserRun(), "");

    p.registry.rootOpenFailures.clear();
    p.registry.SetText(HKLM, kRunKeyPath, kTitle, "x");
    p.registry.openFailure = RegistryFailure::Kind::Other;
    p.settings.EnableLogonStart();
    EXPECT_FALSE(p.settings.DisableLogonStart());
    EXPECT_EQ(p.MachineRun(), "x");
}

TEST(SettingsTest, AMachineValueThatCannotBeDeletedIsReportedWithTheSystemsReason) {
    Installed p;
    p.registry.SetText(HKLM, kRunKeyPath, kTitle, "x");
    p.registry.writeFailure = RegistryFailure::Kind::AccessDenied;
    const auto notice = p.settings.DisableLogonStart();
    ASSERT_TRUE(notice);
    EXPECT_EQ(notice->text, "Drovo Volume Controller 3.0 will still start when Windows starts: its entry for all "
                            "users of this computer could not be removed. Access is denied.");
    EXPECT_EQ(notice->icon, MessageIcon::Exclamation);
    EXPECT_FALSE(notice->exitCode);
    EXPECT_EQ(p.MachineRun(), "x");
}

TEST(SettingsTest, DisablingIgnoresAnAbsentValue) {
    Installed p;
    p.settings.EnableLogonStart();
    EXPECT_FALSE(p.settings.DisableLogonStart());
    EXPECT_FALSE(p.settings.DisableLogonStart());
    EXPECT_TRUE(p.registry.keys.at({HKLM, kRunKeyPath}).empty());
}

TEST(SettingsTest, TheLogOnStartCountsWhenTheValueExistsAndFits255BytesWhateverItsKind) {
    Installed p;
    EXPECT_FALSE(p.settings.StartsAtLogon());
    p.registry.SetText(HKLM, kRunKeyPath, kTitle, std::string(254, 'a'));
    EXPECT_TRUE(p.settings.StartsAtLogon());
    p.registry.SetText(HKLM, kRunKeyPath, kTitle, std::string(255, 'a'));
    EXPECT_FALSE(p.settings.StartsAtLogon());
    p.registry.SetDword(HKLM, kRunKeyPath, kTitle, 1);
    EXPECT_TRUE(p.settings.StartsAtLogon());
}

TEST(SettingsTest, RunKeysThatCannotBeOpenedLeaveThePreviousAnswer) {
    Installed p;
    p.registry.SetText(HKLM, kRunKeyPath, kTitle, "x");
    ASSERT_TRUE(p.settings.StartsAtLogon());
    p.registry.keys.erase({HKLM, kRunKeyPath});
    p.registry.keys.erase({HKCU, kRunKeyPath});
    EXPECT_TRUE(p.settings.StartsAtLogon());
    p.registry.CreateKey(HKCU, kRunKeyPath);
    EXPECT_FALSE(p.settings.StartsAtLogon());
    p.registry.keys.erase({HKCU, kRunKeyPath});
    EXPECT_FALSE(p.settings.StartsAtLogon());
}

TEST(SettingsTest, TheControllerStateRoundTripsAndAnythingElseReadsAsNone) {
    Installed p;
    for (const auto state : {ControllerState::OnTop, ControllerState::Closed, ControllerState::Shown}) {
        p.settings.SaveControllerState(state);
        EXPECT_EQ(p.settings.LoadControllerState(), state);
    }
    EXPECT_EQ(p.Stored("ontopstat"), 0u);
    p.registry.SetDword(HKCU, kProgramKeyPath, "ontopstat", 3);
    EXPECT_EQ(p.settings.LoadControllerState(), std::nullopt);
    p.registry.keys[{HKCU, kProgramKeyPath}].erase("ontopstat");
    EXPECT_EQ(p.settings.LoadControllerState(), std::nullopt);
    p.registry.keys.erase({HKCU, kProgramKeyPath});
    EXPECT_EQ(p.settings.LoadControllerState(), std::nullopt);
}

TEST(SettingsTest, WritersNeverCreateTheProgramKeyNorWriteARefusedOne) {
    for (const bool readOnly : {false, true}) {
        Installed p;
        if (readOnly) {
            p.registry.readOnly = {{HKCU, kProgramKeyPath}};
        } else {
            p.registry.keys.erase({HKCU, kProgramKeyPath});
        }
        p.settings.DoFirstStartWork();
        p.settings.SaveControllerState(ControllerState::OnTop);
        EXPECT_EQ(p.registry.keys.count({HKCU, kProgramKeyPath}), readOnly ? 1u : 0u);
        if (readOnly) {
            EXPECT_EQ(p.Stored("cstpval"), 1u);
            EXPECT_FALSE(p.registry.HasValue(HKCU, kProgramKeyPath, "ontopstat"));
        }
    }
}

// Reading asks no more than read access: keys the user may only read give their values.
TEST(SettingsTest, ReadOnlyKeysGiveTheirValues) {
    Installed p;
    p.registry.SetDword(HKCU, kProgramKeyPath, "ontopstat", 1);
    p.registry.SetDword(HKCU, kProgramKeyPath, "peruser", 1);
    p.registry.SetText(HKLM, kRunKeyPath, kTitle, "x");
    p.registry.readOnly = {{HKCU, kProgramKeyPath}, {HKLM, kRunKeyPath}, {HKCU, kRunKeyPath}};
    EXPECT_EQ(p.settings.IsFirstStart(), true);
    EXPECT_EQ(p.settings.LoadControllerState(), ControllerState::OnTop);
    EXPECT_TRUE(p.settings.InstalledForUserAlone());
    EXPECT_TRUE(p.settings.StartsAtLogon());
}

struct Operation {
    const char* name;
    std::function<void(Settings&)> run;
};

const Operation kOperations[] = {
    // The installation's scope is read from the program key first.
    {"enable log-on start", [](Settings& s) { s.EnableLogonStart(); }},
    {"disable log-on start", [](Settings& s) { static_cast<void>(s.DisableLogonStart()); }},
    {"starts at log-on", [](Settings& s) { s.StartsAtLogon(); }},
    {"first start", [](Settings& s) { s.IsFirstStart(); }},
    {"save state", [](Settings& s) { s.SaveControllerState(ControllerState::OnTop); }},
    {"load state", [](Settings& s) { s.LoadControllerState(); }},
    {"installed for the user alone", [](Settings& s) { s.InstalledForUserAlone(); }},
};

TEST(SettingsTest, EveryOperationClosesWhatItOpensOnEveryBranch) {
    enum class Setup { ValuesPresent, ValuesAbsent, WritesFail, KeysAbsent };
    for (const auto setup : {Setup::ValuesPresent, Setup::ValuesAbsent, Setup::WritesFail, Setup::KeysAbsent}) {
        for (const auto& operation : kOperations) {
            SCOPED_TRACE(std::string(operation.name) + " setup " + std::to_string(static_cast<int>(setup)));
            FakePlatform p;
            if (setup != Setup::KeysAbsent) {
                p.registry.CreateKey(HKLM, kRunKeyPath);
                p.registry.CreateKey(HKCU, kProgramKeyPath);
            }
            if (setup == Setup::ValuesPresent) {
                p.registry.SetDword(HKCU, kProgramKeyPath, "cstpval", 0);
                p.registry.SetDword(HKCU, kProgramKeyPath, "ontopstat", 1);
                p.registry.SetText(HKLM, kRunKeyPath, kTitle, "a");
            }
            if (setup == Setup::WritesFail) {
                p.registry.writeFailure = RegistryFailure::Kind::AccessDenied;
            }
            operation.run(p.settings);
            EXPECT_TRUE(p.registry.openKeys == 0);
        }
    }
}

} // namespace
} // namespace kob::test
