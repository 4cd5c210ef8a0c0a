#pragma once

#include <QByteArray>

class QImage;

namespace hygrova {

// The image as a PNG file, 8-bit RGB, encoded for speed: no row filter and the fastest zlib
// level. A chart is mostly white and compresses well this way too (within a few percent of
// libpng's defaults), at about a quarter of the time. Empty if libpng fails.
QByteArray EncodePng(const QImage& image);

}  // namespace hygrova
