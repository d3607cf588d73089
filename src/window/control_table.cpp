#include "window/control_table.h"

#include "win32/unique_handle.h"

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
            // Its height is fitted to whole rows by the file list itself, which knows when its horizontal scroll
            // bar shows.
            return {WC_LISTBOXW, WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_SORT | LBS_NOINTEGRALHEIGHT,
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

TwipsRect Absolute(const ControlDesign& design, std::span<const ControlDesign> table) {
    TwipsRect rect = design.rect;
    if (design.frameId != 0) {
        const auto frame =
            std::find_if(table.begin(), table.end(), [&](const ControlDesign& c) { return c.id == design.frameId; });
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

// A control where the layout puts it, in the parent's client area, in pixels, with the height of its font.
struct Placed {
    const ControlDesign* design;
    RECT rect;
    int fontPixels;
};

bool Overlap(LONG start1, LONG end1, LONG start2, LONG end2) {
    return start1 < end2 && start2 < end1;
}

// Sizes of texts as a label draws them, in the fonts of one layout.
class TextMeasure {
public:
    explicit TextMeasure(ControlFonts& fonts)
        : dc_(CreateCompatibleDC(nullptr)), original_(GetCurrentObject(dc_, OBJ_FONT)), fonts_(fonts) {}
    TextMeasure(const TextMeasure&) = delete;
    TextMeasure& operator=(const TextMeasure&) = delete;
    // The DC gives back the font it came with before it goes, so that no font of ours is deleted while selected.
    ~TextMeasure() {
        SelectObject(dc_, original_);
        DeleteDC(dc_);
    }

    // The text broken into lines within `width`, or on one line where `width` is 0.
    SIZE Measure(const wchar_t* text, int fontPixels, LONG width) {
        SelectObject(dc_, fonts_.Get(fontPixels));
        RECT rect{0, 0, width, 0};
        DrawTextW(dc_, text, -1, &rect,
                  DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS | (width ? DT_WORDBREAK : DT_SINGLELINE));
        return {rect.right, rect.bottom};
    }

private:
    HDC dc_;
    HGDIOBJ original_;
    ControlFonts& fonts_;
};

// Kept free between a label that grows and what is beside or below it, and inside a frame's or the window's edge, in
// twips: a quarter of the designs' margin, and the margin itself.
constexpr int kGapTwips = 30;
constexpr int kEdgeTwips = 120;
// How many pixels smaller a label's font may get where no free space is enough.
constexpr int kSmallerFontSteps = 2;

// Where a label's scaled rectangle would cut its text (the part under a control that covers it counts as cut), gives
// it the room it needs: wider into the free space beside it, else taller into the free space below it, else both;
// failing that, the same with a font a pixel smaller, then two. Every other control keeps its rectangle.
void GiveLabelsRoom(std::vector<Placed>& placed, const RECT& client, int dpi, TextMeasure& measure) {
    const LONG gap = TwipsToPixels(kGapTwips, dpi), edge = TwipsToPixels(kEdgeTwips, dpi);
    for (Placed& label : placed) {
        if (label.design->kind != ControlKind::Label || !*label.design->text) continue;
        const RECT designed = label.rect;
        RECT room{designed.left, designed.top, client.right - edge, client.bottom - edge};
        LONG visibleBottom = designed.bottom;
        for (const Placed& other : placed) {
            const RECT& r = other.rect;
            if (other.design->id == label.design->frameId) {
                room.right = std::min(room.right, r.right - edge);
                room.bottom = std::min(room.bottom, r.bottom - edge);
            } else if (&other != &label && other.design->kind != ControlKind::Frame && r.left >= designed.right &&
                       Overlap(r.top, r.bottom, designed.top, designed.bottom)) {
                room.right = std::min(room.right, r.left - gap);
            }
        }
        for (const Placed& other : placed) {
            const RECT& r = other.rect;
            if (&other == &label || other.design->kind == ControlKind::Frame || r.top <= designed.top ||
                !Overlap(r.left, r.right, designed.left, room.right)) {
                continue;
            }
            // A control that starts within the label hides the rest of it; one below bounds how far it may grow.
            if (r.top < designed.bottom && other.design->kind != ControlKind::Label) {
                if (Overlap(r.left, r.right, designed.left, designed.right))
                    visibleBottom = std::min(visibleBottom, r.top);
                room.bottom = std::min(room.bottom, r.top);
            } else if (r.top >= designed.bottom) {
                room.bottom = std::min(room.bottom, r.top - gap);
            }
        }

        const LONG width = designed.right - designed.left, visible = visibleBottom - designed.top;
        const LONG roomWidth = room.right - room.left, roomHeight = room.bottom - room.top;
        const wchar_t* text = label.design->text;
        for (int step = 0; step <= kSmallerFontSteps; ++step) {
            const int font = label.fontPixels - step;
            const SIZE wrapped = measure.Measure(text, font, width);
            const SIZE oneLine = measure.Measure(text, font, 0);
            const SIZE widest = measure.Measure(text, font, roomWidth);
            SIZE needed{};
            if (wrapped.cx <= width && wrapped.cy <= visible) {
                needed = {width, 0};
            } else if (oneLine.cx <= roomWidth && oneLine.cy <= visible) {
                needed = {oneLine.cx, 0};
            } else if (wrapped.cx <= width && wrapped.cy <= roomHeight) {
                needed = {width, wrapped.cy};
            } else if (widest.cx <= roomWidth && widest.cy <= roomHeight) {
                needed = widest;
            } else {
                continue;
            }
            label.rect.right = designed.left + std::max(width, needed.cx);
            label.rect.bottom = designed.top + std::max(designed.bottom - designed.top, needed.cy);
            label.fontPixels = font;
            break;
        }
    }
}

}  // namespace

HFONT ControlFonts::Get(int pixels) {
    for (const Entry& entry : fonts_) {
        if (entry.pixels == pixels) return entry.font.Get();
    }
    LOGFONTW font{};
    font.lfHeight = -pixels;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = GB2312_CHARSET;
    font.lfQuality = DEFAULT_QUALITY;
    wcsncpy(font.lfFaceName, L"SimSun", LF_FACESIZE - 1);
    fonts_.push_back({pixels, UniqueFont{CreateFontIndirectW(&font)}});
    return fonts_.back().font.Get();
}

bool CreateControls(HWND parent, std::span<const ControlDesign> table) {
    std::vector<const ControlDesign*> byTabIndex;
    for (const ControlDesign& design : table)
        byTabIndex.push_back(&design);
    std::sort(byTabIndex.begin(), byTabIndex.end(), [](const ControlDesign* a, const ControlDesign* b) {
        return std::pair(Layer(a->kind), a->tabIndex) < std::pair(Layer(b->kind), b->tabIndex);
    });

    const HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE));
    for (const ControlDesign* design : byTabIndex) {
        const WindowKind kind = KindOf(design->kind);
        const HWND control = CreateWindowExW(
            kind.extendedStyle, kind.className, design->text, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | kind.style, 0,
            0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(design->id)), instance, nullptr);
        if (!control) return false;
    }
    return true;
}

