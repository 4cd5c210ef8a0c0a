#include "shell/platform/native_window_events.h"

#include <utility>

#include <QEvent>
#include <QWidget>
#include <QWindow>

namespace hygrova {

NativeWindowEvents::NativeWindowEvents(QWidget& window, std::function<void(QEvent&)> handle)
    : QObject(&window), m_window(window), m_handle(std::move(handle))
{
    window.installEventFilter(this);
}

bool NativeWindowEvents::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &m_window) {
        // The native window exists once the widget is shown.
        if (event->type() == QEvent::Show && !m_watchingNativeWindow &&
            m_window.windowHandle() != nullptr) {
            m_window.windowHandle()->installEventFilter(this);
            m_watchingNativeWindow = true;
        }
    } else {
        m_handle(*event);
    }
    return false;
}

}  // namespace hygrova
