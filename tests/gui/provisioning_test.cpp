// The account path from the main window: the list-view library written into the system folder when missing,
// then the account window in the main window's place. The program runs with a Windows folder of the test's own.
#include "control_ids.h"
#include "gui_bench.h"

#include <gtest/gtest.h>

namespace {

using main_window::kHaveAccount;

using Names = std::vector<std::wstring>;

// A build of the program that carries library_image.bin as its library.
std::wstring ProgramWithLibrary() {
    return TestBinaryFolder() + L"\\QuillbarrowWithLibrary.exe";
}

class ProvisioningTest : public testing::Test {
protected:
    // Starts the program with `windir` set to the test's folder and presses the upper button.
    void TakeAccountPath(const std::wstring& program = ProgramWithLibrary()) {
        program_.emplace(ProgramUnderTest::Options{root / L"AppData", {}, {{L"windir", windir}}, program});
        main_ = program_->WaitForWindow(L"收藏夹备份恢复");
        ASSERT_TRUE(main_);
        Click(ControlOf(main_, kHaveAccount));
    }
    // The account window opens and is the program's only window.
    bool AccountWindowOpens() const {
        const HWND account = program_->WaitForWindow(L"账户收藏恢复");
        return account && WaitUntil([&] { return !IsWindow(main_) && program_->Windows() == std::vector{account}; });
    }

    TempFolder root{L"qb-windir"};
    const std::wstring windir = root / L"Windows";
    const std::wstring sysWow64 = windir + L"\\SysWOW64";
    const std::wstring system32 = windir + L"\\System32";
    const std::string image = ReadBytes(TestBinaryFolder() + L"\\library_image.bin").value();
    std::optional<ProgramUnderTest> program_;
    HWND main_ = nullptr;
};

}  // namespace

TEST_F(ProvisioningTest, ALibraryInSysWow64IsLeftAloneAndSystem32IsNotLookedAt) {
    MakeFolders(sysWow64);
    MakeFolders(system32);
    // Presence goes by the name alone: an empty file counts.
    WriteBytes(sysWow64 + L"\\MSCOMCTL.OCX", "");
    TakeAccountPath();
    EXPECT_TRUE(AccountWindowOpens());
    EXPECT_EQ(ReadBytes(sysWow64 + L"\\MSCOMCTL.OCX"), "");
    EXPECT_EQ(ListNames(system32), Names{});
}

TEST_F(ProvisioningTest, AMissingLibraryIsWrittenIntoSysWow64ByteForByte) {
    MakeFolders(sysWow64);
    MakeFolders(system32);
    TakeAccountPath();
    EXPECT_TRUE(AccountWindowOpens());
    EXPECT_EQ(ReadBytes(sysWow64 + L"\\MSCOMCTL.OCX"), image);
    EXPECT_EQ(ListNames(sysWow64), Names{L"MSCOMCTL.OCX"});
    EXPECT_EQ(ListNames(system32), Names{});
}

TEST_F(ProvisioningTest, WithoutSysWow64TheLibraryGoesIntoSystem32) {
    MakeFolders(system32);
    TakeAccountPath();
    EXPECT_TRUE(AccountWindowOpens());
    EXPECT_EQ(ReadBytes(system32 + L"\\MSCOMCTL.OCX"), image);
    EXPECT_EQ(ListNames(windir), Names{L"System32"});
}

TEST_F(ProvisioningTest, WithNeitherSystemFolderNothingIsWrittenAndTheAccountWindowOpens) {
    MakeFolders(windir);
    TakeAccountPath();
    EXPECT_TRUE(AccountWindowOpens());
    EXPECT_EQ(ListNames(windir), Names{});
}

TEST_F(ProvisioningTest, AFolderInTheLibrarysPlaceEndsTheProgramAfterTheAdministratorMessage) {
    MakeFolders(sysWow64 + L"\\MSCOMCTL.OCX");
    TakeAccountPath();
    ASSERT_TRUE(program_->HasMessageBox(10000));
    EXPECT_EQ(program_->WaitForWindow(L"账户收藏恢复", 0), nullptr);
    EXPECT_EQ(program_->AnswerMessageBox(),
              (SeenMessageBox{L"Error",
                              L"错误提示：Vista 或者Win7 系统的用户，请右键选择“以管理员身份运行”Quillbarrow.exe"
                              L"重新打开工具。单击“确认”关闭工具。",
                              MB_ICONERROR}));
    EXPECT_TRUE(program_->WaitForExit(5000).has_value());
    EXPECT_EQ(ListNames(sysWow64), Names{L"MSCOMCTL.OCX"});
    EXPECT_EQ(ListNames(sysWow64 + L"\\MSCOMCTL.OCX"), Names{});
}

TEST_F(ProvisioningTest, TheDefaultBuildCarriesNoLibraryAndWritesNothing) {
    MakeFolders(sysWow64);
    MakeFolders(system32);
    TakeAccountPath(ProgramPath());
    EXPECT_TRUE(AccountWindowOpens());
    EXPECT_EQ(ListNames(sysWow64), Names{});
    EXPECT_EQ(ListNames(system32), Names{});
}
