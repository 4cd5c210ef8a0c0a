// Chart lines traced into a pixel buffer.

#include "chart/line_raster.h"

#include <cmath>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

namespace hygrova {
namespace {

constexpr std::uint32_t kWhite = 0xffffffffu;
constexpr Rgb kBlack{0, 0, 0};

// A white canvas of w x h pixels with rows padded to a stride of w + 3.
struct Canvas {
    Canvas(int w, int h)
        : pixels(static_cast<std::size_t>((w + 3) * h), kWhite), width(w), height(h)
    {
    }

    PixelCanvas view() { return PixelCanvas{pixels.data(), width, height, width + 3}; }
    std::uint32_t at(int x, int y) const
    {
        return pixels[static_cast<std::size_t>(y * (width + 3) + x)];
    }
    // How dark the pixel is, 0 (white) .. 255 (black), from its green channel.
    int ink(int x, int y) const { return 255 - static_cast<int>((at(x, y) >> 8) & 0xff); }
    int totalInk() const
    {
        int sum = 0;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                sum += ink(x, y);
            }
        }
        return sum;
    }

    std::vector<std::uint32_t> pixels;
    int width;
    int height;
};

TEST(LineRasterTest, LinesThroughPixelCentresCoverOneRowOrColumn)
{
    Canvas canvas(40, 30);
    DrawHairline(canvas.view(), 2.5, 10.5, 20.5, 10.5, Rgb{255, 0, 0});
    for (int x = 3; x <= 19; ++x) {
        EXPECT_EQ(canvas.at(x, 10), 0xffff0000u) << x;
        EXPECT_EQ(canvas.at(x, 9), kWhite);
        EXPECT_EQ(canvas.at(x, 11), kWhite);
    }
    EXPECT_EQ(canvas.at(25, 10), kWhite) << "nothing beyond the end";

    DrawHairline(canvas.view(), 30.5, 1.5, 30.5, 28.5, Rgb{0, 0, 255});
    for (int y = 2; y <= 27; ++y) {
        EXPECT_EQ(canvas.at(30, y), 0xff0000ffu) << y;
        EXPECT_EQ(canvas.at(29, y), kWhite);
        EXPECT_EQ(canvas.at(31, y), kWhite);
    }
}

TEST(LineRasterTest, EveryLineIsOneWeightInItsOwnColorWhereverItLies)
{
    // Lines of one family fall at every offset between pixel centres; each must come out
    // alike: solid color only, and `weight` pixels across at every step along its major axis
    // (away from the ends), at pen weights 1 and 2.
    struct Direction {
        const char* name;
        double dx;
        double dy;
    };
    const Direction directions[] = {{"vertical", 0, 1}, {"horizontal", 1, 0}, {"45 degrees", 1, 1},
                                    {"falling", 1, -1}, {"shallow", 1, 0.3},  {"steep", 0.25, 1}};
    for (const int weight : {1, 2}) {
        for (const Direction& d : directions) {
            for (const double offset : {0.0, 0.2, 0.5, 0.7, 0.95}) {
                Canvas canvas(80, 80);
                const double x = 20 + offset;
                const double y = d.dy < 0 ? 60 + offset : 20 + offset;
                DrawHairline(canvas.view(), x, y, x + 40 * d.dx, y + 40 * d.dy, Rgb{0, 128, 0},
                             weight);
                const bool steep = std::fabs(d.dy) > std::fabs(d.dx);
                for (int major = 30; major <= 50; ++major) {
                    int painted = 0;
                    for (int minor = 0; minor < 80; ++minor) {
                        const std::uint32_t pixel =
                            steep ? canvas.at(minor, major) : canvas.at(major, minor);
                        ASSERT_TRUE(pixel == kWhite || pixel == 0xff008000u)
                            << d.name << " weight " << weight << " offset " << offset;
                        painted += pixel != kWhite ? 1 : 0;
                    }
                    EXPECT_EQ(painted, weight) << d.name << " weight " << weight << " offset "
                                               << offset << " at " << major;
                }
            }
        }
    }
}

TEST(LineRasterTest, InkFollowsTheLengthAtAnyAngle)
{
    // Away from the ends, a hairline leaves one pixel's worth of ink per step along its major
    // axis, whatever its slope.
    for (const double slope : {0.0, 0.2, 0.5, 1.0, 1.7, 4.0}) {
        Canvas canvas(120, 120);
        const double run = slope <= 1.0 ? 100.0 : 100.0 / slope;
        DrawHairline(canvas.view(), 10.0, 10.0, 10.0 + run, 10.0 + run * slope, kBlack);
        const double steps = std::max(run, run * slope);
        EXPECT_NEAR(canvas.totalInk() / 255.0, steps, 2.0) << "slope " << slope;
    }
}

TEST(LineRasterTest, ClipsToTheCanvasAndSkipsWhatCannotShow)
{
    Canvas canvas(50, 40);
    // From far left to far right: drawn across the whole width, and only there.
    DrawHairline(canvas.view(), -1e9, 20.5, 1e9, 20.5, kBlack);
    EXPECT_EQ(canvas.ink(0, 20), 255);
    EXPECT_EQ(canvas.ink(49, 20), 255);
    const int ink = canvas.totalInk();
    EXPECT_EQ(ink, 50 * 255);

    // Wholly outside, degenerate or not a number: nothing drawn, nothing touched outside.
    DrawHairline(canvas.view(), -100, -100, -10, -50, kBlack);
    DrawHairline(canvas.view(), 60, 5, 80, 35, kBlack);
    DrawHairline(canvas.view(), std::numeric_limits<double>::quiet_NaN(), 1, 5, 5, kBlack);
    DrawHairline(canvas.view(), 1, 1, std::numeric_limits<double>::infinity(), 5, kBlack);
    EXPECT_EQ(canvas.totalInk(), ink);
    for (int y = 0; y < canvas.height; ++y) {
        for (int pad = 0; pad < 3; ++pad) {
            EXPECT_EQ(canvas.pixels[static_cast<std::size_t>(y * 53 + 50 + pad)], kWhite);
        }
    }
}

TEST(LineRasterTest, LaterSegmentsPaintOverEarlierOnes)
{
    Canvas canvas(40, 40);
    // Twips at 15 per pixel: a bright blue vertical line, a green horizontal one across it,
    // then a white piece over the blue line.
    const std::vector<ChartSegment> segments = {
        {15 * 20.5f, 0, 15 * 20.5f, 15 * 40.0f, 9},
        {0, 15 * 10.5f, 15 * 40.0f, 15 * 10.5f, 2},
        {15 * 20.5f, 15 * 25.0f, 15 * 20.5f, 15 * 35.0f, 15},
    };
    DrawHairlines(canvas.view(), segments, 1.0 / 15);
    EXPECT_EQ(canvas.at(20, 5), 0xff0000ffu);
    EXPECT_EQ(canvas.at(20, 10), 0xff008000u) << "the crossing line is drawn later";
    EXPECT_EQ(canvas.at(20, 30), kWhite) << "index 15 paints in the background color";
}

}  // namespace
}  // namespace hygrova
