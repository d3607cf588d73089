// CTooltip against the real tooltip control of the common controls, version 6: settings, window, messages.
#include "tooltip/tooltip.h"

#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

struct HookTraits {
    using Type = HHOOK;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { UnhookWindowsHookEx(h); }
};
using UniqueHook = UniqueHandle<HookTraits>;

bool IsTooltipWindow(HWND window) {
    std::array<wchar_t, 64> name{};
    GetClassNameW(window, name.data(), static_cast<int>(name.size()));
    return _wcsicmp(name.data(), L"tooltips_class32") == 0;
}

// The tooltip windows that this thread owns.
std::vector<HWND> ThreadTooltips() {
    std::vector<HWND> found;
    for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, TOOLTIPS_CLASSW, nullptr));) {
        if (GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId()) found.push_back(window);
    }
    return found;
}

LRESULT CALLBACK RefuseCreation(int code, WPARAM wParam, LPARAM lParam) {
    return code == HCBT_CREATEWND ? 1 : CallNextHookEx(nullptr, code, wParam, lParam);
}

// The flags and text of the tool that covers the whole `parent` window; flags 0 when there is none.
std::pair<UINT, std::wstring> ReadTool(HWND tip, HWND parent) {
    std::array<wchar_t, 1024> text{};
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = parent;
    tool.uId = reinterpret_cast<UINT_PTR>(parent);
    tool.lpszText = text.data();
    if (!SendMessageW(tip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool))) return {};
    tool.lpszText = text.data();
    SendMessageW(tip, TTM_GETTEXTW, text.size(), reinterpret_cast<LPARAM>(&tool));
    return {tool.uFlags, text.data()};
}

// A message that reached a tooltip window of this thread; `title` is the text of a title message.
struct Sent {
    HWND window = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    std::wstring title;
    bool operator==(const Sent&) const = default;
};
using Log = std::vector<Sent>;

// A top-level window to attach the tips to, in a process that uses version 6 of the common controls, and a
// record of the messages that reach this thread's tooltip windows.
class TooltipTest : public testing::Test {
protected:
    void SetUp() override {
        InitCommonControls();
        // The file's own version cannot tell: Wine marks both of its copies 5.81.
        std::array<wchar_t, MAX_PATH> path{};
        GetModuleFileNameW(GetModuleHandleW(L"comctl32.dll"), path.data(), static_cast<DWORD>(path.size()));
        const std::wstring_view lower = CharLowerW(path.data());
        for (const wchar_t* part : {L"\\winsxs\\", L"common-controls", L"_6.0."}) {
            ASSERT_NE(lower.find(part), lower.npos) << "the test program's manifest was not applied";
        }
        parent.Reset(CreateWindowExW(0, L"STATIC", L"收藏夹", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                                     GetModuleHandleW(nullptr), nullptr));
        ASSERT_TRUE(parent);
        recorded.clear();
        hook.Reset(SetWindowsHookExW(WH_CALLWNDPROC, Record, nullptr, GetCurrentThreadId()));
    }

    // Creation, destruction and tooltip messages. Titles are checked here rather than read back: Wine's tooltip
    // control does not answer TTM_GETTITLE.
    static LRESULT CALLBACK Record(int code, WPARAM wParam, LPARAM lParam) {
        const auto& sent = *reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code == HC_ACTION && IsTooltipWindow(sent.hwnd) &&
            (sent.message == WM_CREATE || sent.message == WM_DESTROY || (sent.message & ~0xFFu) == WM_USER)) {
            const bool title = sent.message == TTM_SETTITLEW;
            recorded.push_back(
                {sent.hwnd, sent.message, sent.wParam, title ? reinterpret_cast<const wchar_t*>(sent.lParam) : L""});
            if (sent.message == TTM_ADDTOOLW)
                toolRecordSize = reinterpret_cast<const TTTOOLINFOW*>(sent.lParam)->cbSize;
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    // The messages recorded since the last call, or only those of one kind.
    static Log Take(UINT only = 0) {
        Log taken;
        for (Sent& sent : std::exchange(recorded, {})) {
            if (only == 0 || sent.message == only) taken.push_back(std::move(sent));
        }
        return taken;
    }

    std::pair<UINT, std::wstring> Tool() const { return ReadTool(tip.Window(), parent.Get()); }
    // The tooltip style bits (the control adds window styles above them), tool flags and both delay times.
    std::tuple<DWORD, UINT, LRESULT, LRESULT> Settings() const {
        return {static_cast<DWORD>(GetWindowLongW(tip.Window(), GWL_STYLE)) & 0xFF, Tool().first,
                SendMessageW(tip.Window(), TTM_GETDELAYTIME, TTDT_AUTOPOP, 0),
                SendMessageW(tip.Window(), TTM_GETDELAYTIME, TTDT_INITIAL, 0)};
    }

    static inline Log recorded;
    static inline UINT toolRecordSize = 0;
    UniqueHook hook;
    UniqueWindow parent;
    CTooltip tip;
};

}  // namespace

