#pragma once

#include <cstdint>

namespace hygrova {

// A color as red, green and blue, 0..255 each.
struct Rgb {
    std::uint8_t r;
    std::uint8_t g;
    std::uint8_t b;
};

// The standard sixteen-color palette of the chart's line families: 0 black, 1..6 the dark
// colors, 7 light grey, 8 dark grey, 9..14 the bright colors, 15 white (the chart's
// background, so a family in color 15 disappears). index: 0..15, as the settings store it;
// any other value is taken modulo 16 (index & 15) rather than rejected. Never throws.
Rgb QBColor(int index);

}  // namespace hygrova
