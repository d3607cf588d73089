// Real files and real processes for the tests: temporary folders, file contents, links, helper processes, a full
// disk, and the messages of restore and undo as the user reads them.
#pragma once

#include "messages/notice.h"
#include "messages/texts.h"
#include "profile/profile.h"
#include "win32/unique_handle.h"

#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

using Names = std::vector<std::wstring>;

// A new empty folder in `parent` (default: the system's temporary folder), removed with all it holds at the end.
class TempFolder {
public:
    explicit TempFolder(std::wstring_view nameHint = L"qb", const std::wstring& parent = {});
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder();

    const std::wstring& Path() const { return path_; }
    std::wstring operator/(std::wstring_view name) const { return path_ + L'\\' + std::wstring(name); }

private:
    std::wstring path_;
};

void MakeFolders(const std::wstring& path);
void RemoveTree(const std::wstring& path);
void WriteBytes(const std::wstring& path, std::string_view bytes);
std::optional<std::string> ReadBytes(const std::wstring& path);
// A file of `size` bytes that are all zero but for `last`, its last byte, without writing the zeros.
void WriteSparse(const std::wstring& path, std::uint64_t size, char last);
// Every entry of a folder, hidden ones included, in name order.
Names ListNames(const std::wstring& folder);
DWORD Attributes(const std::wstring& path);
// Makes `link` a symbolic link to `target`: under Wine a Unix link (a file link shows as a plain file there, a folder
// link as a reparse point).
void MakeLink(const std::wstring& link, const std::wstring& target);
// The names in `folder` that a copy in progress gives its temporary files.
Names Temporaries(const std::wstring& folder);

std::string Utf8(std::wstring_view utf16);
// The entries of a list box, of this process or another.
Names Entries(HWND listBox);

// The folder of the running test program, the program under test, and the bare window beside it that benchmarks
// measure the program against.
std::wstring TestBinaryFolder();
std::wstring ProgramPath();
std::wstring EmptyWindowPath();

// Starts `program` (empty: the first word of the command line) in `folder` (empty: this process's), with this
// process's environment; throws when it cannot.
UniqueKernelHandle StartProcess(const std::wstring& program, std::wstring commandLine, const std::wstring& folder = {});

// A process the test starts, ended when the object goes: the test helper program (qb_test_helper.exe) or another that
// keeps to its ways: the parent's id first, the name of an event last, which it sets once it is ready.
class HelperProcess {
public:
    // Copies `image` (default: the helper) to `executablePath`, creating folders, starts it with the parent's id, the
    // arguments and a new event's name, and returns once it is ready; throws when it ends before.
    static HelperProcess StartAs(const std::wstring& executablePath,
                                 std::initializer_list<std::wstring> arguments,
                                 const std::wstring& image = {});
    static HelperProcess Start(std::initializer_list<std::wstring> arguments);

    HelperProcess(HelperProcess&&) = default;
    HelperProcess& operator=(HelperProcess&&) = default;
    ~HelperProcess() { Stop(); }

    HANDLE Handle() const { return process_.Get(); }
    void Stop();
    // The exit code, once it has ended within `timeoutMs`; ~0 when it has not.
    DWORD ExitCode(DWORD timeoutMs = 60000) const;

private:
    explicit HelperProcess(UniqueKernelHandle process) : process_(std::move(process)) {}
    UniqueKernelHandle process_;
};

// A file held open by a helper process with a share mode: "none", "read" or "all"; released after `releaseAfterMs`
// (0: held until the object goes). Returns once the file is open.
HelperProcess HoldFile(const std::wstring& path, const wchar_t* share, DWORD releaseAfterMs = 0);

std::wstring QuoteArgument(const std::wstring& argument);
// True for a 32-bit process on 64-bit Windows.
bool IsWow64(HANDLE process);

// `size` bytes that no other (size, seed) pair gives, starting with a readable label.
std::string Pattern(std::size_t size, std::uint32_t seed);
// A favorites database of `pages` pages of 1024 bytes as its clear header tells, the rest bytes of `seed`.
std::string Database(std::size_t pages, std::uint32_t seed);

// The small file system that tests/reliability/tmpfs.sh mounted on the Linux folder named by the environment
// variable, as a Windows path; empty when nothing is mounted there.
std::wstring MountedFolder(const wchar_t* variable);
// A file that takes all the free space of the file system holding `folder`, deleted when its handle closes; FillUp
// takes again whatever room deleted files gave back.
UniqueFileHandle FillDisk(const std::wstring& folder);
void FillUp(HANDLE filler);

// A profile whose writes follow links as a run without administrator rights does (Wine runs every program so).
Profile PlainProfile(const std::wstring& folder);

inline const Notice kRestoredNotice{L"成功恢复备份数据，请重启浏览器后查看收藏夹", L"提示", NoticeIcon::Information};
inline const Notice kUndoneNotice{L"成功撤消恢复", L"提示", NoticeIcon::Information};
inline const Notice kNothingToUndoNotice{L"未启动恢复，无需撤消恢复", L"提示", NoticeIcon::Information};
inline const Notice kBrowserRunningNotice{L"检测到搜狗浏览器正在运行，请关闭搜狗浏览器再操作", L"错误",
                                          NoticeIcon::Error};
// The success messages of a restore and of an undo that kept the favorites as a new copy in DailyBackup: their first
// words, then the copy's name.
inline constexpr wchar_t kKeptNotice[] =
    L"成功恢复备份数据，请重启浏览器后查看收藏夹\n恢复前的收藏夹已另存到 DailyBackup 文件夹：\nFavorite2.dat.";
inline constexpr wchar_t kKeptBeforeUndoNotice[] =
    L"成功撤消恢复\n撤消前的收藏夹已另存到 DailyBackup 文件夹：\nFavorite2.dat.";
// The failure message `lead` with `reason` after it.
Notice Failure(std::wstring_view lead, std::wstring_view reason = texts::kFileInUse);
// True for a notice with this caption that starts with `lead`, then a reason.
bool IsFailure(const Notice& notice, std::wstring_view lead, const wchar_t* caption = L"错误");
void PrintTo(const Notice& notice, std::ostream* out);
