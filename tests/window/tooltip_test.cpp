// CTooltip against the real tooltip control of the common controls, version 6: window, settings and title.
#include "window/tooltip.h"

#include <gtest/gtest.h>

// Titles sent to this thread's windows, as "icon title": Wine's control does not answer TTM_GETTITLE.
static std::vector<std::wstring> titles;
static LRESULT CALLBACK RecordTitle(int code, WPARAM wParam, LPARAM lParam) {
    const auto& sent = *reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent.message == TTM_SETTITLEW)
        titles.push_back(std::to_wstring(sent.wParam) + L' ' + reinterpret_cast<const wchar_t*>(sent.lParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The tooltip style bits (the control adds window styles above them), the tool's flags and both delay times.
static std::tuple<DWORD, UINT, LRESULT, LRESULT> Settings(HWND tip) {
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    SendMessageW(tip, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&tool));
    return {static_cast<DWORD>(GetWindowLongW(tip, GWL_STYLE)) & 0xFF, tool.uFlags,
            SendMessageW(tip, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), SendMessageW(tip, TTM_GETDELAYTIME, TTDT_INITIAL, 0)};
}

// The tool's text as the control gives it back for the tool's window, through a record of this build's layout.
static std::wstring ToolText(HWND tip, HWND parent) {
    wchar_t text[256] = {};
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = parent;
    tool.uId = reinterpret_cast<UINT_PTR>(parent);
    tool.lpszText = text;
    SendMessageW(tip, TTM_GETTEXTW, std::size(text), reinterpret_cast<LPARAM>(&tool));
    return text;
}

class TooltipTest : public testing::Test {
protected:
    UniqueWindow parent{CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr)};
    CTooltip tip;
};

// A new object has no window; Create makes one, replacing any it had, with the one tool covering the parent, and the
// text reaches the control at Create and, on a live window, at once; Destroy leaves none.
TEST_F(TooltipTest, OneWindowAtMostWhoseTextReadsBack) {
    EXPECT_EQ(std::tuple(tip.Style(), tip.Centered(), tip.Icon(), tip.ForeColor(), tip.BackColor(), tip.Title(),
                         tip.TipText(), tip.VisibleTime(), tip.DelayTime(), tip.Window()),
              std::tuple(0, false, 0, 0u, 0u, L"", L"", 5000, 500, nullptr));
    tip.SetTipText(L"Favorite2.dat.2012.02.27.22");
    tip.Create(parent.Get());
    const HWND first = tip.Window();
    EXPECT_EQ(SendMessageW(first, TTM_GETTOOLCOUNT, 0, 0), 1);
    EXPECT_EQ(ToolText(first, parent.Get()), L"Favorite2.dat.2012.02.27.22");
    tip.SetTipText(L"收藏夹备份 2012.02.25");
    EXPECT_EQ(ToolText(first, parent.Get()), L"收藏夹备份 2012.02.25");
    tip.Create(parent.Get());
    const HWND second = tip.Window();
    EXPECT_TRUE(first && !IsWindow(first) && IsWindow(second));
    EXPECT_EQ(ToolText(second, parent.Get()), L"收藏夹备份 2012.02.25");
    tip.Destroy();
    tip.Destroy();
    EXPECT_TRUE(!tip.Window() && !IsWindow(second) && IsWindow(parent.Get()));
}

// Style, centring and times wait for the next Create: only style 1 makes a balloon, Centered gives flags 0x13
// (else 0x11). Create sends a title when there is a title or an icon; a live window gets it only with both.
TEST_F(TooltipTest, SettingsAndTitleReachTheControl) {
    const HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, RecordTitle, nullptr, GetCurrentThreadId());
    tip.SetStyle(1);
    tip.Create(parent.Get());
    EXPECT_EQ(Settings(tip.Window()), std::tuple(0x43u, 0x11u, 5000, 500));
    tip.SetStyle(2);
    tip.SetCentered(true);
    tip.SetVisibleTime(12000);
    tip.SetDelayTime(250);
    tip.SetIcon(TTI_INFO);
    EXPECT_EQ(Settings(tip.Window()), std::tuple(0x43u, 0x11u, 5000, 500));
    tip.Create(parent.Get());
    EXPECT_EQ(Settings(tip.Window()), std::tuple(0x03u, 0x13u, 12000, 250));
    tip.SetIcon(TTI_NONE);
    tip.SetTitle(L"收藏夹");
    tip.Create(parent.Get());
    tip.SetIcon(TTI_WARNING);
    tip.SetTitle(L"");
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(titles, (std::vector<std::wstring>{L"1 ", L"0 收藏夹", L"2 收藏夹"}));
}
