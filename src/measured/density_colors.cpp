#include "measured/density_colors.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace hygrova {
namespace {

// viridis (matplotlib) at 0, 1/8, ..., 1.
constexpr std::array<Rgb, 9> kViridisStops = {{{0x44, 0x01, 0x54},
                                               {0x48, 0x28, 0x78},
                                               {0x3e, 0x49, 0x89},
                                               {0x31, 0x68, 0x8e},
                                               {0x26, 0x82, 0x8e},
                                               {0x1f, 0x9e, 0x89},
                                               {0x35, 0xb7, 0x79},
                                               {0x6e, 0xce, 0x58},
                                               {0xfd, 0xe7, 0x25}}};

std::uint8_t Between(std::uint8_t a, std::uint8_t b, float f)
{
    return static_cast<std::uint8_t>(std::lround(a + (b - a) * f));
}

}  // namespace

Rgb ViridisAt(float t)
{
    const float position = std::clamp(t, 0.0f, 1.0f) * (kViridisStops.size() - 1);
    const std::size_t low = std::min<std::size_t>(static_cast<std::size_t>(position),
                                                  kViridisStops.size() - 2);
    const float f = position - static_cast<float>(low);
    const Rgb& a = kViridisStops[low];
    const Rgb& b = kViridisStops[low + 1];
    return {Between(a.r, b.r, f), Between(a.g, b.g, f), Between(a.b, b.b, f)};
}

float DensityShade(std::uint32_t count, std::uint32_t maxCount)
{
    if (maxCount == 0) {
        return 0;
    }
    return static_cast<float>(std::log1p(static_cast<double>(count)) /
                              std::log1p(static_cast<double>(maxCount)));
}

}  // namespace hygrova
