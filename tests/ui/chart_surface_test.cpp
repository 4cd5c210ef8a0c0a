// The retained chart picture: what is drawn stays until cleared, in the right colors.

#include "shell/widgets/chart_surface.h"

#include "shell/platform/twips.h"
#include "tests/support/wait_until.h"

#include <QApplication>
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

}  // namespace
}  // namespace hygrova
