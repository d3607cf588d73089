#include "account/scan_columns.h"

#include <algorithm>

namespace {

// The number in decimal with leading zeros up to `digits`; a longer number keeps all its digits.
void AppendPadded(std::wstring& text, int value, std::size_t digits) {
    const std::wstring number = std::to_wstring(value);
    if (number.size() < digits) text.append(digits - number.size(), L'0');
    text += number;
}

}  // namespace

std::wstring SizeColumnText(const ScanRow& row) {
    return row.isFolder ? std::wstring() : std::to_wstring(row.size);
}

std::wstring SizeCellText(const ScanRow& row) {
    return SizeColumnText(row) + L'\u2003';
}

std::wstring ComposeTimeText(const LocalTime& time,
                             std::wstring_view timeSeparator,
                             std::wstring_view dateSeparator,
                             std::wstring_view monthName) {
    std::wstring text;
    AppendPadded(text, time.hour, 2);
    text += timeSeparator;
    AppendPadded(text, time.minute, 2);
    text += L' ';
    AppendPadded(text, time.year, 4);
    text += dateSeparator;
    text += monthName;
    text += dateSeparator;
    AppendPadded(text, time.day, 2);
    return text;
}

std::array<int, 4> ColumnWidths(int available, const std::array<int, 4>& needs) {
    constexpr int kSixths[] = {2, 1, 1, 2};
    std::array<int, 4> widths{};
    for (int i = 0, sixthsBefore = 0; i < 4; sixthsBefore += kSixths[i++]) {
        widths[i] = available * (sixthsBefore + kSixths[i]) / 6 - available * sixthsBefore / 6;
    }
    int missing = needs[0] - widths[0];
    for (const int donor : {3, 1, 2}) {
        const int taken = std::max(0, std::min(missing, widths[donor] - needs[donor]));
        widths[donor] -= taken;
        widths[0] += taken;
        missing -= taken;
    }
    widths[0] += std::max(0, missing);
    return widths;
}
