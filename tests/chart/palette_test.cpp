#include "chart/palette.h"

#include <gtest/gtest.h>

namespace hygrova {
namespace {

testing::AssertionResult Is(Rgb c, int r, int g, int b)
{
    if (c.r == r && c.g == g && c.b == b) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure() << +c.r << ", " << +c.g << ", " << +c.b;
}

TEST(PaletteTest, MapsIndexesToTheSixteenColors)
{
    // The default families (moisture 0, enthalpy 2, relative humidity 9, isotherms 7), the
    // two greys, and 15, offered as "hide": the white of the chart's background.
    EXPECT_TRUE(Is(QBColor(0), 0, 0, 0));
    EXPECT_TRUE(Is(QBColor(2), 0, 128, 0));
    EXPECT_TRUE(Is(QBColor(9), 0, 0, 255));
    EXPECT_TRUE(Is(QBColor(7), 192, 192, 192));
    EXPECT_TRUE(Is(QBColor(8), 128, 128, 128));
    EXPECT_TRUE(Is(QBColor(12), 255, 0, 0));
    EXPECT_TRUE(Is(QBColor(15), 255, 255, 255));
    // Outside 0..15 the index wraps instead of reading beyond the table.
    EXPECT_TRUE(Is(QBColor(16), 0, 0, 0));
    EXPECT_TRUE(Is(QBColor(-1), 255, 255, 255));
}

}  // namespace
}  // namespace hygrova
