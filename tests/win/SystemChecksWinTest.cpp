// Platform check, system folder and the executable's path against the real kernel32.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>

#include "RealSystemPlatform.h"
#include "WinTestFiles.h"
#include "fakes/FakeServices.h"
#include "platform/ProgramFolder.h"
#include "platform/SystemChecks.h"

namespace kob::test {
namespace {

TEST(Win32SystemChecks, TheNtFamilyIsReportedAndAccepted) {
    RealSystemPlatform p;
    const WindowsPlatform platform = p.systemInfo.ReadPlatform();
    EXPECT_EQ(platform, WindowsPlatform::NtFamily);
    EXPECT_FALSE(PlatformRefusal(platform));
}

TEST(Win32SystemChecks, SystemDirIsTheSystemFolderWithoutNulOrBlanks) {
    RealSystemPlatform p;
    std::string SystemFolder;
    ReadSystemFolder(p.systemInfo, SystemFolder);
    char expected[MAX_PATH + 1] = {};
    ASSERT_GT(GetSystemDirectoryA(expected, MAX_PATH), 0u);
    EXPECT_EQ(SystemFolder, expected);
    ASSERT_FALSE(SystemFolder.empty());
    EXPECT_NE(SystemFolder.back(), ' ');
    EXPECT_NE(SystemFolder.back(), '\\');
    EXPECT_EQ(SystemFolder.find('\0'), std::string::npos);
    const DWORD attributes = GetFileAttributesA((SystemFolder + "\\kernel32.dll").c_str());
    EXPECT_NE(attributes, INVALID_FILE_ATTRIBUTES);

    std::string tooSmall(5, ' ');
    EXPECT_GT(p.systemInfo.ReadSystemDirectory(tooSmall, 5), 5u);
    EXPECT_EQ(tooSmall.find('\0'), std::string::npos); // nothing to take, so SystemFolder would stay as it was
}

TEST(SystemLibraries, NoLibraryBesideTheProgramIsLoadedInsteadOfTheSystems) {
    const ScratchFolder beside("kob-beside");
    const std::string standIn = TestProgramFolder() + "\\StandInLibrary.dll";
    for (const char* name : {"winmm.dll", "psapi.dll", "oleacc.dll"}) {
        beside.Copy(standIn, name);
    }
    const std::string probe = beside.Copy(TestProgramFolder() + "\\LibraryProbe.exe", "LibraryProbe.exe");
    EXPECT_EQ(RunToEnd("\"" + probe + "\""), 0u) << "1 winmm, 2 psapi, 4 oleacc: the stand-ins loaded";
}

TEST(Win32ModulePath, ProgramFolderAndAnsiFormsNameThisExecutable) {
    RealSystemPlatform p;
    char path[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    EXPECT_EQ(p.modulePath.ExecutablePath(), path);
    EXPECT_EQ(ProgramFolder(p.modulePath), TestProgramFolder());

    std::string longForm;
    ASSERT_TRUE(p.modulePath.ExactAnsiExecutablePath(false, longForm));
    EXPECT_EQ(longForm, path);
    std::string shortForm;
    ASSERT_TRUE(p.modulePath.ExactAnsiExecutablePath(true, shortForm));
    EXPECT_NE(GetFileAttributesA(shortForm.c_str()), INVALID_FILE_ATTRIBUTES);
}

// A folder whose name the ANSI code page cannot spell: the Run value must still name the file exactly (an 8.3
// form would hide the log-on copy from the instance guard), so it is written in UTF-16.
TEST(Win32ModulePath, RunValueOfAFolderOutsideTheAnsiCodePageIsTheExactWidePath) {
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder =
        std::wstring(temp) + L"kob-\x4E2D\x6587-\x0416-" + std::to_wstring(GetCurrentProcessId());
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    const std::wstring copy = folder + L"\\kob3.0.exe";
    const std::string probe = TestProgramFolder() + "\\RunEntryProbe.exe";
    const std::wstring probeWide(probe.begin(), probe.end());
    ASSERT_TRUE(CopyFileW(probeWide.c_str(), copy.c_str(), FALSE));

    std::wstring commandLine = L"\"" + copy + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    ASSERT_TRUE(CreateProcessW(copy.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                               &info));
    EXPECT_EQ(WaitForSingleObject(info.hProcess, 30000), WAIT_OBJECT_0);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);

    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", 0,
                            KEY_READ | KEY_WRITE, &key),
              ERROR_SUCCESS);
    wchar_t data[512] = {};
    DWORD size = sizeof(data);
    DWORD type = 0;
    const LONG queried =
        RegQueryValueExW(key, L"Drovo Volume Controller 3.0", nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    RegDeleteValueA(key, "Drovo Volume Controller 3.0");
    RegCloseKey(key);
    DeleteFileW(copy.c_str());
    RemoveDirectoryW(folder.c_str());

    ASSERT_EQ(queried, ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(std::wstring(data), L"\"" + copy + L"\"");
    EXPECT_EQ(size, (copy.size() + 3) * sizeof(wchar_t));
}

} // namespace
} // namespace kob::test
