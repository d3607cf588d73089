#include "account/account_folder.h"

#include "account/email_check.h"
#include "common/environment.h"
#include "common/file_exists.h"
#include "common/paths.h"
#include "common/texts.h"
#include "digest/md5.h"
#include "digest/utf16le.h"

std::wstring AccountProfileFolder(std::wstring_view address) {
    const std::string digest = DigestText(Utf16LeBytes(address), 32);
    return JoinPath(SharedProfileFolder(), std::wstring(digest.begin(), digest.end()));
}

AccountBackupFolder LocateAccountBackupFolder(std::wstring_view address, std::wstring_view backupFolderName) {
    const std::wstring profileFolder = AccountProfileFolder(address);
    if (address.empty()) return {{}, ErrorNotice(texts::kEnterAccount)};
    if (!IsValidEmail(address)) return {{}, ErrorNotice(texts::kEnterValidAddress)};
    if (!FolderExists(profileFolder)) return {{}, InformationNotice(texts::kAccountFolderMissing)};
    std::wstring backupFolder = JoinPath(profileFolder, backupFolderName);
    if (!FolderExists(backupFolder)) {
        return {{}, InformationNotice(std::wstring(backupFolderName) + texts::kAccountBackupFolderMissing)};
    }
    return {std::move(backupFolder), std::nullopt};
}
