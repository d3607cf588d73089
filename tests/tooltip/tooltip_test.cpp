// CTooltip against the real tooltip control of the common controls, version 6: settings, window, messages.
#include "tooltip/tooltip.h"

#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cwctype>
#include <string>
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

BOOL CALLBACK CollectTooltip(HWND window, LPARAM found) {
    if (IsTooltipWindow(window)) reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    return TRUE;
}

// The tooltip windows that this thread owns.
std::vector<HWND> ThreadTooltips() {
    std::vector<HWND> found;
    EnumThreadWindows(GetCurrentThreadId(), CollectTooltip, reinterpret_cast<LPARAM>(&found));
    return found;
}

// True when the common controls in use are those of the version 6 side-by-side assembly. Their file's own
// version cannot tell: Wine marks both of its copies 5.81.
bool UsesCommonControls6() {
    std::array<wchar_t, MAX_PATH> path{};
    GetModuleFileNameW(GetModuleHandleW(L"comctl32.dll"), path.data(), static_cast<DWORD>(path.size()));
    std::wstring lower(path.data());
    std::transform(lower.begin(), lower.end(), lower.begin(), towlower);
    return lower.find(L"\\winsxs\\") != std::wstring::npos && lower.find(L"common-controls") != std::wstring::npos &&
           lower.find(L"_6.0.") != std::wstring::npos;
}

// The tooltip style bits the control keeps (it adds window styles of its own above them).
DWORD TooltipStyle(HWND tip) {
    return static_cast<DWORD>(GetWindowLongW(tip, GWL_STYLE)) & 0xFF;
}

// The tool that covers the whole `parent` window, as the control holds it; flags 0 when there is none.
struct Tool {
    UINT flags = 0;
    std::wstring text;
};

