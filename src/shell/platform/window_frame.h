#pragma once

#include <optional>

#include <QMargins>
#include <QSize>

class QByteArray;
class QWidget;

namespace hygrova {

// The frame that the window manager puts around a top-level window (left, top, right,
// bottom), in device-independent pixels. Under X11 it is read from the frame extents the
// window manager announces on the window once it has framed it: none before that, or
// without a window manager. On other platforms it is Qt's frame geometry.
std::optional<QMargins> AnnouncedFrameMargins(const QWidget& window);

// The size a frame adds: left + right border, title bar + bottom border.
inline QSize SizeOfFrame(const QMargins& frame)
{
    return QSize(frame.left() + frame.right(), frame.top() + frame.bottom());
}

// The frame that the window manager will put around a top-level window, asked of it before
// the window is shown, so that the window can be created with its outer size and place right
// from the start. Asks for `window` itself (creating its native window), or without one for
// an ordinary window, with a window of its own that is never shown. Waits a short while for
// the answer, only when the window manager says it gives one (no frame otherwise: KWin, for
// one, tells the frame only once it has drawn it). Empty on platforms where the frame is
// known only from a window's own native window once shown.
std::optional<QMargins> ExpectedFrameMargins(QWidget* window = nullptr);

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

// Gives the window an empty title where the window system shows one. Qt puts the program's
// name into the title of a window whose title is empty, on X11 too; this writes the X
// window's title properties empty after Qt has set them. Creates the native window if it
// does not exist yet; call before the window is shown, with its own title empty. Does
// nothing on other platforms, which show an empty title as it is.
void ShowEmptyTitle(QWidget& window);

// Tells the window manager that the window is an ordinary window rather than a dialog, while
// it keeps its owner: Xfce's and GNOME's window managers give a dialog no minimize box.
// Creates the native window if it does not exist yet; call before the window is shown. Does
// nothing on other platforms.
void DeclareOrdinaryWindow(QWidget& window);

}  // namespace hygrova