TEST_F(TooltipTest, NewObjectCreateAndDestroyKeepAtMostOneWindow) {
    EXPECT_EQ(std::tuple(tip.Style(), tip.Centered(), tip.Icon(), tip.ForeColor(), tip.BackColor(), tip.Title(),
                         tip.TipText(), tip.VisibleTime(), tip.DelayTime(), tip.Window()),
              std::tuple(0, false, 0, 0u, 0u, L"", L"", 5000, 500, nullptr));
    tip.Destroy();
    tip.Create(parent.Get());
    const HWND first = tip.Window();
    EXPECT_EQ(ThreadTooltips(), std::vector<HWND>{first});
    tip.Create(parent.Get());
    const HWND second = tip.Window();
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(ThreadTooltips(), std::vector<HWND>{second});
    tip.Destroy();
    tip.Destroy();
    EXPECT_EQ(tip.Window(), nullptr);
    EXPECT_TRUE(ThreadTooltips().empty());
    EXPECT_TRUE(IsWindow(parent.Get()));
    {
        CTooltip local;
        local.Create(parent.Get());
        EXPECT_EQ(ThreadTooltips(), std::vector<HWND>{local.Window()});
    }
    EXPECT_TRUE(ThreadTooltips().empty());
}

// Only style 1 makes a balloon; Centered gives flags 0x13, else 0x11; delay times go unchanged (the control
// keeps their low 16 bits). All of them wait for the next Create.
TEST_F(TooltipTest, StyleCentredAndTimesReachTheControlAtCreate) {
    tip.SetStyle(1);
    tip.Create(parent.Get());
    EXPECT_EQ(Settings(), std::tuple(0x43u, 0x11u, 5000, 500));
    tip.SetStyle(0);
    tip.SetCentered(true);
    tip.SetVisibleTime(12000);
    tip.SetDelayTime(250);
    EXPECT_EQ(Settings(), std::tuple(0x43u, 0x11u, 5000, 500));
    tip.Create(parent.Get());
    EXPECT_EQ(Settings(), std::tuple(0x03u, 0x13u, 12000, 250));
    tip.SetStyle(2);
    tip.SetVisibleTime(0x10000 + 3000);
    tip.Create(parent.Get());
    EXPECT_EQ(Settings(), std::tuple(0x03u, 0x13u, 3000, 250));
}

TEST_F(TooltipTest, TipTextIsShownAndChangesAtOnceOnALiveWindow) {
    tip.SetTipText(L"Favorite2.dat.2012.02.27.22");
    tip.Create(parent.Get());
    EXPECT_EQ(Tool().second, L"Favorite2.dat.2012.02.27.22");
    tip.SetTipText(L"收藏夹备份.dat");
    EXPECT_EQ(Tool().second, L"收藏夹备份.dat");
    tip.Destroy();
    tip.SetTipText(L"Favorite2.dat.2012.02.28.09");
    tip.Create(parent.Get());
    EXPECT_EQ(Tool().second, L"Favorite2.dat.2012.02.28.09");
}

