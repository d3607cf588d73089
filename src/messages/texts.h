// Every caption, message and fixed name that the program shows or composes, in one place.
#pragma once

namespace texts {

// Message box captions.
inline constexpr wchar_t kCaptionError[] = L"错误";
inline constexpr wchar_t kCaptionNotice[] = L"提示";
inline constexpr wchar_t kCaptionAdminError[] = L"Error";

// Names on disk, in the registry and in the process list.
inline constexpr wchar_t kSharedProfileFolder[] = L"\\sogouexplorer";
inline constexpr wchar_t kDailyBackup[] = L"DailyBackup";
inline constexpr wchar_t kBackup[] = L"Backup";
inline constexpr wchar_t kFavoritesFile[] = L"Favorite2.dat";
inline constexpr wchar_t kUndoCopyFile[] = L"Favorite2Backup.dat";
inline constexpr wchar_t kBackupPattern[] = L"Favorite2*.*";
inline constexpr wchar_t kScanPattern[] = L"*.*";
inline constexpr wchar_t kBrowserProcessName[] = L"Sogouexplorer.exe";
inline constexpr wchar_t kBrowserExecutable[] = L"\\sogouexplorer.exe";
inline constexpr wchar_t kBrowserRegistryKey[] = L"SOFTWARE\\SogouExplorer";
inline constexpr wchar_t kLibraryFile[] = L"MSCOMCTL.OCX";

// Main window.
inline constexpr wchar_t kMainCaption[] = L"收藏夹备份恢复";
inline constexpr wchar_t kHaveAccount[] = L"我有搜狗浏览器账户";
inline constexpr wchar_t kNoAccount[] = L"我没搜狗浏览器账户";
inline constexpr wchar_t kBrowserRunningAtStart[] = L"检测到搜狗浏览器正在运行，请先关闭搜狗浏览器后再启动工具";
inline constexpr wchar_t kRunAsAdministrator[] =
    L"错误提示：Vista 或者Win7 "
    L"系统的用户，请右键选择“以管理员身份运行”Quillbarrow.exe重新打开工具。单击“确认”关闭工具。";

// Both restore windows.
inline constexpr wchar_t kChooseBackupFolder[] = L"选择备份目录（默认DailyBackup）：";
inline constexpr wchar_t kRestore[] = L"恢复";
inline constexpr wchar_t kUndoRestore[] = L"撤消恢复";
inline constexpr wchar_t kStartBrowser[] = L"启动搜狗浏览器";

// Account window.
inline constexpr wchar_t kAccountCaption[] = L"账户收藏恢复";
inline constexpr wchar_t kFindBackupsFrame[] = L"查找备份";
inline constexpr wchar_t kEnterAccountLabel[] = L"输入搜狗浏览器账号(登录邮箱)：";
inline constexpr wchar_t kFind[] = L"查找";
inline constexpr wchar_t kResultsLabel[] =
    L"查找结果如下（如果找到例如Favorite2.dat.2012.02.27.22这样的文件则是收藏夹备份数据库）";
inline constexpr wchar_t kRestoreFrame[] = L"备份恢复";
inline constexpr wchar_t kAccountInstructions[] =
    L"鼠标选中左侧文件列表框内的收藏夹备份文件后，点击“恢复”按钮，提示成功恢复后，重启浏览器";
inline constexpr wchar_t kColumnName[] = L"文件名称";
inline constexpr wchar_t kColumnNumber[] = L"序号";
inline constexpr wchar_t kColumnSize[] = L"文件大小";
inline constexpr wchar_t kColumnTime[] = L"创建时间";
inline constexpr wchar_t kEnterAccount[] = L"请输入您的浏览器账户（邮件地址）";
inline constexpr wchar_t kEnterValidAddress[] = L"请输入正确的邮箱地址";
inline constexpr wchar_t kAccountFolderMissing[] = L"账户目录不存在，可能是输入了错误的账号，请重新输入账号";
inline constexpr wchar_t kAccountBackupFolderMissing[] = L"备份目录不存在，请选择其它备份目录";

// No-account window.
inline constexpr wchar_t kNoAccountCaption[] = L"本地收藏恢复";
inline constexpr wchar_t kNoAccountInstructions[] =
    L"鼠标选中上面文件列表框内的收藏夹备份文件后，点击“恢复”按钮，提示成功恢复后，重启再浏览器，看看收藏夹回来了没有。";
inline constexpr wchar_t kNoAccountFolderMissing[] = L"备份目录不存在，请选在其它备份目录";
// Without APPDATA (or with a relative one), where Windows cannot tell the user's roaming folder either.
inline constexpr wchar_t kNoRoamingFolder[] = L"找不到当前用户的 APPDATA 文件夹，\n也就找不到搜狗浏览器的收藏夹。";

// Restore and undo.
inline constexpr wchar_t kBrowserRunning[] = L"检测到搜狗浏览器正在运行，请关闭搜狗浏览器再操作";
inline constexpr wchar_t kBrowserUnchecked[] =
    L"无法确认搜狗浏览器是否正在运行，\n收藏夹没有改动。请关闭搜狗浏览器后再试。";
inline constexpr wchar_t kAnotherCopyWorking[] =
    L"另一个本工具窗口正在处理这个收藏夹，\n收藏夹没有改动。请等它做完再试。";
inline constexpr wchar_t kNothingSelected[] = L"未选中需要恢复的收藏文件，请重新选择";
inline constexpr wchar_t kBackupGone[] = L"所选的备份文件已经不在了，\n可能被删除或移走了。请重新选择。";
inline constexpr wchar_t kRestored[] = L"成功恢复备份数据，请重启浏览器后查看收藏夹";
inline constexpr wchar_t kUndone[] = L"成功撤消恢复";
inline constexpr wchar_t kNothingToUndo[] = L"未启动恢复，无需撤消恢复";
inline constexpr wchar_t kNotInBackupFolder[] = L"所选文件不在备份目录中，请重新选择";
inline constexpr wchar_t kBackupIsCurrent[] = L"所选备份与当前收藏夹完全相同，\n收藏夹没有改动。";
inline constexpr wchar_t kRestoreDamaged[] =
    L"所选备份文件不完整或已损坏，\n恢复后浏览器可能读不出收藏夹。\n仍要恢复吗？";
// The second line of the restore's and the undo's success messages: "<these words> <backup folder> 文件夹：", then
// the kept copy's name on a line of its own.
inline constexpr wchar_t kFavoritesKeptIn[] = L"恢复前的收藏夹已另存到";
inline constexpr wchar_t kFavoritesKeptBeforeUndoIn[] = L"撤消前的收藏夹已另存到";
inline constexpr wchar_t kKeptInFolderEnd[] = L"文件夹：";
inline constexpr wchar_t kReadBackupFailed[] = L"无法读取所选的备份文件，收藏夹没有改动。";
inline constexpr wchar_t kReadFavoritesFailed[] = L"无法读取当前的收藏夹文件\n（Favorite2.dat），收藏夹没有改动。";
inline constexpr wchar_t kWriteLeavesProfile[] =
    L"收藏夹文件夹里有指向别处的链接，\n"
    L"以管理员身份运行时，工具不会写到别处，\n"
    L"收藏夹没有改动。请不用管理员身份再试一次。";
inline constexpr wchar_t kKeepFavoritesFailed[] = L"无法把恢复前的收藏夹另存到备份目录中，\n收藏夹没有改动。";
inline constexpr wchar_t kKeepBeforeUndoFailed[] = L"无法把撤消前的收藏夹另存到备份目录中，\n收藏夹没有改动。";
inline constexpr wchar_t kSaveUndoCopyFailed[] =
    L"无法保存撤消用的收藏夹副本\n（Favorite2Backup.dat），收藏夹没有改动。";
inline constexpr wchar_t kRestoreBackupFailed[] = L"无法用所选备份替换收藏夹文件\n（Favorite2.dat），收藏夹没有改动。";
inline constexpr wchar_t kRestoreUndoCopyFailed[] =
    L"无法用撤消副本恢复收藏夹文件\n（Favorite2.dat），收藏夹没有改动。";
inline constexpr wchar_t kDeleteUndoCopyFailed[] =
    L"收藏夹已恢复为原来的数据，\n但无法删除撤消副本（Favorite2Backup.dat），\n下次撤消恢复时会再用它恢复一次。";

// Account window, restore and undo.
inline constexpr wchar_t kSearchFirst[] = L"请先查找账户的备份目录";
// These words, the address whose backups the lists show on a line of its own, and these.
inline constexpr wchar_t kListedAccount[] = L"文件列表里是这个账户的备份：";
inline constexpr wchar_t kListedAccountEnd[] =
    L"不是输入框里的账户，收藏夹没有改动。\n要恢复输入框里的账户，请先点“查找”。";

// What a tip tells of a backup, on the lines after its name.
inline constexpr wchar_t kFactSize[] = L"文件大小：";
inline constexpr wchar_t kBytes[] = L"字节";
inline constexpr wchar_t kFactSavedAt[] = L"保存时间：";
// After the hour that a browser's backup name gives, which tells no minute.
inline constexpr wchar_t kFactHour[] = L"时";
inline constexpr wchar_t kFactSameAsFavorites[] = L"与当前收藏夹相同";
inline constexpr wchar_t kFactSameSizeOtherBytes[] = L"与当前收藏夹大小相同，内容不同";
inline constexpr wchar_t kFactFavoritesEmpty[] = L"当前收藏夹是空文件";
inline constexpr wchar_t kFactNoFavorites[] = L"当前没有收藏夹文件";
// Followed by why the favorites could not be read.
inline constexpr wchar_t kFactFavoritesUnread[] = L"现在读不出当前收藏夹，无法比较：";
// Followed by " <percent>%", or by the text for less than one per cent.
inline constexpr wchar_t kFactSmaller[] = L"比当前收藏夹小";
inline constexpr wchar_t kFactLarger[] = L"比当前收藏夹大";
inline constexpr wchar_t kFactPercent[] = L"%";
inline constexpr wchar_t kFactUnderOnePercent[] = L"不到 1%";
// "与 <name> 相同"; past the first few, "另有 <count> 份备份与它相同".
inline constexpr wchar_t kFactSameAs[] = L"与 ";
inline constexpr wchar_t kFactSameAsEnd[] = L" 相同";
inline constexpr wchar_t kFactMoreSameAs[] = L"另有 ";
inline constexpr wchar_t kFactMoreSameAsEnd[] = L" 份备份与它相同";
inline constexpr wchar_t kFactDamaged[] = L"文件不完整或已损坏";
// Followed by why the backup could not be read: one of the three after it, or the system's reason.
inline constexpr wchar_t kFactUnreadable[] = L"现在读不出这份备份：";
inline constexpr wchar_t kUnreadableInUse[] = L"另一个程序正在使用它";
inline constexpr wchar_t kUnreadableDenied[] = L"没有读取它的权限";
inline constexpr wchar_t kUnreadableGone[] = L"它已经不在了";
inline constexpr wchar_t kFactGone[] = L"这份备份已经不在备份目录里了";

// Browser launch.
inline constexpr wchar_t kLaunchNoInstallFolder[] =
    L"无法启动搜狗浏览器：\n"
    L"注册表中没有搜狗浏览器的安装目录\n"
    L"（HKLM\\SOFTWARE\\SogouExplorer），\n"
    L"请先安装搜狗浏览器。";
inline constexpr wchar_t kLaunchRegistryUnreadable[] =
    L"无法启动搜狗浏览器：\n"
    L"读不出注册表中搜狗浏览器的安装目录\n"
    L"（HKLM\\SOFTWARE\\SogouExplorer）。";
// These two are followed by the install folder on a line of its own, which the box does not break.
inline constexpr wchar_t kLaunchFileMissing[] = L"无法启动搜狗浏览器，\n安装文件夹里找不到 sogouexplorer.exe：";
inline constexpr wchar_t kLaunchFileMissingEnd[] = L"请重新安装搜狗浏览器。";
inline constexpr wchar_t kLaunchFailed[] = L"无法启动搜狗浏览器（sogouexplorer.exe），\n它所在的安装文件夹是：";
// What the system's reason calls the file that the message has named already.
inline constexpr wchar_t kThisFile[] = L"这个文件";

// Opening a restore window.
inline constexpr wchar_t kWindowFailed[] = L"无法打开窗口。";

// The reason, appended to a failure message: another program holds the file, or the system's own words.
inline constexpr wchar_t kReason[] = L"\n\n原因：";
inline constexpr wchar_t kFileInUse[] = L"另一个程序正在使用这个文件。\n请关闭那个程序（或搜狗浏览器）后再试。";
inline constexpr wchar_t kUnknownReason[] = L"错误代码 ";

}  // namespace texts
