#pragma once

#include <QElapsedTimer>
#include <QTest>

namespace hygrova::test {

// Processes events until the condition holds or the time is up; true if it held. On a real
// X server pointer moves and window changes arrive asynchronously.
template <typename Condition>
bool WaitUntil(Condition condition, int timeoutMs = 3000)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > timeoutMs) {
            return false;
        }
        QTest::qWait(10);
    }
    return true;
}

}  // namespace hygrova::test
