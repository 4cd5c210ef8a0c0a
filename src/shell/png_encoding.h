#pragma once

#include <QByteArray>

class QImage;

namespace hygrova {

// The image as a PNG file, 8-bit RGB, encoded for speed: no row filter and zlib's fastest
// level, the rows compressed in strips on two threads and joined into one zlib stream. A chart
// is mostly white and compresses well this way too, within a few percent of slower settings.
// Empty if the image is empty or zlib fails.
QByteArray EncodePng(const QImage& image);

}  // namespace hygrova
