#include "shell/platform/disabled_window_clicks.h"

#include <utility>

#include <QEvent>
#include <QWidget>
#include <QWindow>

namespace hygrova {

DisabledWindowClicks::DisabledWindowClicks(QWidget& window, std::function<void()> clicked)
    : QObject(&window), m_window(window), m_clicked(std::move(clicked))
{
    window.installEventFilter(this);
}

bool DisabledWindowClicks::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &m_window) {
        // The presses reach the native window, not the disabled widget.
        if (event->type() == QEvent::Show && !m_watchingNativeWindow &&
            m_window.windowHandle() != nullptr) {
            m_window.windowHandle()->installEventFilter(this);
            m_watchingNativeWindow = true;
        }
    } else if (event->type() == QEvent::MouseButtonPress && !m_window.isEnabled()) {
        m_clicked();
    }
    return false;
}

}  // namespace hygrova
