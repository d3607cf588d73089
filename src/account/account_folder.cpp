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

LocatedSource LocateAccountBackupFolder(std::wstring_view address, BackupFolderKind backupFolder) {
    BackupSource source{AccountProfileFolder(address), backupFolder};
    if (address.empty()) return {{}, ErrorNotice(texts::kEnterAccount)};
    if (!IsValidEmail(address)) return {{}, ErrorNotice(texts::kEnterValidAddress)};
    if (!FolderExists(source.profileFolder)) return {{}, InformationNotice(texts::kAccountFolderMissing)};
    if (!FolderExists(BackupFolderPath(source))) {
        const std::wstring name(BackupFolderName(backupFolder));
        return {{}, InformationNotice(name + texts::kAccountBackupFolderMissing)};
    }
    return {std::move(source), std::nullopt};
}
