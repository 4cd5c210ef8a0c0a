#include "shell/platform/window_shape.h"

#include "shell/platform/screen_centring.h"
#include "shell/platform/twips.h"
#include "shell/platform/window_frame.h"
#include "shell/platform/window_state.h"

#include <algorithm>
#include <chrono>
#include <optional>

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindowStateChangeEvent>

namespace hygrova {
namespace {

// States in which the window system, not the program, decides the window's size.
constexpr Qt::WindowStates kSystemSizedStates =
    Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen;

// How often the end of a drag is looked for while the pointer button is held.
constexpr std::chrono::milliseconds kReleaseCheckInterval{30};

QRect AvailableArea()
{
    const QScreen* primary = QGuiApplication::primaryScreen();
    return primary != nullptr ? primary->availableGeometry() : QRect();
}

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
    m_frame = expected.value_or(AnnouncedFrameMargins(m_window).value_or(QMargins()));
    m_awaitingFirstFrame = expected.has_value();
    m_window.setMinimumSize(ShapedOuterSize(0) - SizeOfFrame(m_frame));
    m_window.resize(ShapedOuterSize() - SizeOfFrame(m_frame));
    const QPoint corner = CentredFrameCorner(OuterSize());
    // Before the native window exists, a position is that of the frame's corner; afterwards
    // the client area is placed.
    if (m_window.testAttribute(Qt::WA_WState_Created)) {
        m_window.setGeometry(
            QRect(corner + QPoint(m_frame.left(), m_frame.top()), m_window.size()));
    } else {
        m_window.move(corner);
    }
}

QSize WindowShape::OuterSize() const
{
    return m_window.size() + SizeOfFrame(m_frame);
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
    // No wider than the screen's available area, nor so wide that three quarters of it are
    // higher than that area; the smallest width of the shape goes before this.
    const QRect area = AvailableArea();
    if (!area.isEmpty()) {
        outerWidth = std::min({outerWidth, area.width() * tpp, area.height() * tpp / 0.75});
    }
    const auto minimumWidth = static_cast<float>(0.65 * screenWidth);
    if (minimumWidth > outerWidth) {
        outerWidth = minimumWidth;
    }
    const double outerHeight = 0.75 * outerWidth;
    return QSize(ToPixels(outerWidth, tpp), ToPixels(outerHeight, tpp));
}

QPoint WindowShape::PlaceOnScreen(const QSize& clientSize) const
{
    const QRect area = AvailableArea();
    const QPoint client = m_window.geometry().topLeft();
    if (area.isEmpty()) {
        return client;
    }
    const QRect outer(client - QPoint(m_frame.left(), m_frame.top()),
                      clientSize + SizeOfFrame(m_frame));
    // Back inside the right and bottom edges, never past the left and top ones.
    const int dx = std::max(std::min(0, area.right() - outer.right()), area.left() - outer.left());
    const int dy = std::max(std::min(0, area.bottom() - outer.bottom()), area.top() - outer.top());
    return client + QPoint(std::min(0, dx), std::min(0, dy));
}

void WindowShape::Keep()
{
    // The window system owns the size while the window is maximized or minimized, also
    // where Qt has not yet heard of it.
    if (IsSizedBySystem(m_window)) {
        return;
    }
    // While the user drags the frame, the window manager sizes the window by the pointer;
    // the shape is restored when the drag is over.
    if (m_interactiveChange) {
        return;
    }
    const QSize least = ShapedOuterSize(0) - SizeOfFrame(m_frame);
    if (least != m_window.minimumSize()) {
        // The window manager keeps the window from being dragged narrower than that.
        m_window.setMinimumSize(least);
    }
    const QSize wanted = ShapedOuterSize() - SizeOfFrame(m_frame);
    // A window manager that answers the request with the same other size again is not
    // asked a second time, so that it cannot start an endless exchange of resizes.
    const std::pair<QSize, QSize> request{m_window.size(), wanted};
    if (wanted == m_window.size() || request == m_lastRequest) {
        return;
    }
    m_lastRequest = request;
    const QPoint place = PlaceOnScreen(wanted);
    if (place == m_window.geometry().topLeft()) {
        m_window.resize(wanted);
    } else {
        m_window.setGeometry(QRect(place, wanted));
    }
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
            } else if (!m_interactiveChange && PointerButtonHeld()) {
                // The window manager sizes the window while the user holds the button: a drag
                // of the frame, though the window manager gave no cue of it.
                StartInteractiveChange();
                if (m_releaseWatch == nullptr) {
                    m_releaseWatch = new QTimer(this);
                    m_releaseWatch->setInterval(kReleaseCheckInterval);
                    connect(m_releaseWatch, &QTimer::timeout, this, [this] {
                        if (!PointerButtonHeld()) {
                            EndInteractiveChange();
                        }
                    });
                }
                m_releaseWatch->start();
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

void WindowShape::StartInteractiveChange()
{
    m_interactiveChange = true;
}

void WindowShape::EndInteractiveChange()
{
    if (m_releaseWatch != nullptr) {
        m_releaseWatch->stop();
    }
    m_interactiveChange = false;
    m_lastRequest = {};
    QMetaObject::invokeMethod(this, &WindowShape::Keep, Qt::QueuedConnection);
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
            StartInteractiveChange();
            break;
        case WindowManagerCue::InteractiveChangeEnded:
            if (m_interactiveChange && !PointerButtonHeld()) {
                EndInteractiveChange();
            }
            break;
        case WindowManagerCue::None:
            break;
    }
}

void WindowShape::KeepShapeOfNewFrame()
{
    // A window manager may draw another frame while it maximizes the window, and tell of it
    // before it tells of the maximized state: that frame is not the window's own.
    if (m_awaitingRestoredSize || IsSizedBySystem(m_window)) {
        return;
    }
    // The outer shape counts the frame, which a window manager may change after the window
    // has appeared (it is known by the time the window is moved into it or activated).
    const auto frame = AnnouncedFrameMargins(m_window);
    if (!frame) {
        return;
    }
    const bool first = std::exchange(m_awaitingFirstFrame, false);
    if (*frame == m_frame) {
        return;
    }
    m_frame = *frame;
    Keep();
    if (first && !m_interactiveChange) {
        // The window manager did not tell its frame beforehand: the window is centred again
        // for the frame it drew, as it just appeared.
        m_window.setGeometry(
            QRect(CentredFrameCorner(OuterSize()) + QPoint(m_frame.left(), m_frame.top()),
                  m_window.size()));
    }
}

}  // namespace hygrova
