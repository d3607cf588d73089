#include "account/column_widths.h"

#include <gtest/gtest.h>

// The shares of 2, 1, 1 and 2 sixths fill the width exactly; a name column that would cut a name takes room from the
// time column first, then from the number and size columns, none below its own need, and then grows past the width.
TEST(ColumnWidths, SharesUnlessANameNeedsMoreRoom) {
    using Widths = std::array<int, 4>;
    EXPECT_EQ(ColumnWidths(601, {0, 0, 0, 0}), (Widths{200, 100, 100, 201}));
    EXPECT_EQ(ColumnWidths(600, {150, 50, 60, 120}), (Widths{200, 100, 100, 200}));
    EXPECT_EQ(ColumnWidths(600, {260, 50, 60, 120}), (Widths{260, 100, 100, 140}));
    EXPECT_EQ(ColumnWidths(600, {330, 50, 60, 120}), (Widths{330, 50, 100, 120}));
    EXPECT_EQ(ColumnWidths(600, {500, 50, 60, 120}), (Widths{500, 50, 60, 120}));
}
