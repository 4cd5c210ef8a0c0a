#pragma once

#include <chrono>

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace hygrova::test {

// Fails the running test when a modal dialog stays open longer than any test leaves one (a
// box the test did not expect, waiting for a click that never comes), and closes it, so that
// the test ends instead of hanging.
class ModalWatchdog : public QObject {
public:
    explicit ModalWatchdog(std::chrono::milliseconds patience = std::chrono::seconds(10));

private:
    void Look();

    const std::chrono::milliseconds m_patience;
    QTimer m_timer;
    QPointer<QWidget> m_seen;
    QElapsedTimer m_since;
};

}  // namespace hygrova::test
