// What differs between the 32-bit and the 64-bit build, seen from outside the real program on 64-bit Windows: the
// bitness it runs with, and where it puts the list-view library, which the system names, whatever windir says.
#include "gui_bench.h"

#include <gtest/gtest.h>

namespace {

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

}  // namespace

// The test and the program run with the build's bitness: the 32-bit ones as 32-bit processes on 64-bit Windows.
TEST(BitnessTest, TheProgramRunsWithTheBitnessOfItsBuild) {
    const TempFolder root(L"qb-bitness");
    const ProgramUnderTest program(root.Path());
    ASSERT_TRUE(program.WaitForWindow(L"收藏夹备份恢复"));
    EXPECT_EQ(IsWow64(GetCurrentProcess()), k32Bit);
    EXPECT_EQ(IsWow64(program.process_.Get()), k32Bit);
}

// MSCOMCTL.OCX is a 32-bit library: on 64-bit Windows it belongs in SysWOW64, which a 32-bit program reaches by that
// name and also sees as its System32. Neither build writes it into the 64-bit System32 (not even when only that
// folder has one), neither writes where windir points, neither replaces a file of that name, and neither reports it
// missing when SysWOW64 has it; a folder in its place ends the program after the administrator-rights message. The
// default build carries no library and writes nothing.
TEST(BitnessTest, TheListViewLibraryGoesIntoSysWow64WhereEitherBuildFindsIt) {
    const std::wstring windir = WindowsFolder();
    ASSERT_NE(Attributes(windir + L"\\SysWOW64"), INVALID_FILE_ATTRIBUTES);
    const SystemLibraries libraries;
    const std::string image = ReadBytes(TestBinaryFolder() + L"\\library_image.bin").value();
    const TempFolder root(L"qb-bitness");
    const std::wstring elsewhere = root / L"Windows";
    MakeFolders(elsewhere + L"\\SysWOW64");
    SetEnvironmentVariableW(L"windir", elsewhere.c_str());
    const auto accountWindowOpens = [&](const std::wstring& program) {
        const ProgramUnderTest run(root / L"AppData", program);
        return run.PressMainButton(MainWindow::kHaveAccountButton) && run.WaitForWindow(L"账户收藏恢复");
    };
    const std::wstring withLibrary = TestBinaryFolder() + L"\\QuillbarrowWithLibrary.exe";

    EXPECT_TRUE(accountWindowOpens(ProgramPath()));
    EXPECT_FALSE(ReadBytes(libraries.wow64));
    EXPECT_TRUE(accountWindowOpens(withLibrary));
    EXPECT_EQ(ReadBytes(libraries.wow64), image);
    EXPECT_FALSE(libraries.Native());
    EXPECT_EQ(ListNames(elsewhere + L"\\SysWOW64"), Names{});
    if (k32Bit) {
        EXPECT_EQ(ReadBytes(windir + L"\\System32\\MSCOMCTL.OCX"), image) << "System32 is not redirected";
    }

    WriteBytes(libraries.wow64, "");
    EXPECT_TRUE(accountWindowOpens(withLibrary));
    EXPECT_EQ(ReadBytes(libraries.wow64), "");
    EXPECT_FALSE(libraries.Native());

    DeleteFileW(libraries.wow64.c_str());
    libraries.WriteNative("64-bit");
    EXPECT_TRUE(accountWindowOpens(withLibrary));
    EXPECT_EQ(ReadBytes(libraries.wow64), image);
    EXPECT_EQ(libraries.Native(), "64-bit");

    DeleteFileW(libraries.wow64.c_str());
    MakeFolders(libraries.wow64);
    const ProgramUnderTest program(root / L"AppData", withLibrary);
    ASSERT_TRUE(program.PressMainButton(MainWindow::kHaveAccountButton));
    EXPECT_EQ(program.AnswerMessageBox(),
              L"Error: 错误提示：Vista 或者Win7 系统的用户，请右键选择“以管理员身份运行”"
              L"Quillbarrow.exe重新打开工具。单击“确认”关闭工具。");
    EXPECT_TRUE(program.WaitForExit());
    RemoveDirectoryW(libraries.wow64.c_str());
    SetEnvironmentVariableW(L"windir", windir.c_str());
}
