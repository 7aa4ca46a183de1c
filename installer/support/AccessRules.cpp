#include "AccessRules.h"

#include <aclapi.h>
#include <sddl.h>

#include <vector>

namespace setup {

namespace {

// Administrators and the system change it, users read and run; inherited by everything in it.
constexpr const wchar_t* kAdministratorsOnly = L"O:BAD:P(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)(A;OICI;0x1200a9;;;BU)";
// The installer service of Windows Vista and later, which owns the system's own folders.
constexpr const wchar_t* kTrustedInstaller = L"S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464";

class LocalMemory {
public:
    LocalMemory() = default;
    LocalMemory(const LocalMemory&) = delete;
    LocalMemory& operator=(const LocalMemory&) = delete;
    ~LocalMemory() { LocalFree(memory_); }
    void** Out() { return &memory_; }
    void* get() const { return memory_; }

private:
    void* memory_ = nullptr;
};

bool IsWellKnown(PSID sid, WELL_KNOWN_SID_TYPE type) {
    BYTE buffer[SECURITY_MAX_SID_SIZE];
    DWORD size = sizeof(buffer);
    return CreateWellKnownSid(type, nullptr, buffer, &size) && EqualSid(sid, buffer);
}

bool IsTrustedInstaller(PSID sid) {
    LocalMemory installer;
    return ConvertStringSidToSidW(kTrustedInstaller, installer.Out()) && EqualSid(sid, installer.get());
}

bool MayChangeAnything(PSID sid) {
    return IsWellKnown(sid, WinBuiltinAdministratorsSid) || IsWellKnown(sid, WinLocalSystemSid) ||
           IsTrustedInstaller(sid);
}

std::vector<BYTE> TokenPart(HANDLE token, TOKEN_INFORMATION_CLASS part) {
    DWORD size = 0;
    GetTokenInformation(token, part, nullptr, 0, &size);
    std::vector<BYTE> data(size);
    if (size == 0 || !GetTokenInformation(token, part, data.data(), size, &size)) {
        data.clear();
    }
    return data;
}

// A drive's root ("C:") or a network share's ("\\\\server\\share").
bool IsRoot(const std::wstring& path) {
    if (path.size() == 2 && path[1] == L':') {
        return true;
    }
    if (path.compare(0, 2, L"\\\\") != 0) {
        return false;
    }
    const std::size_t server = path.find(L'\\', 2);
    return server == std::wstring::npos || path.find(L'\\', server + 1) == std::wstring::npos;
}

} // namespace

std::vector<BYTE> UserOfProcess(HANDLE process) {
    HANDLE token = nullptr;
    if (!OpenProcessToken(process, TOKEN_QUERY, &token)) {
        return {};
    }
    std::vector<BYTE> user = TokenPart(token, TokenUser);
    CloseHandle(token);
    return user;
}

PSID SidOf(const std::vector<BYTE>& user) {
    return user.empty() ? nullptr : reinterpret_cast<const TOKEN_USER*>(user.data())->User.Sid;
}

bool HasAdministratorRights(PSID user, bool administratorsEnabled) {
    return administratorsEnabled || (user && IsWellKnown(user, WinLocalSystemSid));
}

bool HasAdministratorRights(HANDLE token) {
    const std::vector<BYTE> user = TokenPart(token, TokenUser);
    // The membership test wants an impersonation token; a process's own token is a primary one.
    HANDLE impersonation = nullptr;
    if (user.empty() || !DuplicateToken(token, SecurityIdentification, &impersonation)) {
        return true; // what cannot be told is taken for the stronger rights: nothing then starts with them
    }
    BYTE administrators[SECURITY_MAX_SID_SIZE];
    DWORD size = sizeof(administrators);
    BOOL member = TRUE;
    if (!CreateWellKnownSid(WinBuiltinAdministratorsSid, nullptr, administrators, &size) ||
        !CheckTokenMembership(impersonation, administrators, &member)) {
        member = TRUE;
    }
    CloseHandle(impersonation);
    return HasAdministratorRights(SidOf(user), member != FALSE);
}

bool OthersMayChange(PSECURITY_DESCRIPTOR descriptor, PSID trusted, DWORD rights) {
    const auto mayChange = [trusted](PSID sid) {
        return MayChangeAnything(sid) || (trusted && EqualSid(sid, trusted));
    };
    PSID owner = nullptr;
    BOOL defaulted = FALSE;
    BOOL present = FALSE;
    PACL dacl = nullptr;
    if (!GetSecurityDescriptorOwner(descriptor, &owner, &defaulted) || (owner && !mayChange(owner)) ||
        !GetSecurityDescriptorDacl(descriptor, &present, &dacl, &defaulted) || !present || !dacl) {
        return true;
    }
    for (DWORD i = 0; i < dacl->AceCount; ++i) {
        void* entry = nullptr;
        if (!GetAce(dacl, i, &entry)) {
            return true;
        }
        const auto* header = static_cast<const ACE_HEADER*>(entry);
        if (header->AceType != ACCESS_ALLOWED_ACE_TYPE || (header->AceFlags & INHERIT_ONLY_ACE)) {
            continue;
        }
        auto* allowed = static_cast<ACCESS_ALLOWED_ACE*>(entry);
        if ((allowed->Mask & rights) && !mayChange(reinterpret_cast<PSID>(&allowed->SidStart))) {
            return true;
        }
    }
    return false;
}

bool LockFolderToAdministrators(const std::wstring& folder) {
    LocalMemory wanted;
    BOOL present = FALSE;
    BOOL defaulted = FALSE;
    PACL dacl = nullptr;
    PSID owner = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(kAdministratorsOnly, SDDL_REVISION_1, wanted.Out(),
                                                              nullptr) ||
        !GetSecurityDescriptorDacl(wanted.get(), &present, &dacl, &defaulted) ||
        !GetSecurityDescriptorOwner(wanted.get(), &owner, &defaulted)) {
        return false;
    }
    std::wstring path = folder;
    if (SetNamedSecurityInfoW(path.data(), SE_FILE_OBJECT,
                              OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION |
                                  PROTECTED_DACL_SECURITY_INFORMATION,
                              owner, nullptr, dacl, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const std::vector<BYTE> user = UserOfProcess(GetCurrentProcess());
    LocalMemory held;
    return !user.empty() &&
           GetNamedSecurityInfoW(path.data(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION,
                                 nullptr, nullptr, nullptr, nullptr, held.Out()) == ERROR_SUCCESS &&
           !OthersMayChange(held.get(), SidOf(user));
}

bool OthersMayMoveAway(const std::wstring& folder) {
    const std::vector<BYTE> user = UserOfProcess(GetCurrentProcess());
    if (user.empty()) {
        return true;
    }
    const PSID trusted = SidOf(user);
    std::wstring path = folder;
    for (std::size_t slash = path.rfind(L'\\'); slash != std::wstring::npos && slash > 1; slash = path.rfind(L'\\')) {
        path.resize(slash);
        const bool root = IsRoot(path);
        std::wstring name = path.size() == 2 ? path + L"\\" : path;
        LocalMemory descriptor;
        if (GetNamedSecurityInfoW(name.data(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION,
                                  nullptr, nullptr, nullptr, nullptr, descriptor.Out()) != ERROR_SUCCESS ||
            OthersMayChange(descriptor.get(), trusted, root ? kMoveChildRights : kMoveRights)) {
            return true;
        }
        if (root) {
            break;
        }
    }
    return false;
}

std::wstring MakePrivateFolder(const std::wstring& parent) {
    const std::vector<BYTE> user = UserOfProcess(GetCurrentProcess());
    LocalMemory sidText;
    if (user.empty() || !ConvertSidToStringSidW(SidOf(user), reinterpret_cast<LPWSTR*>(sidText.Out()))) {
        return {};
    }
    const std::wstring text = std::wstring(L"D:P(A;OICI;FA;;;") + static_cast<const wchar_t*>(sidText.get()) + L")";
    LocalMemory descriptor;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(text.c_str(), SDDL_REVISION_1, descriptor.Out(),
                                                              nullptr)) {
        return {};
    }
    SECURITY_ATTRIBUTES attributes{sizeof(attributes), descriptor.get(), FALSE};
    // A name nobody can have made beforehand with other rights: a folder that exists already is never taken.
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        const std::wstring folder = parent + L"\\kob3.0-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                                    std::to_wstring(GetTickCount() + attempt) + L".tmp";
        if (CreateDirectoryW(folder.c_str(), &attributes)) {
            return folder;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS) {
            return {};
        }
    }
    return {};
}

} // namespace setup
