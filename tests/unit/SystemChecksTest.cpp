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

TEST_F(SystemChecksTest, PlatformComesFromAZeroedRecordOf148Bytes) {
    std::uint32_t platformId = 99;
    ReadPlatformId(platform.systemInfo, platformId);
    EXPECT_EQ(platformId, 2u);
    const auto& request = platform.systemInfo.versionRequest;
    EXPECT_EQ(request.osVersionInfoSize, 148u);
    EXPECT_EQ(request.majorVersion, 0u);
    EXPECT_EQ(request.platformId, 0u);
    EXPECT_TRUE(request.csdVersion.empty());
}

TEST_F(SystemChecksTest, FailedVersionQueryReadsAsPlatformZeroAndIsRefused) {
    platform.systemInfo.versionFails = true;
    std::uint32_t platformId = 2;
    ReadPlatformId(platform.systemInfo, platformId);
    EXPECT_EQ(platformId, 0u);
    EXPECT_THROW(RefuseUnsupportedPlatform(platform.messages, platform.process, platformId), ProcessEnded);
}

TEST_F(SystemChecksTest, Windows98IsRefusedWithTheErrorMessage) {
    platform.systemInfo.version = {148, 4, 10, 2222, 1, " A "};
    std::uint32_t platformId = 0;
    ReadPlatformId(platform.systemInfo, platformId);
    EXPECT_THROW(RefuseUnsupportedPlatform(platform.messages, platform.process, platformId), ProcessEnded);
    ASSERT_EQ(platform.messages.shown.size(), 1u);
    EXPECT_EQ(platform.messages.shown[0].text,
              "Operating System Does not support. This program only runs in Windows 2000 and XP.");
    EXPECT_EQ(platform.messages.shown[0].title, "Drovo Volume Controller 3.0");
    EXPECT_EQ(platform.messages.shown[0].style, 0x10u);
    EXPECT_EQ(platform.process.exitCode, 0u);
}

TEST_F(SystemChecksTest, EveryNtFamilyMemberIsAcceptedWhateverItsVersion) {
    for (const std::uint32_t major : {4u, 5u, 6u, 10u}) {
        platform.systemInfo.version = {148, major, 0, 1381, 2, ""};
        std::uint32_t platformId = 0;
        ReadPlatformId(platform.systemInfo, platformId);
        RefuseUnsupportedPlatform(platform.messages, platform.process, platformId);
    }
    RefuseUnsupportedPlatform(platform.messages, platform.process, 3);
    EXPECT_TRUE(platform.messages.shown.empty());
    EXPECT_FALSE(platform.process.ended);
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
