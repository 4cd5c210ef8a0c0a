#include "common/typed_text.h"

namespace hygrova {
namespace {

constexpr char32_t kFirstFullWidth = 0xFF01;  // "！", the full-width form of "!"
constexpr char32_t kLastFullWidth = 0xFF5E;   // "～", of "~"
constexpr char32_t kFullWidthOffset = 0xFF01 - 0x21;
constexpr char32_t kIdeographicSpace = 0x3000;
constexpr char32_t kIdeographicFullStop = 0x3002;

bool IsContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// The ASCII form of the three-byte UTF-8 sequence at text[i], or 0 when it has none.
char AsciiFormAt(std::string_view text, std::size_t i)
{
    const auto b0 = static_cast<unsigned char>(text[i]);
    const auto b1 = static_cast<unsigned char>(text[i + 1]);
    const auto b2 = static_cast<unsigned char>(text[i + 2]);
    if ((b0 & 0xF0) != 0xE0 || !IsContinuation(b1) || !IsContinuation(b2)) {
        return 0;
    }
    const char32_t code = (char32_t{b0} & 0x0F) << 12 | (char32_t{b1} & 0x3F) << 6 |
                          (char32_t{b2} & 0x3F);
    if (code >= kFirstFullWidth && code <= kLastFullWidth) {
        return static_cast<char>(code - kFullWidthOffset);
    }
    if (code == kIdeographicSpace) {
        return ' ';
    }
    if (code == kIdeographicFullStop) {
        return '.';
    }
    return 0;
}

}  // namespace

std::string AsciiFormsOf(std::string_view text)
{
    std::string ascii;
    ascii.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const char form = i + 2 < text.size() ? AsciiFormAt(text, i) : 0;
        if (form != 0) {
            ascii += form;
            i += 3;
        } else {
            ascii += text[i];
            ++i;
        }
    }
    return ascii;
}

}  // namespace hygrova
