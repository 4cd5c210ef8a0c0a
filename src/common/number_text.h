#pragma once

#include <string>
#include <string_view>

namespace hygrova {

// Reads a typed number the way every entry box of the program is read. Blanks, tabs and
// line feeds are skipped wherever they stand; the value is the longest leading part of the
// rest that forms a number (optional sign, digits with at most one period, optional exponent
// E or e with optional sign and digits), or a hexadecimal or octal integer after &H or &O
// (either case). A text that does not begin with a number reads as 0. The period is the only
// decimal separator, whatever the locale. A number beyond the range of double reads as
// +-infinity; one too small for it reads as 0.
double ParseLeadingNumber(std::string_view text);

// The plain number text of a computed value: a leading blank for zero and positive values, a
// minus sign for negative ones, then the value rounded to seven significant digits without
// trailing zeros or a trailing period, with a period as decimal separator and a zero before
// the period of values below 1 (" 25", "-3.25", " 0.841"). Magnitudes that seven plain
// digits cannot show, 1E+07 and above or below 1E-04, take the exponent form of
// seven significant digits, " 1.234568E+07" or "-5E-05", which ParseLeadingNumber reads back.
std::string PlainNumberText(float value);

namespace reference {

// PlainNumberText assembled digit by digit from the scientific form: the definition the
// library-based PlainNumberText is proven against on every float by the deep check.
std::string PlainNumberText(float value);

}  // namespace reference

}  // namespace hygrova
