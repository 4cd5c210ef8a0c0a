// The retained chart picture: what is drawn stays until cleared, in the right colors.

#include "shell/widgets/chart_surface.h"

#include "shell/platform/twips.h"
#include "tests/support/wait_until.h"

#include <QApplication>
#include <QPainter>
#include <QTest>

#include <gtest/gtest.h>

namespace hygrova {
namespace {

class ChartSurfaceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        surface.resize(400, 300);
        surface.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&surface));
        tpp = TwipsPerPixel(&surface);
    }

    // The color at a logical pixel of the retained image.
    QColor At(double x, double y) const
    {
        const QImage& image = surface.RetainedImage();
        const qreal ratio = image.devicePixelRatio();
        return image.pixelColor(static_cast<int>(x * ratio), static_cast<int>(y * ratio));
    }

    float Twips(double px) const { return static_cast<float>(px * tpp); }

    ChartSurface surface;
    double tpp = 15;
};

TEST_F(ChartSurfaceTest, DrawnLinesStayUntilCleared)
{
    EXPECT_EQ(At(100, 50), QColor(Qt::white));
    // A vertical line at x = 100.5 px covers the pixel column 100.
    surface.DrawLine(Twips(100.5), Twips(10), Twips(100.5), Twips(200), Rgb{255, 0, 0});
    EXPECT_EQ(At(100, 50), QColor(255, 0, 0));
    // Covering and uncovering the picture keeps the image.
    surface.hide();
    surface.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&surface));
    EXPECT_EQ(At(100, 50), QColor(255, 0, 0));
    EXPECT_EQ(surface.grab().toImage().pixelColor(100, 50), QColor(255, 0, 0));
    surface.Clear();
    EXPECT_EQ(At(100, 50), QColor(Qt::white));
}

TEST_F(ChartSurfaceTest, LaterSegmentsPaintOverEarlierOnesAndWhiteHides)
{
    const std::vector<ChartSegment> segments = {
        {Twips(50.5), 0, Twips(50.5), Twips(300), 9},            // bright blue, vertical
        {0, Twips(80.5), Twips(400), Twips(80.5), 2},            // green, crossing it
        {Twips(50.5), Twips(120), Twips(50.5), Twips(140), 15},  // white over the blue line
    };
    surface.DrawSegments(segments);
    EXPECT_EQ(At(50, 60), QColor(0, 0, 255));
    EXPECT_EQ(At(50, 80), QColor(0, 128, 0)) << "the crossing green line is drawn later";
    EXPECT_EQ(At(50, 130), QColor(Qt::white)) << "index 15 paints in the background color";
}

TEST_F(ChartSurfaceTest, LinesRunningPastThePictureAreClippedNotLost)
{
    // From far left of the picture to far right: only the visible part is drawn.
    surface.DrawSegments({{Twips(-5000), Twips(150.5), Twips(5000), Twips(150.5), 12}});
    EXPECT_EQ(At(0, 150), QColor(255, 0, 0));
    EXPECT_EQ(At(399, 150), QColor(255, 0, 0));
    // Wholly outside: nothing drawn, nothing fails.
    surface.DrawSegments({{Twips(-50), Twips(-50), Twips(-10), Twips(-20), 12}});
    EXPECT_EQ(At(0, 0), QColor(Qt::white));
}

TEST_F(ChartSurfaceTest, SolidCirclesAreFilled)
{
    surface.DrawCircle(Twips(200), Twips(100), Twips(10), Rgb{255, 0, 0});
    EXPECT_EQ(At(200, 100), QColor(Qt::white)) << "transparent fill by default";
    EXPECT_EQ(At(210, 100).red(), 255);
    surface.SetFillStyle(ChartSurface::FillStyle::Solid);
    surface.DrawCircle(Twips(300), Twips(100), Twips(10), Rgb{255, 0, 0});
    EXPECT_EQ(At(300, 100), QColor(255, 0, 0));
}

TEST_F(ChartSurfaceTest, ReportsPointerPositionsInTwips)
{
    float x = -1;
    float y = -1;
    QObject::connect(&surface, &ChartSurface::MouseMoved,
                     [&](Qt::MouseButtons, Qt::KeyboardModifiers, float tx, float ty) {
                         x = tx;
                         y = ty;
                     });
    QTest::mouseMove(&surface, QPoint(40, 30));
    EXPECT_TRUE(test::WaitUntil([&] { return x >= 0; }));
    EXPECT_FLOAT_EQ(x, Twips(40));
    EXPECT_FLOAT_EQ(y, Twips(30));
    EXPECT_FLOAT_EQ(surface.HeightTwips(), Twips(300));
}

// The screen draws the layer's labels from shaped glyphs; they must land on the pixels
// drawText gives, which every export draws: at any fraction of a pixel (a baseline on a half
// pixel included), in Latin and Han scripts, at both pixel ratios.
TEST(LayerTextCacheTest, LabelsLandWhereDrawnTextLands)
{
    PlacedLayer layer;
    const char* labels[] = {"A", "AB", "室外", "ε=8000", "过饱和 M2"};
    for (int i = 0; i < 40; ++i) {
        const float x = 150.0f + 97.3f * static_cast<float>(i % 8) + 0.37f * static_cast<float>(i);
        const float y = 300.0f + 240.0f * static_cast<float>(i / 8) + 7.5f * static_cast<float>(i % 3);
        layer.marks.push_back({x, y, QString::fromUtf8(labels[i % 5]), i % 7 == 0});
        layer.lines.push_back({x, y, x + 400, y + 7.5f, OverlayLineKind::EpsilonLine, false,
                               QString::fromUtf8(labels[(i + 2) % 5])});
    }
    for (const qreal ratio : {1.0, 2.0}) {
        auto paint = [&](LayerTextCache* texts) {
            QImage image(QSize(900, 380) * ratio, QImage::Format_ARGB32_Premultiplied);
            image.setDevicePixelRatio(ratio);
            image.fill(Qt::transparent);
            QPainter painter(&image);
            painter.scale(1 / layer.pixelTwips, 1 / layer.pixelTwips);
            PaintLayer(painter, layer, texts);
            return image;
        };
        LayerTextCache texts;
        const QImage drawn = paint(nullptr);
        EXPECT_EQ(paint(&texts), drawn) << "ratio " << ratio;
        EXPECT_EQ(paint(&texts), drawn) << "ratio " << ratio << ", from the cache";
    }
}

// Placing an equal layer again keeps the picture; a moved one shows in the new place.
TEST_F(ChartSurfaceTest, LayerShowsWhereItWasLastPlaced)
{
    const auto layerAt = [&](double xPx) {
        PlacedLayer layer;
        layer.pixelTwips = tpp;
        layer.marks.push_back({Twips(xPx), Twips(150), "A", false});
        return layer;
    };
    const auto purple = [&](int x) {
        return surface.grab().toImage().pixelColor(x, 150) == QColor(128, 0, 128);
    };
    surface.SetLayer(layerAt(100));
    EXPECT_TRUE(purple(100));
    surface.SetLayer(layerAt(100));
    EXPECT_TRUE(purple(100));
    surface.SetLayer(layerAt(250));
    EXPECT_FALSE(purple(100));
    EXPECT_TRUE(purple(250));
    surface.resize(500, 300);
    EXPECT_TRUE(purple(250));
    surface.SetLayer({});
    EXPECT_FALSE(purple(250));
}

}  // namespace
}  // namespace hygrova
