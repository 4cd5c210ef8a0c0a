#include "shell/platform/window_shape.h"

#include "shell/platform/twips.h"
#include "shell/platform/window_frame.h"

#include <algorithm>
#include <optional>

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindowStateChangeEvent>

namespace hygrova {
namespace {

// States in which the window system, not the program, decides the window's size.
constexpr Qt::WindowStates kSystemSizedStates =
    Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen;

}  // namespace

WindowShape::WindowShape(QWidget& window) : QObject(&window), m_window(window)
{
    window.installEventFilter(this);
}

void WindowShape::PlaceBeforeFirstShow()
{
    if (m_placed) {
        return;
    }
    m_placed = true;
    // The window gets its shape and its place in the middle of the screen before it first
    // appears, and its native window is created with them, so that the window manager
    // takes them as they are. Both count the frame, which the window manager adds only
    // once the window is shown: it is asked beforehand which frame that will be.
    const std::optional<QMargins> expected = ExpectedFrameMargins();
    if (!expected) {
        m_window.winId();  // where only the window's own native window tells its frame
    }
    const QMargins frame = expected.value_or(AnnouncedFrameMargins(m_window).value_or(QMargins()));
    m_frameSize = SizeOfFrame(frame);
    m_window.setMinimumSize(ShapedOuterSize(0) - m_frameSize);
    m_window.resize(ShapedOuterSize() - m_frameSize);
    if (const QScreen* primary = QGuiApplication::primaryScreen()) {
        const QRect area = primary->availableGeometry();
        const QSize outer = OuterSize();
        // A window larger than the screen keeps its title bar on the screen.
        QPoint corner(area.left() + std::max(0, (area.width() - outer.width()) / 2),
                      area.top() + std::max(0, (area.height() - outer.height()) / 2));
        // Before the native window exists, a position is that of the frame's corner;
        // afterwards that of the client area.
        if (m_window.testAttribute(Qt::WA_WState_Created)) {
            corner += QPoint(frame.left(), frame.top());
        }
        m_window.move(corner);
    }
}

QSize WindowShape::OuterSize() const
{
    return m_window.size() + m_frameSize;
}

QSize WindowShape::ShapedOuterSize() const
{
    return ShapedOuterSize(OuterSize().width() * TwipsPerPixel(&m_window));
}

QSize WindowShape::ShapedOuterSize(double outerWidth) const
{
    const double tpp = TwipsPerPixel(&m_window);
    const QScreen* primary = QGuiApplication::primaryScreen();
    const double screenWidth =
        primary != nullptr ? primary->geometry().width() * TwipsPerPixel() : 0;
    const auto minimumWidth = static_cast<float>(0.65 * screenWidth);
    if (minimumWidth > outerWidth) {
        outerWidth = minimumWidth;
    }
    const double outerHeight = 0.75 * outerWidth;
    return QSize(ToPixels(outerWidth, tpp), ToPixels(outerHeight, tpp));
}

void WindowShape::Keep()
{
    if (m_window.windowState() & kSystemSizedStates) {
        return;  // the window system owns the size now
    }
    // While the user drags the frame, the window manager sizes the window by the pointer;
    // the shape is restored when the drag is over.
    if (m_interactiveChange) {
        return;
    }
    const QSize least = ShapedOuterSize(0) - m_frameSize;
    if (least != m_window.minimumSize()) {
        // The window manager keeps the window from being dragged narrower than that.
        m_window.setMinimumSize(least);
    }
    const QSize wanted = ShapedOuterSize() - m_frameSize;
    // A window manager that answers the request with the same other size again is not
    // asked a second time, so that it cannot start an endless exchange of resizes.
    const std::pair<QSize, QSize> request{m_window.size(), wanted};
    if (wanted == m_window.size() || request == m_lastRequest) {
        return;
    }
    m_lastRequest = request;
    m_window.resize(wanted);
}

bool WindowShape::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &m_window) {
        return false;
    }
    switch (event->type()) {
        case QEvent::Resize:
            // The window manager has given a size: whatever it is, the wait for the restored
            // size is over. Only a window manager's answer counts as an answer to the last
            // request; a size that the program itself set again is asked to change as any
            // other.
            m_awaitingRestoredSize = false;
            if (!event->spontaneous()) {
                m_lastRequest = {};
            }
            break;
        case QEvent::Move:
        case QEvent::ActivationChange:
            KeepShapeOfNewFrame();
            break;
        case QEvent::WindowStateChange: {
            // Leaving the maximized or minimized state, the window manager brings back the
            // size the window had before; until it arrives, the size at hand is no base for
            // the shape.
            const auto old = static_cast<QWindowStateChangeEvent*>(event)->oldState();
            m_awaitingRestoredSize =
                (old & kSystemSizedStates) && !(m_window.windowState() & kSystemSizedStates);
            break;
        }
        default:
            break;
    }
    return false;
}

void WindowShape::NoteNativeEvent(const QByteArray& eventType, const void* message)
{
    // The shape is checked again once Qt has handled the event.
    switch (CueOfNativeEvent(eventType, message)) {
        case WindowManagerCue::FrameMayHaveChanged:
            QMetaObject::invokeMethod(this, &WindowShape::KeepShapeOfNewFrame,
                                      Qt::QueuedConnection);
            break;
        case WindowManagerCue::InteractiveChangeStarted:
            m_interactiveChange = true;
            break;
        case WindowManagerCue::InteractiveChangeEnded:
            m_interactiveChange = false;
            m_lastRequest = {};
            QMetaObject::invokeMethod(this, &WindowShape::Keep, Qt::QueuedConnection);
            break;
        case WindowManagerCue::None:
            break;
    }
}

void WindowShape::KeepShapeOfNewFrame()
{
    if (m_awaitingRestoredSize) {
        return;
    }
    // The outer shape counts the frame, which a window manager may change after the window
    // has appeared (it is known by the time the window is moved into it or activated).
    const auto frame = AnnouncedFrameMargins(m_window);
    if (frame && SizeOfFrame(*frame) != m_frameSize) {
        m_frameSize = SizeOfFrame(*frame);
        Keep();
    }
}

}  // namespace hygrova
