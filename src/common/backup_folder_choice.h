// The folder chooser of both restore windows: the browser's two backup folders.
#pragma once

#include <windows.h>

// Fills a drop-down list with "DailyBackup" and "Backup", in that order, and chooses the first without
// notifying the window.
void AddBackupFolderChoices(HWND comboBox);
