// Who may change what the setup trusts: the rights of a token, and who may change a folder by its access list.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace setup {

// The user a process runs as, as the system tells it (a TOKEN_USER); empty when its token cannot be read.
std::vector<BYTE> UserOfProcess(HANDLE process);
// That user's SID; null for an empty one.
PSID SidOf(const std::vector<BYTE>& user);

// Whether the token carries an administrator's rights: the system account, or membership of Administrators that is
// enabled (an elevated token, an administrator's token without User Account Control, one started with Run as).
// The limited half of a split token has the group for denying only, and does not count.
bool HasAdministratorRights(HANDLE token);
// The same decision on the token's user and whether its membership of Administrators is enabled.
bool HasAdministratorRights(PSID user, bool administratorsEnabled);

// The rights that change a folder or what it holds; those that move it away (with its parent's right to create a
// folder, which users have in a drive's root); and those of its parent that move it away.
constexpr DWORD kChangeRights = FILE_WRITE_DATA | FILE_APPEND_DATA | FILE_WRITE_EA | FILE_WRITE_ATTRIBUTES |
                                FILE_DELETE_CHILD | DELETE | WRITE_DAC | WRITE_OWNER | GENERIC_WRITE | GENERIC_ALL;
constexpr DWORD kMoveChildRights = FILE_DELETE_CHILD | WRITE_DAC | WRITE_OWNER | GENERIC_ALL;
constexpr DWORD kMoveRights = kMoveChildRights | DELETE;

// Whether anyone but Administrators, the system, the system's installer and `trusted` (the administrator who runs
// the setup; may be null) has any of `rights` on what the descriptor guards. Its owner may always change its access
// list, and an absent list (no DACL) lets everyone do everything.
bool OthersMayChange(PSECURITY_DESCRIPTOR descriptor, PSID trusted, DWORD rights = kChangeRights);

// Whether anyone else could move the folder away, by a right on one of the folders it lies in: another folder of
// his own could then stand where the folder was.
bool OthersMayMoveAway(const std::wstring& folder);

// Gives a folder Administrators for owner and an access list of its own, no longer inherited: Administrators and the
// system change it, users read and run its files; its files and folders inherit it. True when afterwards nobody else
// but this process's user may change it.
bool LockFolderToAdministrators(const std::wstring& folder);

// Makes a new folder under `parent` that only this process's user may open, for a program run from it; its name is
// "kob3.0-<process>-<number>.tmp".
std::wstring MakePrivateFolder(const std::wstring& parent);

} // namespace setup
