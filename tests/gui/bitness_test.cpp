// What differs between the 32-bit and the 64-bit build, seen from outside the real program on 64-bit Windows:
// the bitness it runs with, where it puts the list-view library, and the texts read back from its controls
// through records of this build's layout.
#include "gui_bench.h"

#include <gtest/gtest.h>

namespace {

using Names = std::vector<std::wstring>;
constexpr bool k32Bit = sizeof(void*) == 4;

std::wstring WindowsFolder() {
    wchar_t path[MAX_PATH];
    return {path, GetWindowsDirectoryW(path, MAX_PATH)};
}

// Runs `action` on the file system as a 64-bit process sees it: a 32-bit process's System32 is SysWOW64.
template <class Action>
auto Unredirected(Action action) {
    PVOID old = nullptr;
    const bool off = k32Bit && Wow64DisableWow64FsRedirection(&old);
    if (k32Bit && !off) throw std::runtime_error("cannot reach the 64-bit System32");
    auto result = action();
    if (off) Wow64RevertWow64FsRedirection(old);
    return result;
}

// The list-view library in both system folders, removed before and after the test: the prefix is the tests' own.
struct SystemLibraries {
    const std::wstring wow64 = WindowsFolder() + L"\\SysWOW64\\MSCOMCTL.OCX";
    const std::wstring native = WindowsFolder() + L"\\System32\\MSCOMCTL.OCX";  // reached unredirected

    SystemLibraries() { Remove(); }
    ~SystemLibraries() { Remove(); }
    void Remove() const {
        DeleteFileW(wow64.c_str());
        Unredirected([&] { return DeleteFileW(native.c_str()); });
    }
    std::optional<std::string> Native() const {
        return Unredirected([&] { return ReadBytes(native); });
    }
    void WriteNative(std::string_view bytes) const {
        Unredirected([&] { return WriteBytes(native, bytes), 0; });
    }
};

// The text of a control's tool in a tooltip window of the program, read through a tool record of this build's
// layout in the program's memory; empty when none of its tooltips has a tool for the control.
std::wstring ToolText(const ProgramUnderTest& program, HWND control) {
    for (HWND tip = nullptr; (tip = FindWindowExW(nullptr, tip, TOOLTIPS_CLASSW, nullptr));) {
        DWORD processId = 0;
        if (!GetWindowThreadProcessId(tip, &processId) || processId != program.Id()) continue;
        TTTOOLINFOW tool{};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        tool.hwnd = control;
        tool.uId = reinterpret_cast<UINT_PTR>(control);
        if (std::wstring text = SendRemote(tip, TTM_GETTEXTW, 1023, &tool, sizeof(tool), &tool.lpszText);
            !text.empty()) {
            return text;
        }
    }
    return {};
}

}  // namespace

// The test and the program run with the build's bitness: the 32-bit ones as 32-bit processes on 64-bit Windows.
TEST(BitnessTest, TheProgramRunsWithTheBitnessOfItsBuild) {
    const TempFolder root(L"qb-bitness");
    const ProgramUnderTest program(root.Path());
    ASSERT_TRUE(program.WaitForWindow(L"收藏夹备份恢复"));
    EXPECT_EQ(IsWow64(GetCurrentProcess()), k32Bit);
    EXPECT_EQ(IsWow64(program.process_.Get()), k32Bit);
}

// MSCOMCTL.OCX is a 32-bit library: on 64-bit Windows it belongs in SysWOW64, which a 32-bit program reaches by
// that name and also sees as its System32. Neither build writes it into the 64-bit System32 (not even when only
// that folder has one), and neither reports it missing when SysWOW64 has it.
TEST(BitnessTest, TheListViewLibraryGoesIntoSysWow64WhereEitherBuildFindsIt) {
    const std::wstring windir = WindowsFolder();
    ASSERT_NE(GetFileAttributesW((windir + L"\\SysWOW64").c_str()), INVALID_FILE_ATTRIBUTES);
    const SystemLibraries libraries;
    const std::string image = ReadBytes(TestBinaryFolder() + L"\\library_image.bin").value();
    const TempFolder root(L"qb-bitness");
    const auto accountWindowOpens = [&] {
        const ProgramUnderTest run(root / L"AppData", TestBinaryFolder() + L"\\QuillbarrowWithLibrary.exe", windir);
        return run.PressMainButton(MainWindow::kHaveAccountButton) && run.WaitForWindow(L"账户收藏恢复");
    };

    EXPECT_TRUE(accountWindowOpens());
    EXPECT_EQ(ReadBytes(libraries.wow64), image);
    EXPECT_FALSE(libraries.Native());
    if (k32Bit) {
        EXPECT_EQ(ReadBytes(windir + L"\\System32\\MSCOMCTL.OCX"), image) << "System32 is not redirected";
    }

    WriteBytes(libraries.wow64, "there");
    EXPECT_TRUE(accountWindowOpens());
    EXPECT_EQ(ReadBytes(libraries.wow64), "there");
    EXPECT_FALSE(libraries.Native());

    DeleteFileW(libraries.wow64.c_str());
    libraries.WriteNative("64-bit");
    EXPECT_TRUE(accountWindowOpens());
    EXPECT_EQ(ReadBytes(libraries.wow64), image);
    EXPECT_EQ(libraries.Native(), "64-bit");
}

