#include "account/account_search.h"

#include "account/email_check.h"
#include "filesystem/file_exists.h"
#include "messages/texts.h"

Located<Profile> LocateAccount(std::wstring_view address, BackupFolderKind backupFolder) {
    if (address.empty()) return {std::nullopt, ErrorNotice(texts::kEnterAccount)};
    if (!IsValidEmail(address)) return {std::nullopt, ErrorNotice(texts::kEnterValidAddress)};
    Located<Profile> account = Profile::OfAccount(address);
    if (!account.found) return account;
    if (!FolderExists(account.found->Folder())) return {std::nullopt, InformationNotice(texts::kAccountFolderMissing)};
    if (!FolderExists(account.found->BackupFolder(backupFolder))) {
        const std::wstring name(BackupFolderName(backupFolder));
        return {std::nullopt, InformationNotice(name + texts::kAccountBackupFolderMissing)};
    }
    return account;
}

std::optional<Notice> OtherAccountRefusal(std::wstring_view typed, std::wstring_view listed) {
    if (listed.empty() || typed == listed) return std::nullopt;
    return ErrorNotice(texts::kListedAccount + (L'\n' + std::wstring(listed) + L'\n') + texts::kListedAccountEnd);
}
