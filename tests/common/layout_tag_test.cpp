#include "common/layout_tag.h"

#include <optional>
#include <string>
#include <utility>

#include <gtest/gtest.h>

namespace hygrova {
namespace {

// The layout record text: general decimals, one blank after each, read back up to the blanks.
TEST(LayoutTagTest, FormatAndParse)
{
    EXPECT_EQ(FormatLayoutTag({240, 360, 1095, 255}), "240 360 1095 255 ");
    EXPECT_EQ(FormatLayoutTag({12.5, 0, -3, 1e6}), "12.5 0 -3 1000000 ");

    struct Row {
        const char* tag;
        std::optional<LayoutRecord> record;
    };
    const Row rows[] = {
        {"240 360 1095 255 ", LayoutRecord{240, 360, 1095, 255}},
        {"12.5 0 -3 1000000 ", LayoutRecord{12.5, 0, -3, 1e6}},
        {"", LayoutRecord{0, 0, 0, 0}},                  // no blank: zeros
        {"240 360 ", LayoutRecord{240, 360, 0, 0}},      // missing values are 0
        {"240 360 1095", LayoutRecord{240, 360, 0, 0}},  // no blank after the third
        {"240 x 1095 255 ", std::nullopt},               // a piece that is not a number
        {"+240 360 1095 255 ", std::nullopt},            // no sign but minus
        {"240  1095 255 ", std::nullopt},                // an empty piece
    };
    for (const Row& row : rows) {
        EXPECT_EQ(ParseLayoutTag(row.tag), row.record) << '"' << row.tag << '"';
    }
}

// Design sizes are recorded rounded to the nearest integer, ties to even.
TEST(LayoutTagTest, RoundHalfEven)
{
    const std::pair<double, long> rows[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {-2.5, -2}, {2.6, 3}};
    for (const auto& [x, rounded] : rows) {
        EXPECT_EQ(RoundHalfEven(x), rounded) << x;
    }
}

}  // namespace
}  // namespace hygrova
