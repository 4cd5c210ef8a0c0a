// The PNG encoder: what it writes decodes to the image given, pixel for pixel and with its
// physical resolution, from one batch of rows to many, and when the compressed rows outgrow
// the first output buffer.

#include "shell/export/png_encoding.h"

#include <cstdint>

#include <QImage>

#include <gtest/gtest.h>

namespace hygrova {
namespace {

// A chart-like picture: white, with a diagonal line, a band of noise that does not compress
// and a grey square.
QImage TestPicture(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    std::uint32_t noise = 12345;
    for (int y = 0; y < height; ++y) {
        image.setPixel(y * width / height, y, qRgb(0, 0, 255));
        for (int x = 0; x < width / 3; ++x) {
            noise = noise * 1664525 + 1013904223;
            image.setPixel(x, y, noise >> 8);
        }
        for (int x = width / 2; x < width * 3 / 4 && y < height / 4; ++x) {
            image.setPixel(x, y, qRgb(128, 129, 130));
        }
    }
    return image;
}

TEST(PngEncodingTest, DecodesToTheImage)
{
    const struct {
        int width;
        int height;
        int dotsPerMetre;
    } sizes[] = {{1, 1, 3780}, {5, 3, 7559}, {300, 65, 15118}, {181, 1001, 3780}};
    for (const auto& size : sizes) {
        QImage image = TestPicture(size.width, size.height);
        image.setDotsPerMeterX(size.dotsPerMetre);
        image.setDotsPerMeterY(size.dotsPerMetre);
        const QByteArray png = EncodePng(image);
        ASSERT_TRUE(png.startsWith("\x89PNG\r\n\x1a\n")) << size.width << "x" << size.height;
        const QImage decoded = QImage::fromData(png, "PNG").convertToFormat(image.format());
        EXPECT_TRUE(decoded == image) << size.width << "x" << size.height;
        EXPECT_EQ(decoded.dotsPerMeterX(), size.dotsPerMetre);
        EXPECT_EQ(decoded.dotsPerMeterY(), size.dotsPerMetre);
    }
    EXPECT_TRUE(EncodePng(QImage()).isEmpty());
}

}  // namespace
}  // namespace hygrova
