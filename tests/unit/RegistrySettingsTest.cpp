#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "fakes/FakeServices.h"
#include "settings/RegistrySettings.h"

namespace kob::test {
namespace {

const std::string kRunKeyPath = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::string kProgramKeyPath = "Software\\Marlox's Software\\Drovo Volume Controller\\3.0";
constexpr auto HKCU = RegistryRoot::CurrentUser;
constexpr auto HKLM = RegistryRoot::LocalMachine;
const std::string kTitle = "Drovo Volume Controller 3.0";

std::string Text(const std::vector<std::uint8_t>& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

class RegistrySettingsTest : public ::testing::Test {
protected:
    RegistrySettingsTest() {
        registry().CreateKey(HKLM, kRunKeyPath);
        registry().SetDword(HKCU, kProgramKeyPath, "cstpval", 1);
    }
    FakeRegistry& registry() { return platform.registry; }
    bool HasRunValue() { return registry().HasValue(HKLM, kRunKeyPath, kTitle); }
    void ExpectAllKeysClosed() {
        EXPECT_TRUE(registry().openKeys.empty());
        EXPECT_EQ(registry().opened, registry().closed);
    }
    void ExpectInstallationErrorAndEnd(std::uint32_t& cstpVal) {
        EXPECT_THROW(GetCstpVal(platform.registry, platform.messages, platform.process, cstpVal), ProcessEnded);
        ASSERT_EQ(platform.messages.shown.size(), 1u);
        EXPECT_EQ(platform.messages.shown[0].text,
                  "KOB Installation Error. Please re-install the program to correct this problem");
        EXPECT_EQ(platform.messages.shown[0].title, kTitle);
        EXPECT_EQ(platform.messages.shown[0].style, 0x10u);
        EXPECT_EQ(platform.process.exitCode, 0u);
        ExpectAllKeysClosed();
    }

    FakePlatform platform;
};

TEST_F(RegistrySettingsTest, FirstStartRegistersThenClearsCstpValThenLeavesOnTopStatClosed) {
    std::uint32_t cstpVal = 0;
    GetCstpVal(platform.registry, platform.messages, platform.process, cstpVal);
    ASSERT_EQ(cstpVal, 1u);
    DoFirstStartWork(platform.registry, platform.messages, platform.modulePath, cstpVal);

    std::vector<std::string> writes;
    for (const auto& call : platform.log.calls) {
        if (call.rfind("RegSetValueEx", 0) == 0) {
            writes.push_back(call);
        }
    }
    const auto runBytes = std::to_string(registry().Value(HKLM, kRunKeyPath, kTitle).data.size());
    EXPECT_EQ(writes, (std::vector<std::string>{"RegSetValueEx " + kTitle + " type 1 bytes " + runBytes,
                                                "RegSetValueEx cstpval type 4 bytes 4",
                                                "RegSetValueEx ontopstat type 4 bytes 4",
                                                "RegSetValueEx ontopstat type 4 bytes 4"}));
    EXPECT_EQ(registry().Dword(HKCU, kProgramKeyPath, "cstpval"), 0u);
    EXPECT_EQ(registry().Dword(HKCU, kProgramKeyPath, "ontopstat"), 2u);
    EXPECT_TRUE(HasRunValue());
    EXPECT_TRUE(platform.messages.shown.empty());
    ExpectAllKeysClosed();

    // The next start reads 0 and repeats nothing.
    const auto callsBefore = platform.log.calls.size();
    GetCstpVal(platform.registry, platform.messages, platform.process, cstpVal);
    EXPECT_EQ(cstpVal, 0u);
    DoFirstStartWork(platform.registry, platform.messages, platform.modulePath, cstpVal);
    EXPECT_EQ(platform.log.calls.size(), callsBefore + 3); // open, query, close
}

TEST_F(RegistrySettingsTest, FirstStartRegistersTheRunValueInTheScopeTheSetupRecorded) {
    struct Case {
        const char* what;
        bool recorded;
        std::uint32_t perUser;
        bool machineValue;
        bool userValue;
    };
    for (const Case c : {Case{"an older setup recorded nothing", false, 0, true, false},
                         Case{"installed for all users", true, 0, true, false},
                         Case{"installed for this user alone", true, 1, false, true}}) {
        SCOPED_TRACE(c.what);
        FakePlatform p;
        p.registry.CreateKey(HKLM, kRunKeyPath);
        p.registry.CreateKey(HKCU, kRunKeyPath);
        p.registry.SetDword(HKCU, kProgramKeyPath, "cstpval", 1);
        if (c.recorded) {
            p.registry.SetDword(HKCU, kProgramKeyPath, "peruser", c.perUser);
        }
        DoFirstStartWork(p.registry, p.messages, p.modulePath, 1);
        EXPECT_EQ(p.registry.HasValue(HKLM, kRunKeyPath, kTitle), c.machineValue);
        EXPECT_EQ(p.registry.HasValue(HKCU, kRunKeyPath, kTitle), c.userValue);
        if (c.userValue) {
            EXPECT_EQ(Text(p.registry.Value(HKCU, kRunKeyPath, kTitle).data),
                      std::string("\"C:\\Program Files\\Drovo Volume Controller\\kob3.0.exe\"") + '\0');
        }
        EXPECT_EQ(p.registry.Dword(HKCU, kProgramKeyPath, "cstpval"), 0u);
        EXPECT_EQ(p.registry.Dword(HKCU, kProgramKeyPath, "ontopstat"), 2u);
        EXPECT_TRUE(p.messages.shown.empty());
        EXPECT_TRUE(p.registry.openKeys.empty());
    }
}

TEST_F(RegistrySettingsTest, CstpValOtherThanOneDoesNoFirstStartWork) {
    registry().SetDword(HKCU, kProgramKeyPath, "cstpval", 5);
    std::uint32_t cstpVal = 0;
    GetCstpVal(platform.registry, platform.messages, platform.process, cstpVal);
    EXPECT_EQ(cstpVal, 5u);
    DoFirstStartWork(platform.registry, platform.messages, platform.modulePath, cstpVal);
    EXPECT_EQ(platform.log.IndexOf("RegSetValueEx"), -1);
    EXPECT_FALSE(HasRunValue());
}

TEST_F(RegistrySettingsTest, GetCstpValReadsFromTheProgramKeyIntoAFourByteBuffer) {
    registry().SetDword(HKCU, kProgramKeyPath, "cstpval", 0x01020304);
    std::uint32_t cstpVal = 0;
    GetCstpVal(platform.registry, platform.messages, platform.process, cstpVal);
    EXPECT_EQ(cstpVal, 0x01020304u);
    EXPECT_TRUE(platform.log.Contains("RegOpenKeyEx HKCU " + kProgramKeyPath + " 131097"));
    EXPECT_TRUE(platform.log.Contains("RegQueryValueEx cstpval type 4 size 4 buffer 4"));
}

TEST_F(RegistrySettingsTest, MissingProgramKeyEndsWithTheInstallationError) {
    registry().keys.erase({HKCU, kProgramKeyPath});
    std::uint32_t cstpVal = 7;
    ExpectInstallationErrorAndEnd(cstpVal);
    EXPECT_EQ(cstpVal, 7u);
}

TEST_F(RegistrySettingsTest, MissingCstpValClosesTheKeyThenEndsWithTheInstallationError) {
    registry().keys[{HKCU, kProgramKeyPath}].erase("cstpval");
    std::uint32_t cstpVal = 7;
    ExpectInstallationErrorAndEnd(cstpVal);
    EXPECT_LT(platform.log.IndexOf("RegCloseKey"), platform.log.IndexOf("MessageBox"));
    EXPECT_EQ(cstpVal, 7u);
}

TEST_F(RegistrySettingsTest, RunValueIsTheQuotedExecutablePathWithItsNulCounted) {
    registry().keys[{HKLM, kRunKeyPath}][kTitle] = {kRegSz, {'o', 'l', 'd', 0}};
    AddRunEntry(platform.registry, platform.messages, platform.modulePath);
    const auto& stored = registry().Value(HKLM, kRunKeyPath, kTitle);
    const std::string expected = "\"C:\\Program Files\\Drovo Volume Controller\\kob3.0.exe\"";
    EXPECT_EQ(stored.type, kRegSz);
    EXPECT_EQ(stored.data.size(), expected.size() + 1);
    EXPECT_EQ(Text(stored.data), expected + '\0');
    EXPECT_TRUE(platform.log.Contains("RegOpenKeyEx HKLM " + kRunKeyPath + " 131078"));
    ExpectAllKeysClosed();
}

TEST_F(RegistrySettingsTest, RunValueNamesTheRunningFileWithALowerCaseExeExtension) {
    platform.modulePath.ansiLongPath = "D:\\Tools\\KOB3.0.EXE";
    AddRunEntry(platform.registry, platform.messages, platform.modulePath);
    EXPECT_EQ(Text(registry().Value(HKLM, kRunKeyPath, kTitle).data), std::string("\"D:\\Tools\\KOB3.0.exe\"") + '\0');
}

TEST_F(RegistrySettingsTest, PathOutsideTheAnsiCodePageIsStoredExactlyAsUtf16) {
    platform.modulePath.ansiLongPath.reset();
    platform.modulePath.widePath = u"C:\\Programme\\\u00C9t\u00E9\\kob3.0.exe";
    AddRunEntry(platform.registry, platform.messages, platform.modulePath);
    const auto& stored = registry().Value(HKLM, kRunKeyPath, kTitle);
    EXPECT_EQ(stored.type, kRegSz);
    const std::u16string expected = u"\"C:\\Programme\\\u00C9t\u00E9\\kob3.0.exe\"";
    ASSERT_EQ(stored.data.size(), (expected.size() + 1) * 2);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(stored.data[2 * i] | (stored.data[2 * i + 1] << 8), expected[i]) << i;
    }
}

TEST_F(RegistrySettingsTest, AUserWhoMayNotWriteTheMachinesRunKeyGetsTheValueInHisOwn) {
    registry().CreateKey(HKCU, kRunKeyPath);
    registry().writeDenied = {HKLM};
    AddRunEntry(platform.registry, platform.messages, platform.modulePath);
    EXPECT_FALSE(HasRunValue());
    EXPECT_EQ(Text(registry().Value(HKCU, kRunKeyPath, kTitle).data),
              std::string("\"C:\\Program Files\\Drovo Volume Controller\\kob3.0.exe\"") + '\0');
    std::int16_t RunEntryVal = 0;
    GetRunEntry(platform.registry, platform.messages, RunEntryVal);
    EXPECT_EQ(RunEntryVal, 1) << "found in the user's key";
    registry().writeDenied.clear();
    registry().keys[{HKLM, kRunKeyPath}][kTitle] = {kRegSz, {'x', 0}};
    RemoveRunEntry(platform.registry, platform.messages);
    EXPECT_FALSE(HasRunValue());
    EXPECT_FALSE(registry().HasValue(HKCU, kRunKeyPath, kTitle)) << "removed from both keys";
    GetRunEntry(platform.registry, platform.messages, RunEntryVal);
    EXPECT_EQ(RunEntryVal, 0);
    EXPECT_TRUE(platform.messages.shown.empty());
    ExpectAllKeysClosed();
}

TEST_F(RegistrySettingsTest, AMachineRunKeyFailingForAnotherReasonThanAccessSendsNothingToTheUsersKey) {
    registry().CreateKey(HKCU, kRunKeyPath);
    registry().rootOpenResults = {{HKLM, 1450}}; // ERROR_NO_SYSTEM_RESOURCES
    AddRunEntry(platform.registry, platform.messages, platform.modulePath);
    EXPECT_FALSE(registry().HasValue(HKCU, kRunKeyPath, kTitle));
    EXPECT_TRUE(platform.messages.shown.empty());
    ExpectAllKeysClosed();
}

TEST_F(RegistrySettingsTest, PathWithNoReadableFormAtAllLeavesTheRunValueAlone) {
    platform.modulePath.ansiLongPath.reset();
    platform.modulePath.ansiShortPath.reset();
    platform.modulePath.widePath.clear();
    registry().keys[{HKLM, kRunKeyPath}][kTitle] = {kRegSz, {'o', 'l', 'd', 0}};
    AddRunEntry(platform.registry, platform.messages, platform.modulePath);
    EXPECT_EQ(Text(registry().Value(HKLM, kRunKeyPath, kTitle).data), std::string("old") + '\0');
    EXPECT_TRUE(platform.messages.shown.empty());
    ExpectAllKeysClosed();
}

TEST_F(RegistrySettingsTest, RunKeyThatCannotBeOpenedForWritingChangesAndShowsNothing) {
    registry().openResult = 5; // ERROR_ACCESS_DENIED
    registry().keys[{HKLM, kRunKeyPath}][kTitle] = {kRegSz, {'x', 0}};
    AddRunEntry(platform.registry, platform.messages, platform.modulePath);
    RemoveRunEntry(platform.registry, platform.messages);
    EXPECT_EQ(Text(registry().Value(HKLM, kRunKeyPath, kTitle).data), std::string("x") + '\0');
    EXPECT_TRUE(platform.messages.shown.empty());
    EXPECT_EQ(platform.log.IndexOf("RegCloseKey"), -1);
}

TEST_F(RegistrySettingsTest, RemoveRunEntryDeletesTheValueAndIgnoresAnAbsentOne) {
    AddRunEntry(platform.registry, platform.messages, platform.modulePath);
    RemoveRunEntry(platform.registry, platform.messages);
    EXPECT_FALSE(HasRunValue());
    RemoveRunEntry(platform.registry, platform.messages);
    EXPECT_FALSE(HasRunValue());
    EXPECT_TRUE(registry().keys.at({HKLM, kRunKeyPath}).empty());
    EXPECT_TRUE(platform.messages.shown.empty());
    ExpectAllKeysClosed();
}

TEST_F(RegistrySettingsTest, GetRunEntryReportsWhetherTheValueExistsAndFits255Bytes) {
    std::int16_t RunEntryVal = 0;
    GetRunEntry(platform.registry, platform.messages, RunEntryVal);
    EXPECT_EQ(RunEntryVal, 0);
    EXPECT_TRUE(platform.log.Contains("RegOpenKeyEx HKLM " + kRunKeyPath + " 131097"));
    EXPECT_TRUE(platform.log.Contains("RegQueryValueEx " + kTitle + " type 1 size 255 buffer 255"));

    registry().keys[{HKLM, kRunKeyPath}][kTitle] = {kRegSz, std::vector<std::uint8_t>(255, 'a')};
    GetRunEntry(platform.registry, platform.messages, RunEntryVal);
    EXPECT_EQ(RunEntryVal, 1);

    registry().keys[{HKLM, kRunKeyPath}][kTitle] = {kRegSz, std::vector<std::uint8_t>(256, 'a')};
    GetRunEntry(platform.registry, platform.messages, RunEntryVal);
    EXPECT_EQ(RunEntryVal, 0);

    // Neither type nor data is checked.
    registry().keys[{HKLM, kRunKeyPath}][kTitle] = {kRegDword, {1, 0, 0, 0}};
    GetRunEntry(platform.registry, platform.messages, RunEntryVal);
    EXPECT_EQ(RunEntryVal, 1);
    ExpectAllKeysClosed();
}

TEST_F(RegistrySettingsTest, UnopenableRunKeyLeavesRunEntryValAsItWas) {
    registry().keys.erase({HKLM, kRunKeyPath});
    for (const std::int16_t previous : {std::int16_t{0}, std::int16_t{1}}) {
        std::int16_t RunEntryVal = previous;
        GetRunEntry(platform.registry, platform.messages, RunEntryVal);
        EXPECT_EQ(RunEntryVal, previous);
    }
    EXPECT_TRUE(platform.messages.shown.empty());
}

TEST_F(RegistrySettingsTest, OnTopStatWritersStoreTheirDwordAndTheReaderReadsIt) {
    const std::vector<std::pair<std::function<void(RegistryService&, MessageBoxService&)>, std::uint32_t>> writers{
        {SetOnTopStatOnTop, 1}, {SetOnTopStatClosed, 2}, {SetOnTopStatNormal, 0}};
    for (const auto& [writer, expected] : writers) {
        writer(platform.registry, platform.messages);
        const auto& stored = registry().Value(HKCU, kProgramKeyPath, "ontopstat");
        EXPECT_EQ(stored.type, kRegDword);
        EXPECT_EQ(stored.data.size(), 4u);
        std::uint32_t read = 99;
        GetOnTopStat(platform.registry, platform.messages, read);
        EXPECT_EQ(read, expected);
    }
    EXPECT_TRUE(platform.log.Contains("RegOpenKeyEx HKCU " + kProgramKeyPath + " 131078"));
    EXPECT_TRUE(platform.log.Contains("RegQueryValueEx ontopstat type 4 size 4 buffer 4"));
    ExpectAllKeysClosed();
}

TEST_F(RegistrySettingsTest, UnreadableOnTopStatLeavesTheVariableUntouched) {
    std::uint32_t onTopStat = 77;
    GetOnTopStat(platform.registry, platform.messages, onTopStat); // value absent
    EXPECT_EQ(onTopStat, 77u);
    registry().keys.erase({HKCU, kProgramKeyPath});
    GetOnTopStat(platform.registry, platform.messages, onTopStat); // key absent
    EXPECT_EQ(onTopStat, 77u);
    EXPECT_TRUE(platform.messages.shown.empty());
}

TEST_F(RegistrySettingsTest, WritersWithoutTheProgramKeyCreateNothingAndShowNothing) {
    registry().keys.erase({HKCU, kProgramKeyPath});
    ResetCstpVal(platform.registry, platform.messages);
    SetOnTopStatNormal(platform.registry, platform.messages);
    SetOnTopStatOnTop(platform.registry, platform.messages);
    SetOnTopStatClosed(platform.registry, platform.messages);
    EXPECT_EQ(registry().keys.count({HKCU, kProgramKeyPath}), 0u);
    EXPECT_EQ(platform.log.IndexOf("RegSetValueEx"), -1);
    EXPECT_TRUE(platform.messages.shown.empty());
}

struct Routine {
    const char* name;
    std::function<void(FakePlatform&)> run;
    unsigned icon;
};

std::vector<Routine> AllRoutines() {
    return {
        {"AddRunEntry", [](FakePlatform& p) { AddRunEntry(p.registry, p.messages, p.modulePath); }, 0x30},
        {"AddUserRunEntry", [](FakePlatform& p) { AddUserRunEntry(p.registry, p.messages, p.modulePath); }, 0x30},
        {"RemoveRunEntry", [](FakePlatform& p) { RemoveRunEntry(p.registry, p.messages); }, 0x30},
        {"GetRunEntry",
         [](FakePlatform& p) {
             std::int16_t RunEntryVal = 0;
             GetRunEntry(p.registry, p.messages, RunEntryVal);
         },
         0x30},
        {"ResetCstpVal", [](FakePlatform& p) { ResetCstpVal(p.registry, p.messages); }, 0x40},
        {"GetCstpVal",
         [](FakePlatform& p) {
             std::uint32_t value = 0;
             GetCstpVal(p.registry, p.messages, p.process, value);
         },
         0x40},
        {"SetOnTopStatNormal", [](FakePlatform& p) { SetOnTopStatNormal(p.registry, p.messages); }, 0x40},
        {"SetOnTopStatOnTop", [](FakePlatform& p) { SetOnTopStatOnTop(p.registry, p.messages); }, 0x40},
        {"SetOnTopStatClosed", [](FakePlatform& p) { SetOnTopStatClosed(p.registry, p.messages); }, 0x40},
        {"GetOnTopStat",
         [](FakePlatform& p) {
             std::uint32_t value = 0;
             GetOnTopStat(p.registry, p.messages, value);
         },
         0x40},
        {"InstalledForUserAlone", [](FakePlatform& p) { InstalledForUserAlone(p.registry, p.messages); }, 0x40},
    };
}

TEST_F(RegistrySettingsTest, EnvironmentFailureIsShownWithTheRoutinesIconAndTheKeyIsClosed) {
    for (const auto& routine : AllRoutines()) {
        SCOPED_TRACE(routine.name);
        FakePlatform p;
        p.registry.CreateKey(HKLM, kRunKeyPath);
        p.registry.CreateKey(HKCU, kRunKeyPath);
        p.registry.SetDword(HKCU, kProgramKeyPath, "cstpval", 1);
        p.registry.throwOnValueOperation = true;
        routine.run(p);
        ASSERT_EQ(p.messages.shown.size(), 1u);
        EXPECT_EQ(p.messages.shown[0].text, "Out of memory");
        EXPECT_EQ(p.messages.shown[0].title, kTitle);
        EXPECT_EQ(p.messages.shown[0].style, routine.icon);
        EXPECT_FALSE(p.process.ended);
        EXPECT_EQ(p.registry.opened, 1);
        EXPECT_TRUE(p.registry.openKeys.empty());
    }
}

TEST_F(RegistrySettingsTest, EveryRoutineClosesItsKeyOnEveryBranch) {
    enum class Setup { ValuesPresent, ValuesAbsent, WritesFail, KeysAbsent };
    for (const auto setup : {Setup::ValuesPresent, Setup::ValuesAbsent, Setup::WritesFail, Setup::KeysAbsent}) {
        for (const auto& routine : AllRoutines()) {
            SCOPED_TRACE(std::string(routine.name) + " setup " + std::to_string(static_cast<int>(setup)));
            FakePlatform p;
            if (setup != Setup::KeysAbsent) {
                p.registry.CreateKey(HKLM, kRunKeyPath);
                p.registry.CreateKey(HKCU, kProgramKeyPath);
            }
            if (setup == Setup::ValuesPresent) {
                p.registry.SetDword(HKCU, kProgramKeyPath, "cstpval", 0);
                p.registry.SetDword(HKCU, kProgramKeyPath, "ontopstat", 1);
                p.registry.keys[{HKLM, kRunKeyPath}][kTitle] = {kRegSz, {'a', 0}};
            }
            if (setup == Setup::WritesFail) {
                p.registry.writeResult = 5;
            }
            try {
                routine.run(p);
            } catch (const ProcessEnded&) {
                EXPECT_STREQ(routine.name, "GetCstpVal");
            }
            EXPECT_TRUE(p.registry.openKeys.empty());
            EXPECT_EQ(p.registry.opened, p.registry.closed);
            EXPECT_LE(p.registry.opened, 1);
        }
    }
}

} // namespace
} // namespace kob::test
