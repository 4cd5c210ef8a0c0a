#include "common/number_text.h"

#include <clocale>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace hygrova {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

struct ParseCase {
    const char* name;
    std::string text;
    double expected;
};

// How a typed entry is read: blanks, tabs and line feeds vanish wherever they stand, the
// longest leading number counts, anything else reads as 0.
TEST(NumberTextTest, LeadingNumberParse)
{
    const std::vector<ParseCase> cases = {
        {"plain integer", "25", 25.0},
        {"blank between digits", "2 5", 25.0},
        {"tab and line feed inside", "\t2\n5\n", 25.0},
        {"blanks around the sign", " - 2 5 ", -25.0},
        {"explicit plus", "+7.5", 7.5},
        {"negative fraction without zero", "-.5", -0.5},
        {"trailing period", "5.", 5.0},
        {"period alone", ".", 0.0},
        {"sign alone", "-", 0.0},
        {"two signs", "+-5", 0.0},
        {"second period ends the number", "1.5.3", 1.5},
        {"trailing letters", "25abc", 25.0},
        {"letters only", "abc", 0.0},
        {"empty", "", 0.0},
        {"blanks only", "   ", 0.0},
        {"comma is not a decimal separator", "2,5", 2.0},
        {"exponent", "1.5E3", 1500.0},
        {"lower-case exponent with sign", "25e-1", 2.5},
        {"blank inside the exponent", "1 e 2", 100.0},
        {"exponent without digits", "1e", 1.0},
        {"exponent sign without digits", "1e+", 1.0},
        {"exponent letter alone", "e5", 0.0},
        {"hexadecimal", "&HFF", 255.0},
        {"hexadecimal, lower case, stops at a non-digit", "&h1fg", 31.0},
        {"hexadecimal with blanks", "& H 1 0", 16.0},
        {"octal", "&O17", 15.0},
        {"octal stops at 8", "&o178", 15.0},
        {"prefix without digits", "&H", 0.0},
        {"ampersand alone", "&", 0.0},
        {"carriage return is not skipped", "2\r5", 2.0},
        {"leading carriage return", "\r25", 0.0},
        {"leading zeros", "007", 7.0},
    };
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_DOUBLE_EQ(ParseLeadingNumber(c.text), c.expected) << '"' << c.text << '"';
    }
}

TEST(NumberTextTest, LeadingNumberBeyondDoubleRange)
{
    EXPECT_EQ(ParseLeadingNumber("1e400"), kInfinity);
    EXPECT_EQ(ParseLeadingNumber("-1e400"), -kInfinity);
    EXPECT_EQ(ParseLeadingNumber("1" + std::string(400, '0')), kInfinity);
    EXPECT_EQ(ParseLeadingNumber("1e-400"), 0.0);
    EXPECT_EQ(ParseLeadingNumber("-0.001e-400"), 0.0);
    EXPECT_EQ(ParseLeadingNumber("1e99999999999999999999"), kInfinity);
    // Within double range but not single: the caller's rounding decides.
    EXPECT_DOUBLE_EQ(ParseLeadingNumber("1e39"), 1e39);
    EXPECT_EQ(static_cast<float>(ParseLeadingNumber("1e-60")), 0.0f);
}

struct TextCase {
    const char* name;
    float value;
    const char* expected;
};

TEST(NumberTextTest, PlainNumberTextForms)
{
    const std::vector<TextCase> cases = {
        {"positive integer", 25.0f, " 25"},
        {"negative", -3.25f, "-3.25"},
        {"zero before the period", 0.841f, " 0.841"},
        {"zero", 0.0f, " 0"},
        {"negative zero", -0.0f, " 0"},
        {"no trailing zeros", 2.5f, " 2.5"},
        {"round hundred", 100.0f, " 100"},
        {"seven significant digits", 3.14159265f, " 3.141593"},
        {"rounded to seven digits", 1234567.8f, " 1234568"},
        {"largest plain", 9999999.0f, " 9999999"},
        {"small fraction", 0.1234567f, " 0.1234567"},
        {"smallest plain", 0.0001f, " 0.0001"},
        {"plain with leading zeros", -0.00012345f, "-0.00012345"},
        {"ten million", 1e7f, " 1E+07"},
        {"large", 12345678.0f, " 1.234568E+07"},
        {"below 1E-04", 0.00005f, " 5E-05"},
        {"negative tiny", -1.25e-30f, "-1.25E-30"},
        {"near the float limit", 3e38f, " 3E+38"},
        {"pressure in Pa", 1169.24f, " 1169.24"},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(PlainNumberText(c.value), c.expected);
    }
}

// Seven significant digits: reading the text back is within half a unit of the seventh digit.
TEST(NumberTextTest, PlainNumberTextReadsBack)
{
    const float mantissas[] = {1.0f, 1.234567f, 2.5f, 3.1415927f, 5.0000005f, 9.999999f};
    for (int exponent = -30; exponent <= 30; ++exponent) {
        for (const float mantissa : mantissas) {
            for (const float sign : {1.0f, -1.0f}) {
                const auto value = static_cast<float>(sign * mantissa * std::pow(10.0, exponent));
                const std::string text = PlainNumberText(value);
                const double back = ParseLeadingNumber(text);
                EXPECT_NEAR(back, value, 5e-7 * std::fabs(value)) << text;
                EXPECT_EQ(text[0], sign > 0 ? ' ' : '-') << text;
            }
        }
    }
}

// The period stays the decimal separator when the C locale uses a comma.
TEST(NumberTextTest, IndependentOfTheLocaleDecimalSeparator)
{
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    const char* const commaLocales[] = {"de_DE.UTF-8", "de_DE.utf8",  "fr_FR.UTF-8", "fr_FR.utf8",
                                        "ru_RU.UTF-8", "nl_NL.UTF-8", "de_DE",       "fr_FR"};
    bool found = false;
    for (const char* name : commaLocales) {
        if (std::setlocale(LC_NUMERIC, name) != nullptr &&
            std::localeconv()->decimal_point[0] == ',') {
            found = true;
            break;
        }
    }
    if (!found) {
        std::setlocale(LC_NUMERIC, previous.c_str());
        GTEST_SKIP() << "no locale with a decimal comma is installed";
    }
    const std::string shown = PlainNumberText(0.841f);
    const std::string large = PlainNumberText(12345678.0f);
    const double periodRead = ParseLeadingNumber("2.5");
    const double commaRead = ParseLeadingNumber("2,5");
    std::setlocale(LC_NUMERIC, previous.c_str());

    EXPECT_EQ(shown, " 0.841");
    EXPECT_EQ(large, " 1.234568E+07");
    EXPECT_DOUBLE_EQ(periodRead, 2.5);
    EXPECT_DOUBLE_EQ(commaRead, 2.0);
}

}  // namespace
}  // namespace hygrova
