#pragma once

// The density layer's color scale: viridis, perceptually ordered (lightness rises evenly
// from dark violet to yellow) and readable by the color-blind, so that more readings always
// look like more.

#include "chart/palette.h"

#include <cstdint>

namespace hygrova {

// The color at t in [0, 1] of the scale (clamped), linear between nine stops of viridis.
Rgb ViridisAt(float t);

// Where a cell of `count` readings sits on the scale when the fullest cell holds `maxCount`:
// logarithmic, log(1 + count) / log(1 + maxCount), so that a cell of a few readings is seen
// beside cells of thousands. 0 for an empty grid.
float DensityShade(std::uint32_t count, std::uint32_t maxCount);

}  // namespace hygrova
