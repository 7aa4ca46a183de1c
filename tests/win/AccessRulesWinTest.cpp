// The setup's rules of who may change what it trusts, on stand-in tokens and access lists, since Wine runs every
// process as an administrator and keeps no folder's access list of Windows's; and the names it refuses, which Wine
// refuses to make anyway.
#include <windows.h>

#include <sddl.h>

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "../../installer/support/AccessRules.h"
#include "../../installer/support/FolderNames.h"
#include "WinTestFiles.h"

namespace {

TEST(AccessRules, OnlyAdministratorsTheSystemAndTheInstallerServiceMayChangeATrustedFolder) {
    PSID other = nullptr; // another user, or the administrator who runs the setup
    ASSERT_TRUE(ConvertStringSidToSidW(L"S-1-5-21-1-2-3-1001", &other));
    const struct {
        const wchar_t* sddl;
        bool othersMayChange;
        PSID trusted = nullptr;
        DWORD rights = setup::kChangeRights;
    } folders[] = {
        // Program Files on Windows 7: the installer service and the administrators change it, users read and run.
        {L"O:S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464D:PAI(A;;FA;;;S-1-5-80-956008885-"
         L"3418522649-1831038044-1853292631-2271478464)(A;OICIIO;GA;;;CO)(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)"
         L"(A;OICI;0x1200a9;;;BU)",
         false},
        // A folder made under a drive's root inherits "Modify" for every authenticated user.
        {L"O:BAD:AI(A;ID;FA;;;BA)(A;ID;FA;;;SY)(A;ID;0x1301bf;;;AU)(A;ID;0x1200a9;;;BU)", true},
        // Rights to delete it, or to change its access list, are enough to replace what it holds.
        {L"O:BAD:(A;;FA;;;BA)(A;;0x10000;;;BU)", true},
        {L"O:BAD:(A;;FA;;;BA)(A;;0x40000;;;WD)", true},
        // A user's own rights: another user's count, the administrator's who runs the setup do not.
        {L"O:BAD:(A;;FA;;;BA)(A;;GW;;;S-1-5-21-1-2-3-1001)", true},
        {L"O:BAD:(A;;FA;;;BA)(A;;GW;;;S-1-5-21-1-2-3-1001)", false, other},
        // Its owner may always change its access list.
        {L"O:S-1-5-21-1-2-3-1001D:(A;;FA;;;BA)", true},
        // A right passed on to what is made inside, or one denied, gives nothing on the folder itself.
        {L"O:SYD:(A;;FA;;;BA)(A;OICIIO;FA;;;BU)(D;;FA;;;WD)", false},
        // Moving it away: a right to delete it, not the right to make folders beside it that users have in a root.
        {L"O:BAD:AI(A;ID;FA;;;BA)(A;ID;0x1301bf;;;AU)", true, nullptr, setup::kMoveRights},
        {L"O:SYD:(A;;FA;;;BA)(A;;0x1200ad;;;AU)", false, nullptr, setup::kMoveChildRights},
        // No access list at all lets everyone do everything.
        {L"O:BA", true},
    };
    for (const auto& folder : folders) {
        PSECURITY_DESCRIPTOR descriptor = nullptr;
        ASSERT_TRUE(
            ConvertStringSecurityDescriptorToSecurityDescriptorW(folder.sddl, SDDL_REVISION_1, &descriptor, nullptr));
        EXPECT_EQ(setup::OthersMayChange(descriptor, folder.trusted, folder.rights), folder.othersMayChange)
            << folder.sddl;
        LocalFree(descriptor);
    }
    LocalFree(other);
}

TEST(AccessRules, ALockedFolderLetsOnlyAdministratorsChangeItAndAPrivateFolderIsItsOwners) {
    const kob::test::ScratchFolder scratch("kob-access-rules");
    const std::wstring parent(scratch.path().begin(), scratch.path().end());
    const std::wstring locked = parent + L"\\locked";
    CreateDirectoryW(locked.c_str(), nullptr);
    EXPECT_TRUE(setup::LockFolderToAdministrators(locked));
    EXPECT_FALSE(setup::OthersMayMoveAway(locked));
    EXPECT_FALSE(setup::LockFolderToAdministrators(parent + L"\\absent"));
    const std::wstring first = setup::MakePrivateFolder(parent);
    const std::wstring second = setup::MakePrivateFolder(parent);
    EXPECT_FALSE(first.empty());
    EXPECT_NE(first, second);
    EXPECT_TRUE(setup::MakePrivateFolder(parent + L"\\absent").empty());
    RemoveDirectoryW(first.c_str());
    RemoveDirectoryW(second.c_str());
    RemoveDirectoryW(locked.c_str());
}

// A token with the Administrators group for denying only, as the limited half of a split token and the other users
// of Windows 2000/XP have it, next to this process's own (an administrator's under Wine).
TEST(AccessRules, AdministratorsRightsAreTheTokensEnabledMembership) {
    HANDLE own = nullptr;
    ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY | TOKEN_DUPLICATE | TOKEN_ASSIGN_PRIMARY, &own));
    EXPECT_TRUE(setup::HasAdministratorRights(own));
    BYTE administrators[SECURITY_MAX_SID_SIZE];
    DWORD size = sizeof(administrators);
    ASSERT_TRUE(CreateWellKnownSid(WinBuiltinAdministratorsSid, nullptr, administrators, &size));
    SID_AND_ATTRIBUTES denied{administrators, 0};
    HANDLE limited = nullptr;
    ASSERT_TRUE(CreateRestrictedToken(own, 0, 1, &denied, 0, nullptr, 0, nullptr, &limited));
    EXPECT_FALSE(setup::HasAdministratorRights(limited));
    CloseHandle(limited);
    CloseHandle(own);
    // The system account always, an enabled membership for anyone; a plain user and the services' accounts never.
    PSID user = nullptr;
    for (const auto& [sid, enabled, rights] :
         {std::tuple(L"S-1-5-18", false, true), std::tuple(L"S-1-5-21-1-2-3-1001", true, true),
          std::tuple(L"S-1-5-21-1-2-3-1001", false, false), std::tuple(L"S-1-5-19", false, false),
          std::tuple(L"S-1-5-20", false, false)}) {
        ASSERT_TRUE(ConvertStringSidToSidW(sid, &user));
        EXPECT_EQ(setup::HasAdministratorRights(user, enabled), rights) << sid;
        LocalFree(user);
    }
}

TEST(FolderNames, DevicesNamesAnywhereInThePathAndControlCharactersAreRefused) {
    for (const wchar_t* path : {L"C:\\CON", L"C:\\Apps\\nul.txt\\Drovo", L"C:\\lpt9 .log", L"C:\\Com1",
                                L"\\\\host\\share\\Aux", L"C:\\prn.a.b"}) {
        EXPECT_EQ(setup::FindNameFault(path), setup::NameFault::Device) << path;
    }
    EXPECT_EQ(setup::FindNameFault(L"C:\\Dro\x1fvo"), setup::NameFault::ControlCharacter);
    for (const wchar_t* path :
         {L"C:\\CONSOLE", L"C:\\COM10", L"C:\\COM0", L"C:\\LPT", L"C:\\Apps\\x.nul", L"C:\\Drovo Files"}) {
        EXPECT_EQ(setup::FindNameFault(path), setup::NameFault::None) << path;
    }
}

} // namespace
