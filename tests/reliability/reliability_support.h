// What the reliability tests share: the messages as the user reads them, file contents, and checks on a
// profile folder (leftover temporary files, attributes, a disk filled to the brim).
#pragma once

#include "common/notice.h"
#include "test_support.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

inline const Notice kRestoredNotice{L"成功恢复备份数据，请重启浏览器后查看收藏夹", L"提示", NoticeIcon::Information};
inline const Notice kUndoneNotice{L"成功撤消恢复", L"提示", NoticeIcon::Information};
inline const Notice kNothingToUndoNotice{L"未启动恢复，无需撤消恢复", L"提示", NoticeIcon::Information};
inline const Notice kNothingSelectedNotice{L"未选中需要恢复的收藏文件，请重新选择", L"错误", NoticeIcon::Error};
inline const Notice kBrowserRunningNotice{L"检测到搜狗浏览器正在运行，请关闭搜狗浏览器再操作", L"错误",
                                          NoticeIcon::Error};

// The failure messages: what failed, then the system's reason after these words.
inline constexpr wchar_t kSaveUndoCopyFailed[] =
    L"无法保存撤消用的收藏夹副本（Favorite2Backup.dat），收藏夹没有改动。\n\n原因：";
inline constexpr wchar_t kRestoreBackupFailed[] =
    L"无法用所选备份替换收藏夹文件（Favorite2.dat），收藏夹没有改动。\n\n原因：";
inline constexpr wchar_t kRestoreUndoCopyFailed[] =
    L"无法用撤消副本恢复收藏夹文件（Favorite2.dat），收藏夹没有改动。\n\n原因：";
inline constexpr wchar_t kDeleteUndoCopyFailed[] =
    L"收藏夹已恢复为原来的数据，但无法删除撤消副本（Favorite2Backup.dat），下次撤消恢复时会再用它恢复一次。\n\n原因：";

// True for an error notice that starts with `prefix` and goes on with a reason.
bool IsFailure(const Notice& notice, std::wstring_view prefix);
// The notice as one line of text, for failure output.
std::string Describe(const Notice& notice);

// `size` bytes that no other (size, seed) pair gives, starting with a readable label.
std::string Pattern(std::size_t size, std::uint32_t seed);

// What a file holds, read piece by piece (a whole large file in memory is slow under Wine): -1 when it is
// absent, the index of the content in `contents` that it equals, or contents.size() for anything else.
int Identify(const std::wstring& path, const std::vector<const std::string*>& contents);

// Names in `folder` that a copy in progress uses for its temporary files.
std::vector<std::wstring> Temporaries(const std::wstring& folder);
bool IsHidden(const std::wstring& path);
bool IsReadOnly(const std::wstring& path);

// A file that takes all the free space of the file system holding `folder`, then gives back
// `leaveFreeBytes`; deleted with the object.
class DiskFiller {
public:
    DiskFiller(const std::wstring& folder, std::uint64_t leaveFreeBytes);
    DiskFiller(const DiskFiller&) = delete;
    DiskFiller& operator=(const DiskFiller&) = delete;
    ~DiskFiller();

    // Takes again whatever room deleted files gave back.
    void Fill();

private:
    std::wstring path_;
    UniqueFileHandle file_;
};

// Free bytes of the file system holding `folder`.
std::uint64_t FreeBytes(const std::wstring& folder);

// The small file system that tmpfs.sh mounted on the Linux folder named by `variable`, as Wine's Z: drive
// shows it; empty when the variable is unset or nothing is mounted there.
std::wstring MountedFolder(const wchar_t* variable);

// APPDATA set for a test, and the old value put back at the end.
class AppDataScope {
public:
    explicit AppDataScope(const std::wstring& value);
    AppDataScope(const AppDataScope&) = delete;
    AppDataScope& operator=(const AppDataScope&) = delete;
    ~AppDataScope();

private:
    std::wstring old_;
};

// A new empty folder inside `parent`, removed with all it holds at the end.
class FolderIn {
public:
    explicit FolderIn(const std::wstring& parent);
    FolderIn(const FolderIn&) = delete;
    FolderIn& operator=(const FolderIn&) = delete;
    ~FolderIn();

    const std::wstring& Path() const { return path_; }
    std::wstring operator/(std::wstring_view name) const { return path_ + L'\\' + std::wstring(name); }

private:
    std::wstring path_;
};
