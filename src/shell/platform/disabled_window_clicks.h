#pragma once

#include <functional>

#include <QObject>

class QWidget;

namespace hygrova {

// Tells of a mouse button pressed in a top-level window while the window is disabled, which
// Qt hands to none of its widgets: `clicked` runs for each such press. Made a child of the
// window; it watches the window's native window from its first showing on.
class DisabledWindowClicks : public QObject {
public:
    DisabledWindowClicks(QWidget& window, std::function<void()> clicked);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& m_window;
    std::function<void()> m_clicked;
    bool m_watchingNativeWindow = false;
};

}  // namespace hygrova
