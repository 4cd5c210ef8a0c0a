#pragma once

// The pixels of a 32-bit QImage (RGB32, or premultiplied ARGB32) as the core's pixel canvas,
// for the drawing that goes straight into them.

#include "chart/line_raster.h"

#include <cstdint>

#include <QImage>

namespace hygrova {

inline PixelCanvas CanvasOf(QImage& image)
{
    return PixelCanvas{reinterpret_cast<std::uint32_t*>(image.bits()), image.width(),
                       image.height(),
                       static_cast<int>(image.bytesPerLine() / sizeof(std::uint32_t))};
}

}  // namespace hygrova
