// The instance guard against real processes: copies of the guard probe named kob3.0.exe.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "RealSystemPlatform.h"
#include "WinTestFiles.h"
#include "fakes/FakeServices.h"
#include "platform/InstanceGuard.h"

namespace kob::test {
namespace {

constexpr DWORD kPatienceMs = 30000;

// One started probe; ended and released when the test is over.
class Probe {
public:
    // A suspended probe starts running at Resume(); "mode" follows the event's name on its command line.
    Probe(const std::string& executable, const std::string& eventName, bool suspended = false,
          const std::string& mode = "") {
        passed_ = CreateEventA(nullptr, TRUE, FALSE, eventName.c_str());
        std::string commandLine = "\"" + executable + "\" " + eventName + (mode.empty() ? "" : " " + mode);
        STARTUPINFOA startup{};
        startup.cb = sizeof(startup);
        started_ = CreateProcessA(executable.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                                  suspended ? CREATE_SUSPENDED : 0, nullptr, nullptr, &startup, &info_) != FALSE;
    }
    Probe(const Probe&) = delete;
    Probe& operator=(const Probe&) = delete;
    ~Probe() {
        if (started_) {
            TerminateProcess(info_.hProcess, 1);
            WaitForSingleObject(info_.hProcess, kPatienceMs);
            CloseHandle(info_.hThread);
            CloseHandle(info_.hProcess);
        }
        CloseHandle(passed_);
    }
    bool started() const { return started_; }
    void Resume() const { ResumeThread(info_.hThread); }
    // Waits until the probe has either got past the guard or ended; true when it got past.
    bool WaitOutcome() const {
        const HANDLE either[] = {passed_, info_.hProcess};
        return WaitForMultipleObjects(2, either, FALSE, kPatienceMs) == WAIT_OBJECT_0;
    }
    DWORD id() const { return info_.dwProcessId; }
    // True when the probe got past the guard.
    bool WaitPassed() const { return WaitForSingleObject(passed_, kPatienceMs) == WAIT_OBJECT_0; }
    bool WaitEnded() const { return WaitForSingleObject(info_.hProcess, kPatienceMs) == WAIT_OBJECT_0; }
    DWORD ExitCode() const {
        DWORD code = 0;
        GetExitCodeProcess(info_.hProcess, &code);
        return code;
    }
    bool HasPassed() const { return WaitForSingleObject(passed_, 0) == WAIT_OBJECT_0; }

private:
    HANDLE passed_ = nullptr;
    PROCESS_INFORMATION info_{};
    bool started_ = false;
};

std::string EventName(const char* role) {
    return "KobGuardProbe-" + std::to_string(GetCurrentProcessId()) + "-" + role;
}

class InstanceGuardWinTest : public ::testing::Test {
protected:
    std::string probe = TestProgramFolder() + "\\GuardProbe.exe";
    ScratchFolder first{"kobguard-a"};
    ScratchFolder second{"kobguard-b"};
};

TEST_F(InstanceGuardWinTest, SecondCopyInTheSameFolderEndsSilentlyWithItsOwnProcessId) {
    const std::string copy = first.Copy(probe, "kob3.0.exe");
    Probe running(copy, EventName("first"));
    ASSERT_TRUE(running.started());
    ASSERT_TRUE(running.WaitPassed());

    Probe again(copy, EventName("second"));
    ASSERT_TRUE(again.started());
    ASSERT_TRUE(again.WaitEnded());
    EXPECT_EQ(again.ExitCode(), again.id());
    EXPECT_FALSE(again.HasPassed());
    EXPECT_EQ(FindWindowA("#32770", "Drovo Volume Controller 3.0"), nullptr);

    // The copy that was already running does not scan again and keeps running.
    EXPECT_EQ(running.ExitCode(), static_cast<DWORD>(STILL_ACTIVE));
}

TEST_F(InstanceGuardWinTest, OfTwoCopiesStartedTogetherExactlyOneRunsEveryTime) {
    const std::string copy = first.Copy(probe, "kob3.0.exe");
    // Every other time the second copy is started through the 8.3 form of the path, in capitals.
    char shortForm[MAX_PATH + 1] = {};
    ASSERT_GT(GetShortPathNameA(copy.c_str(), shortForm, MAX_PATH), 0u);
    CharUpperA(shortForm);
    ASSERT_NE(std::string(shortForm), copy);
    for (int round = 0; round < 10; ++round) {
        SCOPED_TRACE(round);
        const std::string tag = std::to_string(round);
        Probe one(copy, EventName(("one-" + tag).c_str()), true);
        Probe other(round % 2 ? shortForm : copy, EventName(("other-" + tag).c_str()), true);
        ASSERT_TRUE(one.started() && other.started());
        one.Resume();
        other.Resume();
        const bool onePassed = one.WaitOutcome();
        const bool otherPassed = other.WaitOutcome();
        ASSERT_NE(onePassed, otherPassed) << "exactly one copy gets past the guard";
        const Probe& ended = onePassed ? other : one;
        const Probe& running = onePassed ? one : other;
        ASSERT_TRUE(ended.WaitEnded());
        EXPECT_EQ(ended.ExitCode(), ended.id());
        EXPECT_EQ(running.ExitCode(), static_cast<DWORD>(STILL_ACTIVE));
    }
    EXPECT_EQ(FindWindowA("#32770", "Drovo Volume Controller 3.0"), nullptr);
}

TEST_F(InstanceGuardWinTest, ACopyWhoseMainThreadDiedDoesNotKeepTheNextOneOut) {
    const std::string copy = first.Copy(probe, "kob3.0.exe");
    Probe crashed(copy, EventName("crashed"), false, "lose-main-thread");
    ASSERT_TRUE(crashed.WaitPassed()) << "its main thread is gone";
    EXPECT_EQ(crashed.ExitCode(), static_cast<DWORD>(STILL_ACTIVE)) << "it is still in the process list";

    Probe next(copy, EventName("next"));
    EXPECT_TRUE(next.WaitPassed());
    Probe again(copy, EventName("again"));
    ASSERT_TRUE(again.WaitEnded());
    EXPECT_EQ(again.ExitCode(), again.id()) << "a second copy still ends while a live one runs";
    EXPECT_FALSE(again.HasPassed());
}

TEST_F(InstanceGuardWinTest, CopiesInAnotherFolderOrUnderAnotherNameRunSideBySide) {
    Probe running(first.Copy(probe, "kob3.0.exe"), EventName("first"));
    ASSERT_TRUE(running.WaitPassed());

    Probe elsewhere(second.Copy(probe, "kob3.0.exe"), EventName("elsewhere"));
    EXPECT_TRUE(elsewhere.WaitPassed());
    Probe renamed(first.Copy(probe, "kob30.exe"), EventName("renamed"));
    EXPECT_TRUE(renamed.WaitPassed());
    Probe renamedAgain(first.Copy(probe, "kob30.exe"), EventName("renamed-again"));
    EXPECT_TRUE(renamedAgain.WaitPassed()); // only "kob3.0.exe" is ever counted

    for (const Probe* copy : {&running, &elsewhere, &renamed, &renamedAgain}) {
        EXPECT_EQ(copy->ExitCode(), static_cast<DWORD>(STILL_ACTIVE));
    }
}

TEST(Win32ProcessList, SnapshotListsThisProcessAndTheScanReadsRealExecutablePaths) {
    RealSystemPlatform p;
    const std::vector<std::uint32_t> snapshot = p.processList.ListIds();
    ASSERT_GE(snapshot.size(), 5u) << "more than the first room of four: the room has grown";
    EXPECT_NE(std::find(snapshot.begin(), snapshot.end(), GetCurrentProcessId()), snapshot.end());
    EXPECT_EQ(std::find(snapshot.begin() + 1, snapshot.end(), 0u), snapshot.end()) << "nothing beyond the delivered";
    const ProcessIds list = ListProcessIds(p.processList);
    EXPECT_NE(std::find(list.begin(), list.end(), GetCurrentProcessId()), list.end());
    EXPECT_TRUE(p.messages.shown.empty());

    // This test program is not kob3.0.exe: the scan passes.
    EXPECT_FALSE(IsAlreadyRunning(p.processList, p.modulePath, list, MutexOwnership::Unavailable));

    // The adapter reads this process's own executable as GetModuleFileNameA names it.
    EXPECT_EQ(p.processList.ExecutableOf(GetCurrentProcessId()), p.modulePath.ExecutablePath());
    EXPECT_EQ(p.processList.ExecutableOf(0), ""); // the idle process cannot be opened
}

// A system of that many processes (identifiers 4, 8, 12, ...) for EnumProcesses, refusing the calls it is told
// to (counted from 1); it keeps the room of each call, in identifiers.
struct CountingSnapshot {
    DWORD processes = 0;
    std::function<bool(int call)> refuses;
    std::vector<DWORD> rooms;
};
CountingSnapshot* g_snapshot = nullptr;

BOOL WINAPI CountingEnumProcesses(DWORD* ids, DWORD roomBytes, DWORD* deliveredBytes) {
    CountingSnapshot& system = *g_snapshot;
    system.rooms.push_back(roomBytes / sizeof(DWORD));
    if (system.refuses && system.refuses(static_cast<int>(system.rooms.size()))) {
        return FALSE;
    }
    const DWORD count = std::min<DWORD>(system.processes, roomBytes / sizeof(DWORD));
    for (DWORD i = 0; i < count; ++i) {
        ids[i] = (i + 1) * 4;
    }
    *deliveredBytes = count * sizeof(DWORD);
    return TRUE;
}

TEST(Win32ProcessList, TheRoomDoublesFromFourUntilTheSystemLeavesSomeFreeAndARefusalListsNothing) {
    const struct {
        const char* what;
        DWORD processes;
        std::function<bool(int)> refuses;
        std::vector<DWORD> rooms;
        std::size_t listed;
    } rows[] = {
        {"three processes fit the first room", 3, nullptr, {4}, 3},
        {"four fill it: asked again", 4, nullptr, {4, 8}, 4},
        {"forty", 40, nullptr, {4, 8, 16, 32, 64}, 40},
        {"always refused: asked until the room passes 24", 40, [](int) { return true; }, {4, 8, 16, 32}, 0},
        {"refused after growing: nothing of the earlier rooms",
         60,
         [](int call) { return call >= 5; },
         {4, 8, 16, 32, 64},
         0},
        {"refused once, then delivered", 40, [](int call) { return call == 1; }, {4, 8, 16, 32, 64}, 40},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        CountingSnapshot system{row.processes, row.refuses, {}};
        g_snapshot = &system;
        const std::vector<std::uint32_t> ids = Win32ProcessList(&CountingEnumProcesses).ListIds();
        g_snapshot = nullptr;
        EXPECT_EQ(system.rooms, row.rooms);
        ASSERT_EQ(ids.size(), row.listed);
        if (!ids.empty()) {
            EXPECT_EQ(ids.front(), 4u);
            EXPECT_EQ(ids.back(), row.listed * 4);
        }
    }
}

// Names of the functions this program imports from one DLL, read from its own import table.
std::vector<std::string> ImportsFrom(const char* dll) {
    const auto* base = reinterpret_cast<const BYTE*>(GetModuleHandleA(nullptr));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const auto& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    std::vector<std::string> names;
    for (auto* entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress);
         entry->Name != 0; ++entry) {
        if (lstrcmpiA(reinterpret_cast<const char*>(base + entry->Name), dll) != 0) {
            continue;
        }
        for (auto* thunk = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + entry->OriginalFirstThunk);
             thunk->u1.AddressOfData != 0; ++thunk) {
            if (!IMAGE_SNAP_BY_ORDINAL(thunk->u1.Ordinal)) {
                names.emplace_back(reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + thunk->u1.AddressOfData)->Name);
            }
        }
    }
    return names;
}

// Windows 2000 and XP have the process functions only in psapi.dll, which the adapter loads from the system folder
// (the listing above works with it); kernel32's K32 names came with Windows 7.
TEST(Win32ProcessList, ProcessFunctionsComeFromTheSystemsPsapiNotKernel32) {
    EXPECT_TRUE(ImportsFrom("psapi.dll").empty()) << "not imported: a psapi.dll beside the program would load";
    for (const auto& name : ImportsFrom("kernel32.dll")) {
        EXPECT_NE(name.rfind("K32", 0), 0u) << name;
    }
}

} // namespace
} // namespace kob::test
