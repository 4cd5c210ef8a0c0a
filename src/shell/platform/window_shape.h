#pragma once

#include <utility>

#include <QMargins>
#include <QObject>
#include <QSize>

class QByteArray;
class QTimer;
class QWidget;

namespace hygrova {

// Keeps a top-level window in the main window's shape: no less than 65 % of the primary
// screen's width, its outer height three quarters of its outer width, the frame the window
// manager adds counted in, and no larger than that shape fits the screen's available area.
// Does nothing while the window manager sizes the window (maximized, minimized), nor while
// the user drags its frame. Made a child of the window; it watches the window's move,
// activation and state changes itself, and the window hands it its native events and calls
// Keep() when it is resized.
class WindowShape : public QObject {
    Q_OBJECT

public:
    explicit WindowShape(QWidget& window);

    // Gives the window its shape and its place in the middle of the screen before it first
    // appears; call whenever the window is about to be shown (only the first call acts).
    void PlaceBeforeFirstShow();
    // Resizes the window to its shape where the window's present size is not in it.
    void Keep();
    // Notes what a native event of the window tells of the window manager's handling of it.
    void NoteNativeEvent(const QByteArray& eventType, const void* message);
    // The window's size with its frame, pixels.
    QSize OuterSize() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The size the window's outer frame must have now, in pixels; and for a given outer
    // width in twips (0 gives the smallest shape the screen allows).
    QSize ShapedOuterSize() const;
    QSize ShapedOuterSize(double outerWidth) const;
    // Checks the shape again when the frame the window manager draws has changed.
    void KeepShapeOfNewFrame();
    // The client area's place that keeps the outer frame of `clientSize` inside the screen's
    // available area, moving the window no more than needed.
    QPoint PlaceOnScreen(const QSize& clientSize) const;
    // The user has begun or ended moving or resizing the window by its frame.
    void StartInteractiveChange();
    void EndInteractiveChange();

    QWidget& m_window;
    // The last request for the shaped size: the size the window had and the size asked for.
    std::pair<QSize, QSize> m_lastRequest;
    // The frame the window manager draws around the window in its ordinary state, as last
    // announced, or as it said it would be before the window first appeared (it adds the
    // frame only then).
    QMargins m_frame;
    // The window has just left the maximized or minimized state and the window manager has
    // not yet given back its former size.
    bool m_awaitingRestoredSize = false;
    // The user is moving or resizing the window by its frame; the window manager sizes it.
    bool m_interactiveChange = false;
    // Where the window manager gives no cue of a drag (KWin), a drag is known by the pointer
    // button held while the window manager resizes the window; this checks for its release.
    QTimer* m_releaseWatch = nullptr;
    bool m_placed = false;
    // The window appeared with the frame it was expected to get, and the window manager has
    // not yet announced the frame it drew.
    bool m_awaitingFirstFrame = false;
};

}  // namespace hygrova
