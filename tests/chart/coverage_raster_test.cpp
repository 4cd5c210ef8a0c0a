// Antialiased shapes laid into a premultiplied pixel buffer: their ink adds up to their area,
// they stay inside the canvas, and they are laid over what is there.

#include "chart/coverage_raster.h"

#include <cmath>
#include <functional>
#include <limits>
#include <numbers>
#include <vector>

#include <gtest/gtest.h>

namespace hygrova {
namespace {

constexpr Ink kInk{{128, 0, 128}, 255};

// A clear canvas of 60 x 40 pixels inside a frame of 4 pixels that must stay clear.
struct Canvas {
    static constexpr int kFrame = 4;
    static constexpr int kWidth = 60;
    static constexpr int kHeight = 40;
    static constexpr int kStride = kWidth + 2 * kFrame;
    std::vector<std::uint32_t> pixels =
        std::vector<std::uint32_t>(static_cast<std::size_t>(kStride * (kHeight + 2 * kFrame)), 0);

    PixelCanvas view()
    {
        return {pixels.data() + kFrame * kStride + kFrame, kWidth, kHeight, kStride};
    }
    // The ink inside the canvas, pixels of full coverage.
    double Ink() const
    {
        double sum = 0;
        for (std::uint32_t p : pixels) {
            sum += (p >> 24) / 255.0;
        }
        return sum;
    }
    bool FrameClear() const
    {
        for (int y = 0; y < kHeight + 2 * kFrame; ++y) {
            for (int x = 0; x < kStride; ++x) {
                const bool inside = x >= kFrame && x < kFrame + kWidth && y >= kFrame &&
                                    y < kFrame + kHeight;
                if (!inside && pixels[static_cast<std::size_t>(y * kStride + x)] != 0) {
                    return false;
                }
            }
        }
        return true;
    }
};

TEST(CoverageRasterTest, InkAddsUpToTheShapesArea)
{
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    const double pi = std::numbers::pi;
    struct Case {
        const char* what;
        std::function<void(const PixelCanvas&)> paint;
        double area;
    };
    const Case cases[] = {
        {"level line", [](auto& c) { PaintWideLine(c, {5, 10.3}, {45, 10.3}, 1.6, kInk); }, 64},
        {"sloping line", [](auto& c) { PaintWideLine(c, {5, 5}, {35, 40}, 1.6, kInk); },
         1.6 * std::hypot(30, 35)},
        {"steep line", [](auto& c) { PaintWideLine(c, {20.2, 2}, {24.7, 38}, 2, kInk); },
         2 * std::hypot(4.5, 36)},
        // Three dashes of 6.4 and two gaps of 3.2 in 25.6 pixels.
        {"dashed line", [](auto& c) { PaintWideLine(c, {5, 20}, {30.6, 20}, 1.6, kInk, {6.4, 3.2}); },
         3 * 6.4 * 1.6},
        {"disc", [](auto& c) { PaintDisc(c, {20.4, 20.7}, 3.5, kInk); }, pi * 3.5 * 3.5},
        {"ring", [](auto& c) { PaintRing(c, {30, 20}, 6, 1.6, kInk); }, 2 * pi * 6 * 1.6},
        {"triangle", [](auto& c) { PaintTriangle(c, {{{10, 10}, {30, 14}, {12, 30}}}, kInk); },
         0.5 * std::fabs(20 * 20 - 4 * 2)},
        // Half the line and half the disc lie beyond the canvas's edges.
        {"line across the edge", [](auto& c) { PaintWideLine(c, {30, 20}, {90, 20}, 2, kInk); },
         2 * 30},
        {"disc on the edge", [](auto& c) { PaintDisc(c, {0, 20}, 5, kInk); }, pi * 25 / 2},
        {"line from far away", [](auto& c) { PaintWideLine(c, {-1e12, 20}, {30, 20}, 2, kInk); },
         2 * 30},
        // The pattern keeps its phase from the true start: 10^6 px before the canvas is
        // 6.4 px into a period of 9.6, so the canvas begins with a gap of 3.2 and holds
        // dashes from 3.2, 12.8 and 22.4, each 6.4 long.
        {"dashed line from far away",
         [](auto& c) { PaintWideLine(c, {-1e6, 20}, {30.6, 20}, 1.6, kInk, {6.4, 3.2}); },
         3 * 6.4 * 1.6},
        {"non-finite end", [&](auto& c) { PaintWideLine(c, {5, 5}, {kNaN, 5}, 2, kInk); }, 0},
        {"point-long line", [](auto& c) { PaintWideLine(c, {5, 5}, {5, 5}, 2, kInk); }, 0},
        {"flat triangle", [](auto& c) { PaintTriangle(c, {{{5, 5}, {10, 10}, {15, 15}}}, kInk); },
         0},
    };
    for (const Case& c : cases) {
        Canvas canvas;
        c.paint(canvas.view());
        EXPECT_NEAR(canvas.Ink(), c.area, 0.02 * c.area + 0.3) << c.what;
        EXPECT_TRUE(canvas.FrameClear()) << c.what;
    }
}

// Source-over on premultiplied pixels: a full-coverage opaque ink replaces the pixel, a
// translucent one lets what is below show through in proportion.
TEST(CoverageRasterTest, InkIsLaidOverWhatIsThere)
{
    Canvas canvas;
    std::fill(canvas.pixels.begin(), canvas.pixels.end(), 0xffffffffu);  // opaque white
    const PixelCanvas view = canvas.view();
    PaintWideLine(view, {0, 10}, {60, 10}, 4, kInk);
    PaintWideLine(view, {0, 30}, {60, 30}, 4, {{128, 0, 128}, 170});
    EXPECT_EQ(view.pixels[10 * view.stride + 30], 0xff800080u);
    // 170/255 of purple over white: red 128 * 2/3 + 255 / 3 = 170, green 85, blue 170.
    EXPECT_EQ(view.pixels[30 * view.stride + 30], 0xffaa55aau);
}

}  // namespace
}  // namespace hygrova
