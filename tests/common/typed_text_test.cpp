#include "common/typed_text.h"

#include "common/number_text.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace hygrova {
namespace {

struct TypedCase {
    const char* name;
    std::string typed;
    std::string ascii;
    double value;  // what the leading-number parse reads from the ASCII text
};

// What a Chinese input method types for a number reads as the number, and nothing else of a
// text changes.
TEST(TypedTextTest, FullWidthFormsBecomeAscii)
{
    const std::vector<TypedCase> cases = {
        {"full-width digits", "２０", "20", 20},
        {"full-width pressure", "１０１３２５", "101325", 101325},
        {"full-width period and minus", "－１２．５", "-12.5", -12.5},
        {"full-width plus and exponent", "＋１Ｅ３", "+1E3", 1000},
        {"lower-case full-width exponent", "２５ｅ－１", "25e-1", 2.5},
        {"ideographic full stop as the period", "２０。５", "20.5", 20.5},
        {"ideographic space is a blank", "　２　５", " 2 5", 25},
        {"full-width hexadecimal prefix", "＆Ｈ１Ｆ", "&H1F", 31},
        {"full-width letters after the number", "２５ａｂｃ", "25abc", 25},
        {"mixed widths", "1０1３25", "101325", 101325},
        {"ASCII unchanged", " 101325abc ", " 101325abc ", 101325},
        {"other Chinese text unchanged", "二十℃", "二十℃", 0},
        {"half-width katakana unchanged", "ｱ", "ｱ", 0},
        {"first and last of the full-width block", "！～", "!~", 0},
        {"neighbours of the block unchanged", "\uFF00\uFF5F", "\uFF00\uFF5F", 0},
        {"truncated sequence unchanged", "2\xEF\xBC", "2\xEF\xBC", 2},
        {"empty", "", "", 0},
    };
    for (const TypedCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string ascii = AsciiFormsOf(c.typed);
        EXPECT_EQ(ascii, c.ascii);
        EXPECT_EQ(ParseLeadingNumber(ascii), c.value);
    }
}

}  // namespace
}  // namespace hygrova
