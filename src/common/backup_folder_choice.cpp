#include "common/backup_folder_choice.h"

#include "common/texts.h"

void AddBackupFolderChoices(HWND comboBox) {
    SendMessageW(comboBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(texts::kDailyBackup));
    SendMessageW(comboBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(texts::kBackup));
    SendMessageW(comboBox, CB_SETCURSEL, 0, 0);
}
