// Starting the system tools, the log-on value's wide form and the same-file test against the real system.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "RealSystemPlatform.h"
#include "WinTestFiles.h"
#include "platform/SystemTools.h"
#include "platform/win32/Win32ProgramLauncher.h"

namespace kob::test {
namespace {

std::string MarkPath() {
    char temp[MAX_PATH + 1] = {};
    GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + "kob-stand-in-started";
}

bool WaitForMark() {
    for (int i = 0; i < 100; ++i) {
        if (GetFileAttributesA(MarkPath().c_str()) != INVALID_FILE_ATTRIBUTES) {
            return true;
        }
        Sleep(50);
    }
    return false;
}

// The stand-in's mark: the file that was started and its command line.
std::vector<std::string> MarkLines() {
    std::ifstream mark(MarkPath());
    std::vector<std::string> lines;
    for (std::string line; std::getline(mark, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::string Lower(std::string text) {
    CharLowerA(text.data());
    return text;
}

// A stand-in in place of the system folder's rundll32.exe while the test runs, the real one put back afterwards.
// ctest starts this program with Wine told to run the rundll32.exe file that is there, not its own built-in one.
class SystemRundll {
public:
    explicit SystemRundll(const std::string& systemFolder)
        : path_(systemFolder + "\\rundll32.exe"), saved_(path_ + ".kob-saved") {
        replaced_ = MoveFileA(path_.c_str(), saved_.c_str()) &&
                    CopyFileA((TestProgramFolder() + "\\StandInProbe.exe").c_str(), path_.c_str(), FALSE);
    }
    SystemRundll(const SystemRundll&) = delete;
    SystemRundll& operator=(const SystemRundll&) = delete;
    ~SystemRundll() {
        DeleteFileA(path_.c_str());
        MoveFileA(saved_.c_str(), path_.c_str());
    }
    bool replaced() const { return replaced_; }

private:
    std::string path_;
    std::string saved_;
    bool replaced_ = false;
};

TEST(SystemTools, TheVolumeControlFallsBackToSndvolAndWithNeitherSaysSo) {
    RealSystemPlatform p;
    Win32ProgramLauncher launcher;
    const std::string systemFolder = p.systemInfo.ReadSystemFolder().value();
    const std::string classic = systemFolder + "\\sndvol32.exe";
    const std::string newer = systemFolder + "\\sndvol.exe";
    ASSERT_FALSE(launcher.FileExists(classic)) << "Wine has no Volume Control of its own";
    ASSERT_TRUE(CopyFileA((TestProgramFolder() + "\\StandInProbe.exe").c_str(), newer.c_str(), FALSE));
    DeleteFileA(MarkPath().c_str());
    EXPECT_FALSE(OpenVolumeControl(launcher, systemFolder));
    EXPECT_TRUE(WaitForMark()) << "sndvol.exe started";
    Sleep(200);
    DeleteFileA(newer.c_str());
    DeleteFileA(MarkPath().c_str());

    const std::optional<Notice> notice = OpenVolumeControl(launcher, systemFolder);
    ASSERT_TRUE(notice);
    const std::string prefix = "Unable to open Windows Volume Control ";
    EXPECT_EQ(notice->text.substr(0, prefix.size()), prefix);
    EXPECT_GT(notice->text.size(), prefix.size()) << "followed by the system's description";
    EXPECT_EQ(notice->icon, MessageIcon::Exclamation);
    EXPECT_FALSE(notice->exitCode) << "the program goes on";
}

// A file named like a system tool beside the program, where a bare name is looked for first, is never started.
TEST(SystemTools, TheAudioPropertiesAreTheSystemFoldersRundll32NotOnePlantedBesideTheProgram) {
    RealSystemPlatform p;
    Win32ProgramLauncher launcher;
    const std::string systemFolder = p.systemInfo.ReadSystemFolder().value();
    const std::string planted = TestProgramFolder() + "\\rundll32.exe";
    ASSERT_TRUE(CopyFileA((TestProgramFolder() + "\\StandInProbe.exe").c_str(), planted.c_str(), FALSE));
    std::vector<std::string> mark;
    {
        SystemRundll system(systemFolder);
        EXPECT_TRUE(system.replaced());
        DeleteFileA(MarkPath().c_str());
        EXPECT_FALSE(OpenAudioProperties(launcher, systemFolder));
        EXPECT_TRUE(WaitForMark());
        mark = MarkLines();
        Sleep(200); // the stand-in has ended before its file is removed
    }
    DeleteFileA(planted.c_str());
    DeleteFileA(MarkPath().c_str());
    ASSERT_EQ(mark.size(), 2u);
    EXPECT_EQ(Lower(mark[0]), Lower(systemFolder + "\\rundll32.exe"));
    EXPECT_EQ(Lower(mark[1]), Lower("\"" + systemFolder + "\\rundll32.exe\" shell32.dll,Control_RunDLL mmsys.cpl"));
}

TEST(SystemTools, TheLongAndShortFormsOfAPathAreTheSameFileInAnyLetterCase) {
    RealSystemPlatform p;
    ScratchFolder folder("kob same file folder");
    const std::string file = folder.Copy(TestProgramFolder() + "\\StandInProbe.exe", "Stand In Probe.exe");
    char shortForm[MAX_PATH + 1] = {};
    ASSERT_GT(GetShortPathNameA(file.c_str(), shortForm, MAX_PATH), 0u);
    ASSERT_NE(std::string(shortForm), file);
    EXPECT_TRUE(p.modulePath.IsSameFile(file, shortForm));
    std::string upper = file;
    CharUpperA(upper.data());
    EXPECT_TRUE(p.modulePath.IsSameFile(upper, shortForm));
    EXPECT_FALSE(p.modulePath.IsSameFile(file, TestProgramFolder() + "\\StandInProbe.exe"));
}

TEST(SystemTools, AWideRunValueReadsBackExactly) {
    RealSystemPlatform p;
    HKEY created = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, "Software\\KobWideTest", &created), ERROR_SUCCESS);
    RegCloseKey(created);
    const std::u16string text = u"\"C:\\\u0416\u00E9\\kob3.0.exe\"";
    {
        const OpenedKey opened =
            p.registry.OpenKey(RegistryRoot::CurrentUser, "Software\\KobWideTest", RegistryAccess::Write);
        const auto* key = std::get_if<std::unique_ptr<RegistryKey>>(&opened);
        ASSERT_TRUE(key);
        EXPECT_FALSE((*key)->WriteWideText("Drovo Volume Controller 3.0", text).has_value());
    }
    wchar_t read[64] = {};
    DWORD size = sizeof(read);
    DWORD type = 0;
    HKEY raw = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\KobWideTest", 0, KEY_READ, &raw), ERROR_SUCCESS);
    EXPECT_EQ(
        RegQueryValueExW(raw, L"Drovo Volume Controller 3.0", nullptr, &type, reinterpret_cast<BYTE*>(read), &size),
        ERROR_SUCCESS);
    RegCloseKey(raw);
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\KobWideTest");
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(size, (text.size() + 1) * 2);
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(read)), text);
}

} // namespace
} // namespace kob::test