// The account window's column headers, rows and tooltip texts, read back through list-view and tooltip records of
// this build's layout in the program's memory.
TEST(BitnessTest, TheAccountWindowsHeadersRowsAndTipsReadBack) {
    const TempFolder root(L"qb-bitness");
    // The account's folder is the MD5 digest of user@example.com in UTF-16LE.
    const std::wstring account = root / L"AppData\\sogouexplorer\\923f0c68321b444d558ab06cfe7b40cf";
    MakeFolders(account + L"\\DailyBackup\\收藏");
    WriteBytes(account + L"\\DailyBackup\\Favorite2.dat.2012.02.25.21", std::string(1234, 'x'));
    WriteBytes(account + L"\\DailyBackup\\收藏\\Favorite2.dat.2011.12.31.23", std::string(56, 'x'));

    const ProgramUnderTest program(root / L"AppData");
    ASSERT_TRUE(program.PressMainButton(MainWindow::kHaveAccountButton));
    const HWND window = program.WaitForWindow(L"账户收藏恢复");
    ASSERT_TRUE(window);
    const HWND list = GetDlgItem(window, AccountWindow::kResultList);
    const HWND files = GetDlgItem(window, RestorePanel::kFileList);

    Names headers;
    std::vector<int> formats;
    for (int column = 0; column < 4; ++column) {
        LVCOLUMNW header{};
        header.mask = LVCF_TEXT | LVCF_FMT;
        header.cchTextMax = 1023;
        headers.push_back(SendRemote(list, LVM_GETCOLUMNW, column, &header, sizeof(header), &header.pszText));
        formats.push_back(header.fmt & LVCFMT_JUSTIFYMASK);
    }
    EXPECT_EQ(headers, (Names{L"文件名称", L"序号", L"文件大小", L"创建时间"}));
    EXPECT_EQ(formats, (std::vector<int>{LVCFMT_LEFT, LVCFMT_CENTER, LVCFMT_RIGHT, LVCFMT_LEFT}));

    SetWindowTextW(GetDlgItem(window, AccountWindow::kAddressBox), L"user@example.com");
    EXPECT_EQ(program.Press(window, AccountWindow::kFindButton, 0), L"");
    ASSERT_TRUE(WaitUntil([&] { return ListRowCount(list) == 3; }));
    const auto rows = ListRows(list, 3);
    EXPECT_EQ(rows, (std::vector<Names>{{L"Favorite2.dat.2012.02.25.21", L"1", L"1234"},
                                        {L"收藏", L"2", L""},
                                        {L"Favorite2.dat.2011.12.31.23", L"3", L"56"}}));

    // The file list's tip names the entry under the pointer; the row tip the row under it.
    const int lineHeight = static_cast<int>(SendMessageW(files, LB_GETITEMHEIGHT, 0, 0));
    int nudge = 0;
    EXPECT_TRUE(WaitUntil([&] {
        MovePointer(files, {10 + (nudge ^= 1), lineHeight / 2});
        return ToolText(program, files).starts_with(L"Favorite2.dat.2012.02.25.21\n文件大小：1234\n");
    })) << Utf8(ToolText(program, files));
    for (const int row : {1, 2}) {
        const RECT rect = ListRowRect(list, row);
        EXPECT_TRUE(WaitUntil([&] {
            MovePointer(list, {rect.left + 20 + (nudge ^= 1), (rect.top + rect.bottom) / 2});
            const std::wstring text = ToolText(program, list);
            return text.substr(0, text.find(L'\n')) == rows[row][0];
        })) << "row "
            << row << ": " << Utf8(ToolText(program, list));
    }
}
