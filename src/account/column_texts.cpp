#include "account/column_texts.h"

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
    return SizeColumnText(row) + L'\u3000';
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
