#include "shell/platform/screen_centring.h"

#include "shell/platform/window_frame.h"

#include <algorithm>

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace hygrova {

QPoint CentredFrameCorner(const QSize& outerSize)
{
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (primary == nullptr) {
        return QPoint();
    }
    const QRect area = primary->availableGeometry();
    return QPoint(area.left() + std::max(0, (area.width() - outerSize.width()) / 2),
                  area.top() + std::max(0, (area.height() - outerSize.height()) / 2));
}

FrameCentring::FrameCentring(QWidget& window) : QObject(&window), m_window(window)
{
    m_frame =
        ExpectedFrameMargins(&window).value_or(AnnouncedFrameMargins(window).value_or(QMargins()));
    Centre();
    window.installEventFilter(this);
}

void FrameCentring::Centre()
{
    // The client area's geometry, which is what the frame is counted from here, whatever Qt
    // takes the frame for (a window's move() places its frame as Qt knows it).
    const QPoint corner = CentredFrameCorner(m_window.size() + SizeOfFrame(m_frame));
    m_window.setGeometry(QRect(corner + QPoint(m_frame.left(), m_frame.top()), m_window.size()));
}

bool FrameCentring::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &m_window || !m_awaitingFrame) {
        return false;
    }
    switch (event->type()) {
        case QEvent::Move:
        case QEvent::ActivationChange:
        case QEvent::Paint:
            // By then the window manager has framed the window, and said so.
            if (const auto frame = AnnouncedFrameMargins(m_window)) {
                m_awaitingFrame = false;
                if (*frame != m_frame) {
                    m_frame = *frame;
                    Centre();
                }
            }
            break;
        default:
            break;
    }
    return false;
}

}  // namespace hygrova
