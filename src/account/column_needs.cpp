#include "account/column_needs.h"

#include "account/column_texts.h"
#include "account/time_column.h"
#include "filesystem/file_version.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

namespace {

// Room a list view keeps around a cell's text, and between the row image and the name, at 96 DPI.
constexpr int kCellMargins = 12;
constexpr int kImageGap = 4;
constexpr int kRowImageSize = 16;

// Widths of texts in one font. A name's width is the sum of its letters' widths, as GDI lays file names out, so a
// long list is measured letter by letter from a table instead of name by name.
class TextWidths {
public:
    explicit TextWidths(HDC dc) : dc_(dc) { GetCharWidth32W(dc_, 0, kAscii - 1, ascii_); }

    int Of(std::wstring_view text) {
        SIZE size{};
        GetTextExtentPoint32W(dc_, text.data(), static_cast<int>(text.size()), &size);
        return size.cx;
    }

    // The width of the widest name, its letters summed; that name is measured whole at the end.
    int Widest(const ScanRows& rows) {
        std::size_t widest = 0;
        int widestSum = -1;
        for (std::size_t row = 0; row < rows.size(); ++row) {
            int sum = 0;
            for (const wchar_t letter : rows.Name(row))
                sum += Letter(letter);
            if (sum > widestSum) {
                widestSum = sum;
                widest = row;
            }
        }
        return rows.empty() ? 0 : std::max(widestSum, Of(rows.Name(widest)));
    }

private:
    static constexpr wchar_t kAscii = 128;

    int Letter(wchar_t letter) {
        if (letter < kAscii) return ascii_[letter];
        const auto [known, added] = others_.try_emplace(letter, 0);
        if (added) GetCharWidth32W(dc_, letter, letter, &known->second);
        return known->second;
    }

    HDC dc_;
    INT ascii_[kAscii] = {};
    std::unordered_map<wchar_t, INT> others_;
};

// The longest time text of any month: the month's name is the only part whose width varies.
std::wstring LongestTimeText(TextWidths& widths) {
    std::wstring longest;
    int longestWidth = -1;
    for (WORD month = 1; month <= 12; ++month) {
        const SYSTEMTIME mid{2000, month, 0, 15, 12, 0, 0, 0};
        FILETIME ticks{};
        SystemTimeToFileTime(&mid, &ticks);
        ScanRow sample;
        sample.lastWriteTime = Ticks(ticks);
        std::wstring text = TimeColumnText(sample);
        if (const int width = widths.Of(text); width > longestWidth) {
            longestWidth = width;
            longest = std::move(text);
        }
    }
    return longest;
}

}  // namespace

std::array<int, 4> ColumnNeeds(HWND list, const std::array<const wchar_t*, 4>& headers, const ScanRows& rows, int dpi) {
    const HDC dc = GetDC(list);
    const HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0)));
    TextWidths widths(dc);
    const int margins = MulDiv(kCellMargins, dpi, USER_DEFAULT_SCREEN_DPI);
    std::array<int, 4> needs{};
    for (std::size_t column = 0; column < needs.size(); ++column)
        needs[column] = widths.Of(headers[column]) + margins;
    if (!rows.empty()) {
        const int image = MulDiv(kRowImageSize + kImageGap, dpi, USER_DEFAULT_SCREEN_DPI);
        std::size_t largest = 0;
        for (std::size_t row = 1; row < rows.size(); ++row) {
            if (rows[row].size > rows[largest].size) largest = row;
        }
        needs[0] = std::max(needs[0], image + widths.Widest(rows) + margins);
        needs[1] = std::max(needs[1], widths.Of(std::to_wstring(rows[rows.size() - 1].number)) + margins);
        needs[2] = std::max(needs[2], widths.Of(SizeCellText(rows[largest])) + margins);
        needs[3] = std::max(needs[3], widths.Of(LongestTimeText(widths)) + margins);
    }
    SelectObject(dc, oldFont);
    ReleaseDC(list, dc);
    return needs;
}
