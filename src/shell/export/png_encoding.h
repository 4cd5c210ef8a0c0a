#pragma once

#include <QByteArray>

class QImage;

namespace hygrova {

// The image as a PNG file, 8-bit RGB, with the image's physical resolution, encoded for speed: no
// row filter and ISA-L's igzip at its fastest level with matching. A chart is mostly white and
// compresses well this way too, within a few percent of slower settings. Empty if the image is
// empty or the compressor fails.
QByteArray EncodePng(const QImage& image);

}  // namespace hygrova