// A title or an icon alone is enough for the title message at Create; colours of 0 are left to the control.
TEST_F(TooltipTest, CreateSendsItsMessagesInOrder) {
    tip.Create(parent.Get());
    const HWND plain = tip.Window();
    EXPECT_EQ(Take(), (Log{{plain, WM_CREATE, 0, {}},
                           {plain, TTM_ADDTOOLW, 0, {}},
                           {plain, TTM_SETDELAYTIME, TTDT_AUTOPOP, {}},
                           {plain, TTM_SETDELAYTIME, TTDT_INITIAL, {}}}));
    EXPECT_EQ(toolRecordSize, TTTOOLINFOW_V2_SIZE);
    tip.SetIcon(TTI_INFO);
    tip.Create(parent.Get());
    EXPECT_EQ(Take(TTM_SETTITLEW), (Log{{tip.Window(), TTM_SETTITLEW, TTI_INFO, L""}}));
    tip.SetIcon(TTI_NONE);
    tip.SetTitle(L"收藏夹");
    tip.Create(parent.Get());
    EXPECT_EQ(Take(TTM_SETTITLEW), (Log{{tip.Window(), TTM_SETTITLEW, TTI_NONE, L"收藏夹"}}));

    const HWND titled = tip.Window();
    tip.SetIcon(TTI_INFO);
    tip.SetForeColor(0x00010203);
    tip.SetBackColor(0x00040506);
    Take();
    tip.Create(parent.Get());
    const HWND full = tip.Window();
    EXPECT_EQ(Take(), (Log{{titled, WM_DESTROY, 0, {}},
                           {full, WM_CREATE, 0, {}},
                           {full, TTM_ADDTOOLW, 0, {}},
                           {full, TTM_SETTITLEW, TTI_INFO, L"收藏夹"},
                           {full, TTM_SETTIPTEXTCOLOR, 0x00010203, {}},
                           {full, TTM_SETTIPBKCOLOR, 0x00040506, {}},
                           {full, TTM_SETDELAYTIME, TTDT_AUTOPOP, {}},
                           {full, TTM_SETDELAYTIME, TTDT_INITIAL, {}}}));
}

// On a live window the title setters send the title only when both title and icon are set; the colour setters
// send any colour, 0 included.
TEST_F(TooltipTest, SettersOnALiveWindow) {
    tip.Create(parent.Get());
    const HWND window = tip.Window();
    Take();
    tip.SetTitle(L"新标题");
    tip.SetIcon(TTI_WARNING);
    tip.SetTitle(L"备份");
    tip.SetTitle(L"");
    tip.SetIcon(TTI_INFO);
    tip.SetTitle(L"收藏");
    tip.SetIcon(TTI_NONE);
    tip.SetForeColor(0x00FFFFFF);
    tip.SetBackColor(0x00800000);
    tip.SetForeColor(0);
    tip.SetBackColor(0);
    EXPECT_EQ(Take(), (Log{{window, TTM_SETTITLEW, TTI_WARNING, L"新标题"},
                           {window, TTM_SETTITLEW, TTI_WARNING, L"备份"},
                           {window, TTM_SETTITLEW, TTI_INFO, L"收藏"},
                           {window, TTM_SETTIPTEXTCOLOR, 0x00FFFFFF, {}},
                           {window, TTM_SETTIPBKCOLOR, 0x00800000, {}},
                           {window, TTM_SETTIPTEXTCOLOR, 0, {}},
                           {window, TTM_SETTIPBKCOLOR, 0, {}}}));
}

TEST_F(TooltipTest, ATipThatCannotBeMadeLeavesNoWindowAndTheNextCreateWorks) {
    tip.SetTipText(L"Favorite2.dat");
    {
        const UniqueHook refusal(SetWindowsHookExW(WH_CBT, RefuseCreation, nullptr, GetCurrentThreadId()));
        tip.Create(parent.Get());
    }
    EXPECT_EQ(tip.Window(), nullptr);
    EXPECT_TRUE(ThreadTooltips().empty());
    tip.SetTipText(L"收藏夹");
    tip.Create(parent.Get());
    EXPECT_EQ(Tool().second, L"收藏夹");
}
