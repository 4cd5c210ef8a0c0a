// The retained chart picture: what is drawn stays until cleared, in the right colors.

#include "shell/widgets/chart_surface.h"

#include "shell/platform/twips.h"
#include "tests/support/wait_until.h"

#include <QApplication>
#include <QPainter>
#include <QTest>

#include <cmath>

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
            PaintLayerLabels(painter, layer, texts);
            return image;
        };
        LayerTextCache texts;
        const QImage drawn = paint(nullptr);
        EXPECT_EQ(paint(&texts), drawn) << "ratio " << ratio;
        EXPECT_EQ(paint(&texts), drawn) << "ratio " << ratio << ", from the cache";
    }
}

// The screen lays the layer's shapes straight into its pixels, the exports draw them with
// QPainter: the two must look alike. A layer of every kind of line, arrow heads, marks and a
// hollow supersaturated mark, at both pixel ratios: the ink in each band of the picture
// agrees within 2 %, and no pixel's coverage differs by more than a third.
TEST(LayerOnImageTest, LooksLikeTheExportedLayer)
{
    PlacedLayer layer;
    const OverlayLineKind kinds[] = {OverlayLineKind::Process, OverlayLineKind::EpsilonLine,
                                     OverlayLineKind::Mixing};
    for (int i = 0; i < 12; ++i) {
        const float x = 600.0f + 1100.0f * static_cast<float>(i % 4) + 0.37f * static_cast<float>(i);
        const float y = 900.0f + 1500.0f * static_cast<float>(i / 4);
        const float angle = 0.55f * static_cast<float>(i);
        layer.marks.push_back({x, y, "", i % 5 == 0});
        layer.lines.push_back({x, y, x + 800 * std::cos(angle), y + 800 * std::sin(angle), kinds[i % 3],
                               i % 3 == 0, ""});
    }
    for (const qreal ratio : {1.0, 2.0}) {
        const QSize size = QSize(300, 300) * ratio;
        QImage exported(size, QImage::Format_ARGB32_Premultiplied);
        exported.setDevicePixelRatio(ratio);
        exported.fill(Qt::transparent);
        {
            QPainter painter(&exported);
            painter.scale(1 / layer.pixelTwips, 1 / layer.pixelTwips);
            PaintLayer(painter, layer);
        }
        QImage screen(size, QImage::Format_ARGB32_Premultiplied);
        screen.setDevicePixelRatio(ratio);
        screen.fill(Qt::transparent);
        LayerTextCache texts;
        PaintLayerOnImage(screen, layer, layer.pixelTwips, texts);
        int worst = 0;
        long inkExported = 0;
        long inkScreen = 0;
        for (int y = 0; y < size.height(); ++y) {
            for (int x = 0; x < size.width(); ++x) {
                const int a = qAlpha(exported.pixel(x, y));
                const int b = qAlpha(screen.pixel(x, y));
                worst = std::max(worst, std::abs(a - b));
                inkExported += a;
                inkScreen += b;
            }
        }
        EXPECT_LE(worst, 85) << "ratio " << ratio;
        EXPECT_NEAR(static_cast<double>(inkScreen), static_cast<double>(inkExported),
                    0.02 * static_cast<double>(inkExported))
            << "ratio " << ratio;
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
