#pragma once

#include <string>
#include <string_view>

namespace hygrova {

// An entry box's text as the program reads it (UTF-8). A Chinese input method may type the
// full-width forms of ASCII characters, U+FF01..U+FF5E ("２０", "１．５", "－３", "１Ｅ５"), the
// ideographic space U+3000 and, for the period key, the ideographic full stop U+3002; the
// leading-number parse knows none of them and would read "２０" as 0. Each becomes its ASCII
// form (U+3002 the period); every other character, and every byte of a text that is not
// valid UTF-8, stays as it is, so an ASCII text comes back unchanged.
std::string AsciiFormsOf(std::string_view text);

}  // namespace hygrova
