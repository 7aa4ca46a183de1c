#include <gtest/gtest.h>

#include <string>

#include "fakes/FakeServices.h"
#include "platform/InstanceGuard.h"

namespace kob::test {
namespace {

const std::string kOwnPath = "C:\\Program Files\\Drovo Volume Controller\\kob3.0.exe";
// The process scan decides only where the program's guard could not be had.
constexpr auto kNoGuard = MutexOwnership::Unavailable;

class InstanceGuardTest : public ::testing::Test {
protected:
    InstanceGuardTest() {
        processes().Run(0, "");
        processes().processes[0].readable = false;
        processes().Run(4, "System");
        processes().Run(500, "C:\\WINDOWS\\explorer.exe");
    }
    FakeProcessList& processes() { return platform.processList; }
    // Whether the scan finds another copy.
    bool Scan() {
        list = ListProcessIds(platform.processList);
        return IsAlreadyRunning(platform.processList, platform.modulePath, list, kNoGuard);
    }

    FakePlatform platform;
    ProcessIds list;
};

TEST_F(InstanceGuardTest, MutexIsCreatedUnderTheProgramsName) {
    CreateInstanceMutex(platform.systemInfo);
    EXPECT_EQ(platform.systemInfo.calls, std::vector<std::string>{"CreateMutex kob3.0"});
}

TEST_F(InstanceGuardTest, TheGuardIsASessionMutexNamedAfterTheFoldedLongPathOfKob30Exe) {
    const std::u16string own = u"C:\\PROGRAM FILES\\DROVO VOLUME CONTROLLER\\KOB3.0.EXE";
    for (const std::u16string& path :
         {own, std::u16string(u"D:\\OTHER\\KOB3.0.EXE"), std::u16string(u"C:\\\u041F\u0420\u041E\\KOB3.0.EXE"), own,
          std::u16string(), std::u16string(u"C:\\PROGRAM FILES\\DROVO VOLUME CONTROLLER\\XKOB3.0.EXE")}) {
        platform.modulePath.foldedPath = path;
        TakeProgramGuard(platform.systemInfo, platform.modulePath);
    }
    const auto& taken = platform.systemInfo.calls;
    ASSERT_EQ(taken.size(), 4u) << "no mutex without a path, nor for a file under another name";
    for (const auto& name : taken) {
        EXPECT_EQ(name.rfind("TakeMutex Local\\kob3.0-", 0), 0u) << name;
        EXPECT_EQ(name.size(), 10u + 13u + 16u) << name;
    }
    EXPECT_EQ(taken[0], taken[3]);
    EXPECT_NE(taken[0], taken[1]);
    EXPECT_NE(taken[0], taken[2]);
    EXPECT_NE(taken[1], taken[2]);
}

TEST_F(InstanceGuardTest, TheGuardDecidesAndTheScanOnlyWhereThereIsNoGuard) {
    const struct {
        const char* name;
        MutexOwnership guard;
        bool otherCopyListed;
        bool running;
    } rows[] = {
        {"guard owned elsewhere: a copy is running", MutexOwnership::OwnedElsewhere, false, true},
        {"guard owned: a listed copy has lost its main thread", MutexOwnership::Owned, true, false},
        {"no guard, another copy listed", MutexOwnership::Unavailable, true, true},
        {"no guard, alone", MutexOwnership::Unavailable, false, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        FakePlatform p;
        p.processList.Run(1234, kOwnPath);
        if (row.otherCopyListed) {
            p.processList.Run(900, kOwnPath);
        }
        const ProcessIds ids = ListProcessIds(p.processList);
        EXPECT_EQ(IsAlreadyRunning(p.processList, p.modulePath, ids, row.guard), row.running);
        EXPECT_TRUE(p.messages.shown.empty());
    }
}

TEST_F(InstanceGuardTest, ARefusedSnapshotListsNothingAndLetsTheProgramRun) {
    processes().Run(1234, kOwnPath);
    processes().Run(900, kOwnPath);
    processes().listRefused = true;
    Scan();
    EXPECT_TRUE(list.empty());
    EXPECT_TRUE(processes().examined.empty());
    EXPECT_FALSE(platform.process.ended);
    EXPECT_TRUE(platform.messages.shown.empty());
}

TEST_F(InstanceGuardTest, ListingStopsAtTheFirstZeroAfterPositionZero) {
    processes().ids = {0, 8, 12, 0, 16};
    list = ListProcessIds(platform.processList);
    EXPECT_EQ(list, (ProcessIds{0, 8, 12}));

    ProcessIds second;
    processes().ids = {7, 0, 9};
    second = ListProcessIds(platform.processList);
    EXPECT_EQ(second, ProcessIds{7});
}

TEST_F(InstanceGuardTest, AtMost1001IdentifiersAreListedAndExamined) {
    processes().ids.clear();
    for (std::uint32_t id = 1; id <= 1500; ++id) {
        processes().Run(id * 4, "x.exe");
    }
    list = ListProcessIds(platform.processList);
    ASSERT_EQ(list.size(), 1001u);
    EXPECT_EQ(list[1000], 1001u * 4);
    EXPECT_FALSE(IsAlreadyRunning(platform.processList, platform.modulePath, list, kNoGuard));
    EXPECT_EQ(processes().examined.size(), 1001u);
}

TEST_F(InstanceGuardTest, ASingleCopyPasses) {
    processes().Run(1234, kOwnPath);
    EXPECT_FALSE(Scan());
    EXPECT_EQ(processes().examined, (std::vector<std::uint32_t>{4, 500, 1234}));
}

TEST_F(InstanceGuardTest, ASecondCopyInTheSameFolderIsFoundSilently) {
    processes().Run(900, kOwnPath);
    processes().Run(1234, kOwnPath);
    processes().Run(2000, "C:\\WINDOWS\\notepad.exe");
    EXPECT_TRUE(Scan());
    EXPECT_TRUE(platform.messages.shown.empty());
    // It stops at the second match: the processes after it are never examined.
    EXPECT_EQ(processes().examined.back(), 1234u);
}

TEST_F(InstanceGuardTest, TheOwnPathUsesTheFixedFileNameNotTheStartedOne) {
    platform.modulePath.executablePath = "C:\\Program Files\\Drovo Volume Controller\\renamed.exe";
    processes().Run(1234, "C:\\Program Files\\Drovo Volume Controller\\renamed.exe");
    processes().Run(900, "C:\\Program Files\\Drovo Volume Controller\\renamed.exe");
    EXPECT_FALSE(Scan());

    platform.processList.Run(901, kOwnPath);
    platform.processList.Run(902, kOwnPath);
    const ProcessIds again = ListProcessIds(platform.processList);
    EXPECT_TRUE(IsAlreadyRunning(platform.processList, platform.modulePath, again, kNoGuard));
}

TEST_F(InstanceGuardTest, CopiesElsewhereDoNotCount) {
    processes().Run(1234, kOwnPath);
    processes().Run(900, "D:\\Other\\kob3.0.exe");
    processes().Run(903, "C:\\Program Files\\Drovo Volume Controller\\kob3.0.exe.bak");
    processes().Run(904, "C:\\PROGRA~1\\DROVOV~1\\KOB30~1.BAK");
    EXPECT_FALSE(Scan());
}

TEST_F(InstanceGuardTest, ACopyStartedThroughTheShortPathOrInOtherLetterCaseIsTheSameProgram) {
    for (const char* other :
         {"C:\\PROGRA~1\\DROVOV~1\\KOB30~1.EXE", "c:\\program files\\drovo volume controller\\KOB3.0.EXE"}) {
        SCOPED_TRACE(other);
        FakePlatform p;
        p.processList.Run(1234, kOwnPath);
        p.processList.Run(777, other);
        const ProcessIds ids = ListProcessIds(p.processList);
        EXPECT_TRUE(IsAlreadyRunning(p.processList, p.modulePath, ids, kNoGuard));
    }
}

TEST_F(InstanceGuardTest, ProcessesThatCannotBeReadNeverMatch) {
    processes().Run(1234, kOwnPath);
    processes().Run(900, kOwnPath);
    processes().processes[900].readable = false;
    EXPECT_FALSE(Scan());
}

TEST_F(InstanceGuardTest, IdentifierZeroIsListedButNeverExamined) {
    list = ListProcessIds(platform.processList);
    ASSERT_FALSE(list.empty());
    EXPECT_EQ(list[0], 0u);
    EXPECT_FALSE(IsAlreadyRunning(platform.processList, platform.modulePath, list, kNoGuard));
    EXPECT_EQ(processes().examined, (std::vector<std::uint32_t>{4, 500}));
}

} // namespace
} // namespace kob::test
