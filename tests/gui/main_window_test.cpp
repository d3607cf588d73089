// The main window and the start of the program, driven from outside.
#include "control_ids.h"
#include "gui_bench.h"

#include <gtest/gtest.h>

namespace {

using namespace main_window;

class MainWindowTest : public testing::Test {
protected:
    TempFolder appData{L"qb-appdata"};
};

}  // namespace

TEST_F(MainWindowTest, RefusesToStartWhileTheBrowserRunsAndEndsAfterTheMessage) {
    HelperProcess browser = HelperProcess::StartAs(appData / L"Sogou\\SogouExplorer.exe", {});
    ProgramUnderTest program(appData.Path());
    ASSERT_TRUE(program.HasMessageBox(10000));
    EXPECT_TRUE(program.Windows().empty());
    EXPECT_EQ(program.AnswerMessageBox(),
              (SeenMessageBox{L"错误", L"检测到搜狗浏览器正在运行，请先关闭搜狗浏览器后再启动工具", MB_ICONERROR}));
    EXPECT_TRUE(program.WaitForExit(5000).has_value());
}

TEST_F(MainWindowTest, ShowsTheTwoChoicesCentredWithTheUpperOneFocused) {
    ProgramUnderTest program(appData.Path());
    const HWND main = program.WaitForWindow(L"收藏夹备份恢复");
    ASSERT_TRUE(main);
    const HWND upper = ControlOf(main, kHaveAccount);
    const HWND lower = ControlOf(main, kNoAccount);
    EXPECT_EQ(ControlText(upper), L"我有搜狗浏览器账户");
    EXPECT_EQ(ControlText(lower), L"我没搜狗浏览器账户");
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(main) == upper; }, 5000));

    // 15 twips a pixel at 96 dots per inch.
    RECT client{};
    GetClientRect(main, &client);
    EXPECT_EQ(client.right, 256);
    EXPECT_EQ(client.bottom, 160);
    const RECT upperRect = RectIn(upper, main);
    const RECT lowerRect = RectIn(lower, main);
    EXPECT_EQ(upperRect.left, 32);
    EXPECT_EQ(upperRect.top, 24);
    EXPECT_EQ(upperRect.right - upperRect.left, 185);
    EXPECT_EQ(upperRect.bottom - upperRect.top, 49);
    EXPECT_EQ(lowerRect.top, 88);

    RECT window{};
    GetWindowRect(main, &window);
    EXPECT_NEAR(window.left + window.right, GetSystemMetrics(SM_CXSCREEN), 1);
    EXPECT_NEAR(window.top + window.bottom, GetSystemMetrics(SM_CYSCREEN), 1);
}

TEST_F(MainWindowTest, TheLowerButtonOpensTheNoAccountWindowAndTheMainWindowGoes) {
    ProgramUnderTest program(appData.Path());
    const HWND main = program.WaitForWindow(L"收藏夹备份恢复");
    ASSERT_TRUE(main);
    Click(ControlOf(main, kNoAccount));
    // No backup folder exists: the no-account window says so while it loads.
    EXPECT_EQ(program.AnswerMessageBox()->text, L"DailyBackup备份目录不存在，请选在其它备份目录");
    EXPECT_TRUE(program.WaitForWindow(L"本地收藏恢复"));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(main); }));
    EXPECT_EQ(program.Windows().size(), 1u);
}

TEST_F(MainWindowTest, ClosingTheMainWindowEndsTheProgram) {
    ProgramUnderTest program(appData.Path());
    const HWND main = program.WaitForWindow(L"收藏夹备份恢复");
    ASSERT_TRUE(main);
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForExit(5000), 0u);
}
