#include "account/column_widths.h"

#include <algorithm>

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
