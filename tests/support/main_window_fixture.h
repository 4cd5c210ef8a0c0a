#pragma once

// The main window, shown and drawn, with every warning box recorded instead of shown and a
// watchdog on modal dialogs: the starting point of the tests of the program's windows.

#include "shell/windows/form1_main_window.h"
#include "tests/support/modal_watchdog.h"
#include "tests/support/warning_recorder.h"

#include <gtest/gtest.h>

namespace hygrova {

class Form2;
class Form3;
class Form4;

namespace test {

class MainWindowFixture : public ::testing::Test {
protected:
    void SetUp() override;

    // Clicks "查询" and answers the query dialog it shows, once it and the results window
    // are on the screen. Throws when they do not show.
    Form2& OpenQuery();
    // Clicks "设置" and answers the settings dialog it shows; throws when none shows.
    Form3& OpenSettings();
    // Clicks "关于" and answers the About window it shows; throws when none shows.
    Form4& OpenAbout();

    // Carries out the deletions that closing a window with its title-bar close box queued,
    // as the event loop would right after the close.
    static void ProcessDeferredDeletes();

    // Declared first so that they outlive the windows.
    ModalWatchdog modalWatchdog;
    WarningRecorder warnings;
    // Its constructor sets the program state to its defaults.
    Form1 form1;
};

}  // namespace test
}  // namespace hygrova
