#pragma once

#include <QSize>

class QWidget;

namespace hygrova {

// The size, in device-independent pixels, that the window manager's frame adds to a
// top-level window (left + right border, title bar + bottom border). Under X11 it is read
// from the frame extents the window manager announces on the window, which are there as soon
// as the window is framed (none before, or without a window manager); on other platforms, and
// in a build without X11, from Qt's frame geometry.
QSize WindowFrameSize(const QWidget& window);

}  // namespace hygrova
