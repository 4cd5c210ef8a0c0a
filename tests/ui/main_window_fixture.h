#pragma once

// The main window, shown and drawn, with every warning box recorded instead of shown: the
// starting point of the tests of the program's windows.

#include "shell/windows/form1_main_window.h"
#include "tests/support/warning_recorder.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTest>

#include <gtest/gtest.h>

namespace hygrova::test {

class MainWindowFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        form1.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form1));
    }

    // Carries out the deletions that closing a window with its title-bar close box queued,
    // as the event loop would right after the close.
    static void ProcessDeferredDeletes()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Declared first so that it outlives the windows.
    WarningRecorder warnings;
    // Its constructor sets the program state to its defaults.
    Form1 form1;
};

}  // namespace hygrova::test
