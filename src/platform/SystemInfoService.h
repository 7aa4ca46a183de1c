#pragma once

#include <cstdint>
#include <string>

namespace kob {

inline constexpr std::uint32_t kPlatformWin32s = 0;
inline constexpr std::uint32_t kPlatformWin32Windows = 1;
inline constexpr std::uint32_t kPlatformWin32Nt = 2;

// What became of an attempt to own a named mutex: owned by the calling thread (also when a thread that owned it
// ended without releasing it), owned by a thread that is still running, or not to be had at all.
enum class MutexOwnership { Owned, OwnedElsewhere, Unavailable };

// The published OSVERSIONINFOA, field by field.
struct OsVersionInfo {
    std::uint32_t osVersionInfoSize = 0;
    std::uint32_t majorVersion = 0;
    std::uint32_t minorVersion = 0;
    std::uint32_t buildNumber = 0;
    std::uint32_t platformId = 0;
    std::string csdVersion;
};

// Version, folders and identity of the running system and process, one kernel32 call per operation.
class SystemInfoService {
public:
    virtual ~SystemInfoService() = default;
    // GetVersionExA on a record holding these fields; the record is copied back whatever the call returned.
    virtual bool ReadVersion(OsVersionInfo& info) = 0;
    // GetSystemDirectoryA(buffer, size) into the caller's buffer; size never exceeds the buffer's length.
    virtual std::uint32_t ReadSystemDirectory(std::string& buffer, std::uint32_t size) = 0;
    virtual std::uint32_t GetCurrentProcessId() = 0;
    // CreateMutexA(no security attributes, initialOwner, name): the handle number, 0 on failure.
    virtual std::uintptr_t CreateNamedMutex(bool initialOwner, const std::string& name) = 0;
    // Opens or creates the named mutex and tries to own it without waiting. An owned mutex stays open and owned
    // by the calling thread until that thread ends.
    virtual MutexOwnership TakeNamedMutex(const std::string& name) = 0;
};

} // namespace kob
