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

// The refusal's message and exit code are the start-up's (TrayAppTest).
TEST_F(SystemChecksTest, OnlyTheNtFamilyRuns) {
    EXPECT_FALSE(PlatformRefusal(WindowsPlatform::NtFamily));
    EXPECT_TRUE(PlatformRefusal(WindowsPlatform::Windows9x));
    EXPECT_TRUE(PlatformRefusal(WindowsPlatform::Win32s));
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
