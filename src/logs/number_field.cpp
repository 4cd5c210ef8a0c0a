#include "logs/number_field.h"

#include "logs/csv_fields.h"

#include <charconv>  // std::from_chars
#include <optional>

namespace hygrova {
namespace {

// Longer field texts are cut in messages: a row's message stays readable.
constexpr std::size_t kShownFieldBytes = 40;

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The index of the decimal mark (npos when there is none) if the whole of `text` is a
// number written with `decimal`; nothing otherwise.
std::optional<std::size_t> ScanNumber(std::string_view text, char decimal)
{
    std::size_t i = text[0] == '+' || text[0] == '-' ? 1 : 0;
    std::size_t digits = 0;
    std::size_t markAt = std::string_view::npos;
    for (; i < text.size(); ++i) {
        if (IsDigit(text[i])) {
            ++digits;
        } else if (text[i] == decimal && markAt == std::string_view::npos) {
            markAt = i;
        } else {
            break;
        }
    }
    if (digits == 0) {
        return std::nullopt;
    }
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
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
    return markAt;
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
    const std::optional<std::size_t> markAt = ScanNumber(text, decimal);
    if (!markAt) {
        const char other = mark == DecimalMark::kComma ? '.' : ',';
        return ScanNumber(text, other) ? NumberProblem::kOtherMark : NumberProblem::kNotANumber;
    }
    queryText.assign(text);
    if (*markAt != std::string_view::npos) {
        queryText[*markAt] = '.';
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