void LayOutControls(HWND parent, std::span<const ControlDesign> table, ControlFonts& fonts, int dpi) {
    ControlFonts next(dpi);
    std::vector<Placed> placed;
    for (const ControlDesign& design : table) {
        const TwipsRect rect = Absolute(design, table);
        const LONG left = TwipsToPixels(rect.left, dpi), top = TwipsToPixels(rect.top, dpi);
        placed.push_back({&design,
                          {left, top, left + TwipsToPixels(rect.width, dpi), top + TwipsToPixels(rect.height, dpi)},
                          TenthPointsToPixels(design.font.tenthPoints, dpi)});
    }
    RECT client{};
    GetClientRect(parent, &client);
    {
        TextMeasure measure(next);
        GiveLabelsRoom(placed, client, dpi, measure);
    }
    for (const Placed& control : placed) {
        const HWND window = GetDlgItem(parent, control.design->id);
        const RECT& rect = control.rect;
        const LONG height =
            (rect.bottom - rect.top) * (control.design->kind == ControlKind::DropDownList ? kDropDownLines : 1);
        // The font first: a drop-down list sizes its closed box to its font when it is placed.
        SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(next.Get(control.fontPixels)), FALSE);
        SetWindowPos(window, nullptr, rect.left, rect.top, rect.right - rect.left, height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    fonts = std::move(next);
    InvalidateRect(parent, nullptr, TRUE);
}
