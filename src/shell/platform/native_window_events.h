#pragma once

#include <functional>

#include <QObject>

class QEvent;
class QWidget;

namespace hygrova {

// Hands the events of a top-level window's native window (its QWindow) to `handle`, from the
// window's first showing on: those Qt passes to no widget, as a mouse button pressed while
// the window is disabled, and those that come before the widgets see anything, as the first
// exposure, before the window is first painted. Made a child of the window.
class NativeWindowEvents : public QObject {
public:
    NativeWindowEvents(QWidget& window, std::function<void(QEvent&)> handle);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& m_window;
    std::function<void(QEvent&)> m_handle;
    bool m_watchingNativeWindow = false;
};

}  // namespace hygrova
