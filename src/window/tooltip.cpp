// The tooltip control behind CTooltip: its window, its one tool and the messages that carry the settings.
#include "window/tooltip.h"

#include <cstddef>
#include <utility>

// The record ends with lParam, so it keeps the size that older common controls accept too.
static_assert(sizeof(void*) != 4 || offsetof(TTTOOLINFOW, lParam) + sizeof(LPARAM) == 44,
              "the 32-bit tool record is 44 bytes");

CTooltip::CTooltip() {
    InitCommonControls();
}

void CTooltip::Create(HWND parent) {
    // The old tip goes first, so at no moment does the object hold two.
    window_.Reset();

    const DWORD style = TTS_ALWAYSTIP | TTS_NOPREFIX | (style_ == kBalloon ? TTS_BALLOON : 0);
    window_.Reset(CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, style, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                  CW_USEDEFAULT, GetAncestor(parent, GA_ROOT), nullptr, GetModuleHandleW(nullptr),
                                  nullptr));

    tool_ = {};
    tool_.cbSize = TTTOOLINFOW_V2_SIZE;
    tool_.uFlags = TTF_SUBCLASS | TTF_IDISHWND | (centered_ ? TTF_CENTERTIP : 0);
    tool_.hwnd = parent;
    tool_.uId = reinterpret_cast<UINT_PTR>(parent);
    tool_.hinst = GetModuleHandleW(nullptr);
    tool_.lpszText = tipText_.data();
    if (!window_) return;

    SendMessageW(window_.Get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool_));
    // Here either a title or an icon is enough; the setters ask for both.
    if (!title_.empty() || icon_ != TTI_NONE) SendTitle();
    // A colour of 0 counts as unset here: the control keeps its own.
    if (foreColor_ != 0) SendMessageW(window_.Get(), TTM_SETTIPTEXTCOLOR, foreColor_, 0);
    if (backColor_ != 0) SendMessageW(window_.Get(), TTM_SETTIPBKCOLOR, backColor_, 0);
    SendMessageW(window_.Get(), TTM_SETDELAYTIME, TTDT_AUTOPOP, visibleTime_);
    SendMessageW(window_.Get(), TTM_SETDELAYTIME, TTDT_INITIAL, delayTime_);
}

void CTooltip::SetIcon(int icon) {
    icon_ = icon;
    SendTitleIfComplete();
}

void CTooltip::SetForeColor(COLORREF color) {
    foreColor_ = color;
    if (window_) SendMessageW(window_.Get(), TTM_SETTIPTEXTCOLOR, foreColor_, 0);
}

void CTooltip::SetTitle(std::wstring title) {
    title_ = std::move(title);
    SendTitleIfComplete();
}

void CTooltip::SetBackColor(COLORREF color) {
    backColor_ = color;
    if (window_) SendMessageW(window_.Get(), TTM_SETTIPBKCOLOR, backColor_, 0);
}

void CTooltip::SetTipText(std::wstring text) {
    tipText_ = std::move(text);
    tool_.lpszText = tipText_.data();
    if (window_) SendMessageW(window_.Get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool_));
}

void CTooltip::SendTitle() {
    SendMessageW(window_.Get(), TTM_SETTITLEW, static_cast<WPARAM>(icon_), reinterpret_cast<LPARAM>(title_.c_str()));
}

void CTooltip::SendTitleIfComplete() {
    if (window_ && !title_.empty() && icon_ != TTI_NONE) SendTitle();
}
