#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace kob {

// The family of the running Windows. Only the NT family (Windows 2000, XP and every later one) runs the program.
enum class WindowsPlatform { Win32s, Windows9x, NtFamily };

// What became of an attempt to own a named mutex: owned by the calling thread (also when a thread that owned it
// ended without releasing it), owned by a thread that is still running, or not to be had at all.
enum class MutexOwnership { Owned, OwnedElsewhere, Unavailable };

// Version, folders and identity of the running system and process, one system call per operation.
class SystemInfoService {
public:
    virtual ~SystemInfoService() = default;
    // The platform the system reports; the least when it reports none. Families the program does not know of count
    // as the NT family.
    virtual WindowsPlatform ReadPlatform() = 0;
    // The Windows system folder without a trailing backslash; none when the system does not tell it, or tells one
    // longer than the program reads.
    virtual std::optional<std::string> ReadSystemFolder() = 0;
    virtual std::uint32_t GetCurrentProcessId() = 0;
    // Creates the named mutex, or opens it where it exists, without owning it; it stays open as long as the
    // process runs.
    virtual void CreateNamedMutex(const std::string& name) = 0;
    // Opens or creates the named mutex and tries to own it without waiting. An owned mutex stays open and owned
    // by the calling thread until that thread ends.
    virtual MutexOwnership TakeNamedMutex(const std::string& name) = 0;
};

} // namespace kob
