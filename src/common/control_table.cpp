#include "common/control_table.h"

#include "common/unique_handle.h"

#include <commctrl.h>

#include <algorithm>
#include <cwchar>

namespace {

struct WindowKind {
    const wchar_t* className;
    DWORD style;
    DWORD extendedStyle;
};

WindowKind KindOf(ControlKind kind) {
    switch (kind) {
        case ControlKind::Button:
            return {WC_BUTTONW, WS_TABSTOP | BS_PUSHBUTTON, 0};
        case ControlKind::Label:
            return {WC_STATICW, SS_LEFT | SS_NOPREFIX, 0};
        case ControlKind::Frame:
            return {WC_BUTTONW, BS_GROUPBOX, 0};
        case ControlKind::DropDownList:
            return {WC_COMBOBOXW, WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0};
        case ControlKind::FileList:
            return {WC_LISTBOXW, WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_SORT | LBS_NOINTEGRALHEIGHT,
                    WS_EX_CLIENTEDGE};
        case ControlKind::TextBox:
            return {WC_EDITW, WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
        case ControlKind::ListView:
            return {WC_LISTVIEWW, WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL | LVS_OWNERDATA,
                    WS_EX_CLIENTEDGE};
    }
    return {WC_STATICW, 0, 0};
}

// A drop-down list's height is that of its list when open; the closed box sizes itself to its font.
constexpr int kDropDownLines = 8;

TwipsRect Absolute(const ControlSpec& spec, std::span<const ControlSpec> table) {
    TwipsRect rect = spec.rect;
    if (spec.frameId != 0) {
        const auto frame = std::find_if(table.begin(), table.end(), [&](const ControlSpec& c) { return c.id == spec.frameId; });
        if (frame != table.end()) {
            rect.left += frame->rect.left;
            rect.top += frame->rect.top;
        }
    }
    return rect;
}

// The order of the z-order, which is also the order Tab moves in: controls that take the focus, in tab order,
// above labels, above frames, so that each control, clipping its lower siblings, shows whole.
int Layer(ControlKind kind) {
    switch (kind) {
        case ControlKind::Label:
            return 1;
        case ControlKind::Frame:
            return 2;
        default:
            return 0;
    }
}

}  // namespace

HFONT ControlFonts::Get(const FontSpec& spec) {
    for (const Entry& entry : fonts_) {
        if (entry.tenthPoints == spec.tenthPoints) return entry.font.Get();
    }
    LOGFONTW font{};
    font.lfHeight = -TenthPointsToPixels(spec.tenthPoints, dpi_);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = GB2312_CHARSET;
    font.lfQuality = DEFAULT_QUALITY;
    wcsncpy(font.lfFaceName, L"SimSun", LF_FACESIZE - 1);
    fonts_.push_back({spec.tenthPoints, UniqueFont{CreateFontIndirectW(&font)}});
    return fonts_.back().font.Get();
}

bool CreateControls(HWND parent, std::span<const ControlSpec> table) {
    std::vector<const ControlSpec*> byTabIndex;
    for (const ControlSpec& spec : table) byTabIndex.push_back(&spec);
    std::sort(byTabIndex.begin(), byTabIndex.end(), [](const ControlSpec* a, const ControlSpec* b) {
        return std::pair(Layer(a->kind), a->tabIndex) < std::pair(Layer(b->kind), b->tabIndex);
    });

    const HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE));
    for (const ControlSpec* spec : byTabIndex) {
        const WindowKind kind = KindOf(spec->kind);
        const HWND control = CreateWindowExW(
            kind.extendedStyle, kind.className, spec->text, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | kind.style, 0, 0,
            0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(spec->id)), instance, nullptr);
        if (!control) return false;
    }
    return true;
}

void LayOutControls(HWND parent, std::span<const ControlSpec> table, ControlFonts& fonts, int dpi) {
    ControlFonts next(dpi);
    for (const ControlSpec& spec : table) {
        const HWND control = GetDlgItem(parent, spec.id);
        const TwipsRect rect = Absolute(spec, table);
        const int height = TwipsToPixels(rect.height, dpi) * (spec.kind == ControlKind::DropDownList ? kDropDownLines : 1);
        // The font first: a drop-down list sizes its closed box to its font when it is placed.
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(next.Get(spec.font)), FALSE);
        SetWindowPos(control, nullptr, TwipsToPixels(rect.left, dpi), TwipsToPixels(rect.top, dpi),
                     TwipsToPixels(rect.width, dpi), height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    fonts = std::move(next);
    InvalidateRect(parent, nullptr, TRUE);
}
