// A window's controls as one table (kind, name, text, twips rectangle, font, tab order) and the code that
// turns such a table into child windows at the window's DPI.
#pragma once

#include "win32/unique_handle.h"
#include "window/twips.h"

#include <windows.h>

#include <span>
#include <vector>

enum class ControlKind { Button, Label, Frame, DropDownList, FileList, TextBox, ListView };

// Every text of the program is Chinese, so every control uses SimSun with the GB2312 character set: the
// system's own default face may have no Chinese letters at all (on an English system without font linking).
struct FontSize {
    int tenthPoints;
};

inline constexpr FontSize kSimSun9{90};  // the windows' default font
inline constexpr FontSize kSimSun10_5{105};
inline constexpr FontSize kSimSun12{120};

struct ControlDesign {
    int id;
    ControlKind kind;
    const wchar_t* name;  // the control's name in the window's design, for reading the table
    const wchar_t* text;
    TwipsRect rect;  // relative to the frame `frameId` when that is not 0
    FontSize font;
    int tabIndex;
    int frameId = 0;
};

// Owns the fonts that a window's controls use at one DPI, for as long as they use them.
class ControlFonts {
public:
    explicit ControlFonts(int dpi = USER_DEFAULT_SCREEN_DPI) : dpi_(dpi) {}
    int Dpi() const { return dpi_; }
    HFONT Get(const FontSize& design) { return Get(TenthPointsToPixels(design.tenthPoints, dpi_)); }
    // SimSun of this height in pixels (its em, without leading).
    HFONT Get(int pixels);

private:
    struct Entry {
        int pixels;
        UniqueFont font;
    };
    int dpi_;
    std::vector<Entry> fonts_;
};

// Creates the table's controls as children of `parent`, in tab order, not yet placed. Returns false when one
// could not be made.
bool CreateControls(HWND parent, std::span<const ControlDesign> table);

// Places every control of the table at `dpi` and gives it its font made for that DPI. A label whose text the
// scaled rectangle would cut gets the room it needs: from the free space beside or below it, else with a font a
// pixel or two smaller. The fonts of an earlier layout are released only after no control uses them.
void LayOutControls(HWND parent, std::span<const ControlDesign> table, ControlFonts& fonts, int dpi);