Tool ReadTool(HWND tip, HWND parent) {
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

int DelayTime(HWND tip, WPARAM which) {
    return static_cast<int>(SendMessageW(tip, TTM_GETDELAYTIME, which, 0));
}
COLORREF TextColor(HWND tip) {
    return static_cast<COLORREF>(SendMessageW(tip, TTM_GETTIPTEXTCOLOR, 0, 0));
}
COLORREF BackColor(HWND tip) {
    return static_cast<COLORREF>(SendMessageW(tip, TTM_GETTIPBKCOLOR, 0, 0));
}

// A message that reached a tooltip window of this thread; `title` is the text of a title message.
struct Sent {
    HWND window = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    std::wstring title;
    bool operator==(const Sent&) const = default;
};

// Records, while it lives, the creation, destruction and tooltip messages of this thread's tooltip windows.
// Titles are checked here rather than read back: Wine's tooltip control does not answer TTM_GETTITLE.
class TooltipMessageLog {
public:
    TooltipMessageLog() : hook_(SetWindowsHookExW(WH_CALLWNDPROC, Record, nullptr, GetCurrentThreadId())) {
        active_ = this;
    }
    ~TooltipMessageLog() { active_ = nullptr; }

    // The messages recorded since the last call.
    std::vector<Sent> Take() { return std::exchange(messages_, {}); }

    // The title messages recorded since the last call.
    std::vector<Sent> TakeTitles() {
        std::vector<Sent> titles;
        for (Sent& sent : Take()) {
            if (sent.message == TTM_SETTITLEW) titles.push_back(std::move(sent));
        }
        return titles;
    }

    UINT toolRecordSize = 0;  // cbSize of the last tool added

private:
    static LRESULT CALLBACK Record(int code, WPARAM wParam, LPARAM lParam) {
        const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
        const bool tooltipMessage = sent->message >= WM_USER && sent->message < WM_USER + 0x100;
        if (code == HC_ACTION && active_ && IsTooltipWindow(sent->hwnd) &&
            (sent->message == WM_CREATE || sent->message == WM_DESTROY || tooltipMessage)) {
            Sent entry{sent->hwnd, sent->message, sent->wParam, {}};
            if (sent->message == TTM_SETTITLEW) entry.title = reinterpret_cast<const wchar_t*>(sent->lParam);
            if (sent->message == TTM_ADDTOOLW) {
                active_->toolRecordSize = reinterpret_cast<const TTTOOLINFOW*>(sent->lParam)->cbSize;
            }
            active_->messages_.push_back(std::move(entry));
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static inline TooltipMessageLog* active_ = nullptr;
    std::vector<Sent> messages_;
    UniqueHook hook_;
};

LRESULT CALLBACK RefuseCreation(int code, WPARAM wParam, LPARAM lParam) {
    return code == HCBT_CREATEWND ? 1 : CallNextHookEx(nullptr, code, wParam, lParam);
}

// A top-level window to attach the tips to, in a process that uses version 6 of the common controls.
class TooltipTest : public testing::Test {
protected:
    void SetUp() override {
        InitCommonControls();
        ASSERT_TRUE(UsesCommonControls6()) << "the test program's manifest was not applied";
        parent.Reset(CreateWindowExW(0, L"STATIC", L"收藏夹", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                                     GetModuleHandleW(nullptr), nullptr));
        ASSERT_TRUE(parent);
    }

    // A tooltip control made directly, with the control's own colours and times.
    static UniqueWindow FreshControl() {
        return UniqueWindow(CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                            GetModuleHandleW(nullptr), nullptr));
    }

    UniqueWindow parent;
    CTooltip tip;
};

}  // namespace

TEST_F(TooltipTest, NewObjectHasTheDefaultsAndNoWindow) {
    EXPECT_EQ(tip.Style(), 0);
    EXPECT_FALSE(tip.Centered());
    EXPECT_EQ(tip.Icon(), 0);
    EXPECT_EQ(tip.ForeColor(), 0u);
    EXPECT_EQ(tip.BackColor(), 0u);
    EXPECT_EQ(tip.Title(), L"");
    EXPECT_EQ(tip.TipText(), L"");
    EXPECT_EQ(tip.VisibleTime(), 5000);
    EXPECT_EQ(tip.DelayTime(), 500);
    EXPECT_EQ(tip.Window(), nullptr);
    EXPECT_TRUE(ThreadTooltips().empty());
}

TEST_F(TooltipTest, SecondCreateReplacesTheFirstWindow) {
    tip.Create(parent.Get());
    const HWND first = tip.Window();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(ThreadTooltips(), std::vector<HWND>{first});

    tip.Create(parent.Get());
    const HWND second = tip.Window();
    ASSERT_NE(second, nullptr);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(ThreadTooltips(), std::vector<HWND>{second});
}

TEST_F(TooltipTest, DestroyRemovesTheWindowAndIsHarmlessWithoutOne) {
    tip.Destroy();
    tip.Create(parent.Get());
    const HWND window = tip.Window();
    tip.Destroy();
    EXPECT_EQ(tip.Window(), nullptr);
    EXPECT_FALSE(IsWindow(window));
    tip.Destroy();
    EXPECT_EQ(tip.Window(), nullptr);
    EXPECT_TRUE(ThreadTooltips().empty());
    EXPECT_TRUE(IsWindow(parent.Get()));
}

TEST_F(TooltipTest, TheObjectTakesItsWindowAlong) {
    HWND window = nullptr;
    {
        CTooltip local;
        local.Create(parent.Get());
        window = local.Window();
        ASSERT_NE(window, nullptr);
    }
    EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(ThreadTooltips().empty());
}

TEST_F(TooltipTest, OnlyStyleOneMakesABalloon) {
    tip.SetStyle(1);
    tip.Create(parent.Get());
    EXPECT_EQ(TooltipStyle(tip.Window()), 0x43u);

    // The style waits for the next Create.
    tip.SetStyle(0);
    EXPECT_EQ(TooltipStyle(tip.Window()), 0x43u);
    tip.Create(parent.Get());
    EXPECT_EQ(TooltipStyle(tip.Window()), 0x03u);

    tip.SetStyle(2);
    tip.Create(parent.Get());
    EXPECT_EQ(TooltipStyle(tip.Window()), 0x03u);
}

TEST_F(TooltipTest, TheWholeParentIsTheToolCentredOnRequest) {
    tip.Create(parent.Get());
    EXPECT_EQ(ReadTool(tip.Window(), parent.Get()).flags, 0x11u);

    tip.SetCentered(true);
    EXPECT_EQ(ReadTool(tip.Window(), parent.Get()).flags, 0x11u);
    tip.Create(parent.Get());
    EXPECT_EQ(ReadTool(tip.Window(), parent.Get()).flags, 0x13u);
}

TEST_F(TooltipTest, TipTextIsShownAndChangesAtOnceOnALiveWindow) {
    tip.SetTipText(L"Favorite2.dat.2012.02.27.22");
    tip.Create(parent.Get());
    EXPECT_EQ(ReadTool(tip.Window(), parent.Get()).text, L"Favorite2.dat.2012.02.27.22");

    tip.SetTipText(L"收藏夹备份.dat");
    EXPECT_EQ(ReadTool(tip.Window(), parent.Get()).text, L"收藏夹备份.dat");

    // A text set while there is no window is the one the next window shows.
    tip.Destroy();
    tip.SetTipText(L"Favorite2.dat.2012.02.28.09");
    tip.Create(parent.Get());
    EXPECT_EQ(ReadTool(tip.Window(), parent.Get()).text, L"Favorite2.dat.2012.02.28.09");
}

TEST_F(TooltipTest, CreateSendsATitleOrAnIconAlone) {
    TooltipMessageLog log;
    tip.Create(parent.Get());
    EXPECT_EQ(log.TakeTitles(), std::vector<Sent>{});

    tip.SetIcon(TTI_INFO);
    log.Take();
    tip.Create(parent.Get());
    EXPECT_EQ(log.TakeTitles(), (std::vector<Sent>{{tip.Window(), TTM_SETTITLEW, TTI_INFO, L""}}));

    tip.SetIcon(TTI_NONE);
    tip.SetTitle(L"收藏夹");
    log.Take();
    tip.Create(parent.Get());
    EXPECT_EQ(log.TakeTitles(), (std::vector<Sent>{{tip.Window(), TTM_SETTITLEW, TTI_NONE, L"收藏夹"}}));

    tip.SetIcon(TTI_ERROR);
    log.Take();
    tip.Create(parent.Get());
    EXPECT_EQ(log.TakeTitles(), (std::vector<Sent>{{tip.Window(), TTM_SETTITLEW, TTI_ERROR, L"收藏夹"}}));
}

TEST_F(TooltipTest, TitleAndIconSettersSendOnlyWithBothOnALiveWindow) {
    TooltipMessageLog log;
    tip.Create(parent.Get());
    const HWND window = tip.Window();
    log.Take();

    tip.SetTitle(L"新标题");
    EXPECT_EQ(log.TakeTitles(), std::vector<Sent>{});
    tip.SetIcon(TTI_WARNING);
    EXPECT_EQ(log.TakeTitles(), (std::vector<Sent>{{window, TTM_SETTITLEW, TTI_WARNING, L"新标题"}}));
    tip.SetTitle(L"备份");
    EXPECT_EQ(log.TakeTitles(), (std::vector<Sent>{{window, TTM_SETTITLEW, TTI_WARNING, L"备份"}}));

    tip.SetTitle(L"");
    EXPECT_EQ(log.TakeTitles(), std::vector<Sent>{});
    tip.SetIcon(TTI_INFO);
    EXPECT_EQ(log.TakeTitles(), std::vector<Sent>{});
    tip.SetTitle(L"收藏");
    EXPECT_EQ(log.TakeTitles(), (std::vector<Sent>{{window, TTM_SETTITLEW, TTI_INFO, L"收藏"}}));
    tip.SetIcon(TTI_NONE);
    EXPECT_EQ(log.TakeTitles(), std::vector<Sent>{});

    // Without a window the setters only store.
    tip.Destroy();
    tip.SetIcon(TTI_ERROR);
    tip.SetTitle(L"标题");
    EXPECT_EQ(log.TakeTitles(), std::vector<Sent>{});
}

TEST_F(TooltipTest, ColoursOfZeroAreLeftToTheControlAtCreate) {
    const UniqueWindow fresh = FreshControl();
    ASSERT_TRUE(fresh);
    tip.Create(parent.Get());
    EXPECT_EQ(TextColor(tip.Window()), TextColor(fresh.Get()));
    EXPECT_EQ(BackColor(tip.Window()), BackColor(fresh.Get()));
    EXPECT_NE(BackColor(tip.Window()), 0u);

    tip.SetForeColor(0x00123456);
    tip.SetBackColor(0x00ABCDEF);
    tip.Create(parent.Get());
    EXPECT_EQ(TextColor(tip.Window()), 0x00123456u);
    EXPECT_EQ(BackColor(tip.Window()), 0x00ABCDEFu);
}

TEST_F(TooltipTest, ColourSettersOnALiveWindowSendAtOnceZeroIncluded) {
    tip.Create(parent.Get());
    tip.SetForeColor(0x00FFFFFF);
    tip.SetBackColor(0x00800000);
    EXPECT_EQ(TextColor(tip.Window()), 0x00FFFFFFu);
    EXPECT_EQ(BackColor(tip.Window()), 0x00800000u);

    tip.SetForeColor(0);
    tip.SetBackColor(0);
    EXPECT_EQ(TextColor(tip.Window()), 0u);
    EXPECT_EQ(BackColor(tip.Window()), 0u);
}

TEST_F(TooltipTest, DelayTimesReachTheControlAtCreate) {
    tip.Create(parent.Get());
    EXPECT_EQ(DelayTime(tip.Window(), TTDT_AUTOPOP), 5000);
    EXPECT_EQ(DelayTime(tip.Window(), TTDT_INITIAL), 500);

    tip.SetVisibleTime(12000);
    tip.SetDelayTime(250);
    EXPECT_EQ(DelayTime(tip.Window(), TTDT_AUTOPOP), 5000);
    EXPECT_EQ(DelayTime(tip.Window(), TTDT_INITIAL), 500);
    tip.Create(parent.Get());
    EXPECT_EQ(DelayTime(tip.Window(), TTDT_AUTOPOP), 12000);
    EXPECT_EQ(DelayTime(tip.Window(), TTDT_INITIAL), 250);

    // The times go unchanged; the control keeps their low 16 bits.
    tip.SetVisibleTime(0x10000 + 3000);
    tip.Create(parent.Get());
    EXPECT_EQ(DelayTime(tip.Window(), TTDT_AUTOPOP), 3000);
}

TEST_F(TooltipTest, CreateSendsItsMessagesInOrder) {
    TooltipMessageLog log;
    tip.Create(parent.Get());
    const HWND plain = tip.Window();
    const std::vector<Sent> plainMessages{{plain, WM_CREATE, 0, {}},
                                          {plain, TTM_ADDTOOLW, 0, {}},
                                          {plain, TTM_SETDELAYTIME, TTDT_AUTOPOP, {}},
                                          {plain, TTM_SETDELAYTIME, TTDT_INITIAL, {}}};
    EXPECT_EQ(log.Take(), plainMessages);
    EXPECT_EQ(log.toolRecordSize, TTTOOLINFOW_V2_SIZE);

    tip.SetIcon(TTI_INFO);
    tip.SetTitle(L"收藏夹");
    tip.SetForeColor(0x00010203);
    tip.SetBackColor(0x00040506);
    log.Take();
    tip.Create(parent.Get());
    const HWND full = tip.Window();
    const std::vector<Sent> fullMessages{{plain, WM_DESTROY, 0, {}},
                                         {full, WM_CREATE, 0, {}},
                                         {full, TTM_ADDTOOLW, 0, {}},
                                         {full, TTM_SETTITLEW, TTI_INFO, L"收藏夹"},
                                         {full, TTM_SETTIPTEXTCOLOR, 0x00010203, {}},
                                         {full, TTM_SETTIPBKCOLOR, 0x00040506, {}},
                                         {full, TTM_SETDELAYTIME, TTDT_AUTOPOP, {}},
                                         {full, TTM_SETDELAYTIME, TTDT_INITIAL, {}}};
    EXPECT_EQ(log.Take(), fullMessages);
}

TEST_F(TooltipTest, ATipThatCannotBeMadeLeavesNoWindow) {
    tip.SetTipText(L"Favorite2.dat");
    {
        const UniqueHook refusal(SetWindowsHookExW(WH_CBT, RefuseCreation, nullptr, GetCurrentThreadId()));
        ASSERT_TRUE(refusal);
        tip.Create(parent.Get());
    }
    EXPECT_EQ(tip.Window(), nullptr);
    EXPECT_TRUE(ThreadTooltips().empty());
    tip.SetTipText(L"收藏夹");
    tip.SetTitle(L"标题");
    tip.SetIcon(TTI_INFO);
    tip.SetForeColor(0x00FFFFFF);
    tip.Destroy();
    EXPECT_EQ(tip.Window(), nullptr);

    // The next Create works again.
    tip.Create(parent.Get());
    ASSERT_NE(tip.Window(), nullptr);
    EXPECT_EQ(ReadTool(tip.Window(), parent.Get()).text, L"收藏夹");
}
