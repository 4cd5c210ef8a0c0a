#include "logs/number_field.h"

#include "logs/csv_fields.h"

#include <charconv>  // std::from_chars
#include <optional>

namespace hygrova {
namespace {

// Longer field texts are cut in messages: a row's message stays readable.
constexpr std::size_t kShownFieldBytes = 40;
// A number written without exponent in fewer characters lies within the range of double.
constexpr std::size_t kPlainDigitsInRange = 300;

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// A number's shape, as ScanNumber finds it.
struct NumberShape {
    std::size_t markAt = std::string_view::npos;  // index of the decimal mark, if any
    bool exponent = false;
};

// The shape of `text` if the whole of it is a number written with `decimal`.
std::optional<NumberShape> ScanNumber(std::string_view text, char decimal)
{
    NumberShape shape;
    std::size_t i = text[0] == '+' || text[0] == '-' ? 1 : 0;
    std::size_t digits = 0;
    for (; i < text.size(); ++i) {
        if (IsDigit(text[i])) {
            ++digits;
        } else if (text[i] == decimal && shape.markAt == std::string_view::npos) {
            shape.markAt = i;
        } else {
            break;
        }
    }
    if (digits == 0) {
        return std::nullopt;
    }
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        shape.exponent = true;
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            ++i;
        }
        const std::size_t exponentStart = i;
        while (i < text.size() && IsDigit(text[i])) {
            ++i;
        }
        if (i == exponentStart) {
            return std::nullopt;
        }
    }
    if (i != text.size()) {
        return std::nullopt;
    }
    return shape;
}

std::string Shown(std::string_view field)
{
    std::string shown = "\"";
    if (field.size() <= kShownFieldBytes) {
        shown.append(field);
    } else {
        std::size_t cut = kShownFieldBytes;  // not inside a UTF-8 sequence
        while (cut > 0 && (static_cast<unsigned char>(field[cut]) & 0xC0) == 0x80) {
            --cut;
        }
        shown.append(field.substr(0, cut)).append("…");
    }
    return shown.append("\"");
}

}  // namespace

NumberProblem ReadNumberField(std::string_view field, DecimalMark mark, std::string& queryText)
{
    const std::string_view text = TrimBlanks(field);
    if (text.empty()) {
        return NumberProblem::kEmpty;
    }
    const char decimal = mark == DecimalMark::kComma ? ',' : '.';
    const std::optional<NumberShape> shape = ScanNumber(text, decimal);
    if (!shape) {
        const char other = mark == DecimalMark::kComma ? '.' : ',';
        return ScanNumber(text, other) ? NumberProblem::kOtherMark : NumberProblem::kNotANumber;
    }
    queryText.assign(text);
    if (shape->markAt != std::string_view::npos) {
        queryText[shape->markAt] = '.';
    }
    // Without an exponent, fewer digits than double's largest exponent cannot leave its range.
    if (!shape->exponent && queryText.size() < kPlainDigitsInRange) {
        return NumberProblem::kNone;
    }
    const char* const first = queryText.data() + (queryText[0] == '+' ? 1 : 0);
    double value = 0;
    const std::from_chars_result read =
        std::from_chars(first, queryText.data() + queryText.size(), value);
    return read.ec == std::errc::result_out_of_range ? NumberProblem::kOutOfRange
                                                     : NumberProblem::kNone;
}

std::string NumberProblemText(NumberProblem problem, std::string_view field, DecimalMark mark)
{
    switch (problem) {
    case NumberProblem::kNone:
        return {};
    case NumberProblem::kEmpty:
        return "no value";
    case NumberProblem::kNotANumber:
        return Shown(field) + " is not a number";
    case NumberProblem::kOtherMark:
        return Shown(field) + (mark == DecimalMark::kComma
                                   ? " is not a number: the decimal mark is a comma here "
                                     "(--decimal-point reads a point)"
                                   : " is not a number: the decimal mark is a point here "
                                     "(--decimal-comma reads a comma)");
    case NumberProblem::kOutOfRange:
        return Shown(field) + " is out of range";
    }
    return {};
}

}  // namespace hygrova
