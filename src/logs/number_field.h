#pragma once

// A field of a measurement log read as a number strictly: the whole field must be one, so
// that a missing reading ("NaN", "N/A", "--", "#VALUE!", an empty field) or a misread one
// ("20,5" where the decimal mark is a point, "0x14", "20 °C") never reaches the query, whose
// leading-number parse would read it as 0 or as its first digits.

#include <string>
#include <string_view>

namespace hygrova {

// The decimal mark of a log's numbers.
enum class DecimalMark { kPoint, kComma };

enum class NumberProblem {
    kNone,
    kEmpty,           // nothing but blanks
    kNotANumber,      // anything but: blanks, sign, digits with one decimal mark, exponent, blanks
    kOtherMark,       // a number with the other decimal mark
    kOutOfRange,      // beyond the range of double, either way
};

// Reads `field` as a number: optional blanks (spaces, tabs), an optional sign, digits with
// at most one decimal mark `mark` (at least one digit), an optional exponent (E or e, an
// optional sign and digits), optional blanks. On success `queryText` holds the number as the
// query's leading-number parse reads the same value: blanks removed, a period as the mark.
NumberProblem ReadNumberField(std::string_view field, DecimalMark mark, std::string& queryText);

// What is wrong with `field`, for a message: "\"N/A\" is not a number", "no value", and so on.
// `mark` is the decimal mark the field was read with.
std::string NumberProblemText(NumberProblem problem, std::string_view field, DecimalMark mark);

}  // namespace hygrova
