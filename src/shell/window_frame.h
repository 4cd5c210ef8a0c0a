#pragma once

#include <QMargins>
#include <QSize>

class QByteArray;
class QWidget;

namespace hygrova {

// The frame that the window manager puts around a top-level window (left, top, right,
// bottom), in device-independent pixels. Under X11 it is read from the frame extents the
// window manager announces on the window, which are there once the window is framed or the
// window manager has answered RequestFrameExtents (none before, or without a window
// manager); on other platforms from Qt's frame geometry.
QMargins WindowFrameMargins(const QWidget& window);

// The size the frame adds: left + right border, title bar + bottom border.
QSize WindowFrameSize(const QWidget& window);

// Asks the window manager, before the window is first shown, which frame it will put around
// it, so that the window can be given its outer size and place before it appears. Waits a
// short while for the answer, and only when the window manager says it gives one; the
// native window must exist. Does nothing on platforms without such a request.
void RequestFrameExtents(QWidget& window);

// What a native event of a window tells about the window manager's handling of it.
enum class WindowManagerCue {
    None,
    // The window was put into a frame, or one of its properties changed: the frame may
    // have a new size.
    FrameMayHaveChanged,
    // The window manager took the keyboard from the window, as it does while the user moves
    // or resizes the window by its frame, and gave it back: the interactive change is over.
    InteractiveChangeStarted,
    InteractiveChangeEnded,
};
WindowManagerCue CueOfNativeEvent(const QByteArray& eventType, const void* message);

}  // namespace hygrova
