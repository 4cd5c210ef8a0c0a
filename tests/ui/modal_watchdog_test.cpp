// The window tests' watchdog: a modal box that nobody answers fails the test and is closed,
// so that the test ends instead of waiting for a click.

#include "tests/support/modal_watchdog.h"

#include <QMessageBox>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace hygrova {
namespace {

TEST(ModalWatchdogTest, FailsAndClosesABoxNobodyAnswers)
{
    const test::ModalWatchdog watchdog(std::chrono::milliseconds(300));
    QMessageBox box(QMessageBox::Warning, QString(), QStringLiteral("无人应答"));
    EXPECT_NONFATAL_FAILURE(box.exec(), "无人应答");
    EXPECT_FALSE(box.isVisible());
}

}  // namespace
}  // namespace hygrova
