// Platform check, system folder and the executable's path against the real kernel32.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <optional>
#include <string>
#include <utility>

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

TEST(Win32SystemChecks, TheSystemFolderIsKernel32sWithoutNulBlankOrTrailingBackslash) {
    RealSystemPlatform p;
    const std::optional<std::string> folder = p.systemInfo.ReadSystemFolder();
    char expected[MAX_PATH + 1] = {};
    ASSERT_GT(GetSystemDirectoryA(expected, MAX_PATH), 0u);
    ASSERT_TRUE(folder.has_value());
    EXPECT_EQ(*folder, expected);
    ASSERT_FALSE(folder->empty());
    EXPECT_NE(folder->back(), ' ');
    EXPECT_NE(folder->back(), '\\');
    EXPECT_EQ(folder->find('\0'), std::string::npos);
    EXPECT_NE(GetFileAttributesA((*folder + "\\kernel32.dll").c_str()), INVALID_FILE_ATTRIBUTES);
}

// A system folder as GetSystemDirectoryA tells it: with room for the path and its NUL it copies both, otherwise it
// writes nothing and returns the room needed; 0 when it fails.
std::string g_systemFolder;
UINT WINAPI StandInSystemDirectory(LPSTR folder, UINT room) {
    if (g_systemFolder.empty()) {
        return 0;
    }
    if (g_systemFolder.size() + 1 > room) {
        return static_cast<UINT>(g_systemFolder.size() + 1);
    }
    lstrcpyA(folder, g_systemFolder.c_str());
    return static_cast<UINT>(g_systemFolder.size());
}

TEST(Win32SystemChecks, ASystemFolderOf254CharactersIsReadAnd255OrAFailureGiveNone) {
    const std::string fits = "C:\\" + std::string(251, 'a');
    Win32SystemInfo systemInfo(&StandInSystemDirectory);
    for (const auto& [folder, read] : {std::pair<std::string, std::optional<std::string>>{fits, fits},
                                       {fits + "b", std::nullopt},
                                       {"", std::nullopt}}) {
        g_systemFolder = folder;
        EXPECT_EQ(systemInfo.ReadSystemFolder(), read) << folder.size() << " characters";
    }
}

TEST(SystemLibraries, NoLibraryBesideTheProgramIsLoadedInsteadOfTheSystemsNorAsOneOfTheirDependencies) {
    const ScratchFolder beside("kob-beside");
    const std::string standIn = TestProgramFolder() + "\\StandInLibrary.dll";
    for (const char* name : {"winmm.dll", "psapi.dll", "oleacc.dll", "msacm32.dll"}) {
        beside.Copy(standIn, name);
    }
    const std::string probe = beside.Copy(TestProgramFolder() + "\\LibraryProbe.exe", "LibraryProbe.exe");
    // Wine takes its own msacm32 unless told to prefer a file it finds, as Windows takes any file it finds.
    char overrides[1024] = {};
    GetEnvironmentVariableA("WINEDLLOVERRIDES", overrides, sizeof(overrides));
    SetEnvironmentVariableA("WINEDLLOVERRIDES", (std::string(overrides) + ";msacm32=n,b").c_str());
    for (const char* step : {"", " narrowed"}) {
        EXPECT_EQ(RunToEnd("\"" + probe + "\"" + step), 0u) << "1 winmm, 2 psapi, 4 oleacc, 8 msacm32 loaded;" << step;
    }
    SetEnvironmentVariableA("WINEDLLOVERRIDES", overrides);
}

TEST(Win32ModulePath, ProgramFolderAndAnsiFormsNameThisExecutable) {
    RealSystemPlatform p;
    char path[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    EXPECT_EQ(p.modulePath.ExecutablePath(), path);
    EXPECT_EQ(ProgramFolder(p.modulePath), TestProgramFolder());

    EXPECT_EQ(p.modulePath.ExactNarrowExecutablePath(PathForm::Long), path);
    const auto shortForm = p.modulePath.ExactNarrowExecutablePath(PathForm::Short);
    ASSERT_TRUE(shortForm);
    EXPECT_NE(GetFileAttributesA(shortForm->c_str()), INVALID_FILE_ATTRIBUTES);
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
