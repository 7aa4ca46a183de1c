#include <gtest/gtest.h>

#include <string>

#include "fakes/FakeServices.h"
#include "platform/ProgramFolder.h"
#include "platform/SystemChecks.h"

namespace kob::test {
namespace {

class SystemChecksTest : public ::testing::Test {
protected:
    FakePlatform platform;
};

TEST_F(SystemChecksTest, OnlyTheNtFamilyRunsAndTheOthersEndWithTheErrorMessage) {
    RefuseUnsupportedPlatform(platform.messages, platform.process, WindowsPlatform::NtFamily);
    EXPECT_FALSE(platform.process.ended);
    for (const auto refused : {WindowsPlatform::Windows9x, WindowsPlatform::Win32s}) {
        FakePlatform p;
        EXPECT_THROW(RefuseUnsupportedPlatform(p.messages, p.process, refused), ProcessEnded);
        ASSERT_EQ(p.messages.shown.size(), 1u);
        EXPECT_EQ(p.messages.shown[0].text,
                  "Operating System Does not support. This program only runs in Windows 2000 and XP.");
        EXPECT_EQ(p.messages.shown[0].title, "Drovo Volume Controller 3.0");
        EXPECT_EQ(p.messages.shown[0].icon, MessageIcon::Error);
        EXPECT_EQ(p.process.exitCode, 2u);
    }
}

TEST_F(SystemChecksTest, SystemDirIsTheTextBeforeTheNulOfA255CharacterBuffer) {
    std::string SystemFolder;
    ReadSystemFolder(platform.systemInfo, SystemFolder);
    EXPECT_EQ(SystemFolder, "C:\\WINDOWS\\system32");
    EXPECT_EQ(platform.systemInfo.systemDirSizes, std::vector<std::uint32_t>{255});
}

TEST_F(SystemChecksTest, A254CharacterFolderFitsAnd255DoesNot) {
    const std::string fits = "C:\\" + std::string(251, 'a');
    platform.systemInfo.systemDir = fits;
    std::string SystemFolder;
    ReadSystemFolder(platform.systemInfo, SystemFolder);
    EXPECT_EQ(SystemFolder, fits);

    platform.systemInfo.systemDir = fits + "b";
    ReadSystemFolder(platform.systemInfo, SystemFolder);
    EXPECT_EQ(SystemFolder, fits); // unchanged, never the filling blanks

    std::string fresh;
    ReadSystemFolder(platform.systemInfo, fresh);
    EXPECT_EQ(fresh, "");
}

TEST(ProgramFolderTest, FolderIsThePathBeforeTheLastBackslash) {
    FakeModulePath modulePath;
    EXPECT_EQ(ProgramFolder(modulePath), "C:\\Program Files\\Drovo Volume Controller");
    EXPECT_EQ(InProgramFolder(modulePath, "KOBHELP.HTM"), "C:\\Program Files\\Drovo Volume Controller\\KOBHELP.HTM");
    modulePath.executablePath = "C:\\kob3.0.exe";
    EXPECT_EQ(InProgramFolder(modulePath, "kob3.0.exe"), "C:\\kob3.0.exe");
    EXPECT_EQ(BaseNameOf("D:\\a.b\\kob3.0.exe"), "kob3.0");
    EXPECT_EQ(BaseNameOf("D:\\a.b\\kob"), "kob");
}

} // namespace
} // namespace kob::test
