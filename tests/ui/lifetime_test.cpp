// Opening and closing the secondary windows many times, through every path: no window
// outlives its closing, there is never a second instance, and memory stays flat; a window
// shown again takes the keyboard as a new one does.

#include "shell/windows/form2_query_dialog.h"
#include "shell/windows/form3_settings_dialog.h"
#include "shell/windows/form4_about_window.h"
#include "shell/windows/form5_results_window.h"
#include "tests/support/window_actions.h"
#include "tests/support/main_window_fixture.h"

#include <cstddef>
#include <functional>

#include <QApplication>
#include <QPushButton>
#include <QTest>

#include <malloc.h>

namespace hygrova {
namespace {

constexpr int kCycles = 1000;

#if defined(__SANITIZE_ADDRESS__)
#define HYGROVA_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define HYGROVA_ADDRESS_SANITIZER 1
#endif
#endif

#ifdef HYGROVA_ADDRESS_SANITIZER
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

// Heap memory in use by this process, kB. Live allocations rather than resident memory: the
// allocator keeps freed memory, and AddressSanitizer holds freed blocks back on purpose.
long LiveHeapKb()
{
#ifdef HYGROVA_ADDRESS_SANITIZER
    return static_cast<long>(__sanitizer_get_current_allocated_bytes() / 1024);
#else
    const struct mallinfo2 info = mallinfo2();
    return static_cast<long>((info.uordblks + info.hblkhd) / 1024);
#endif
}

class LifetimeTest : public test::MainWindowFixture {
protected:
    // Runs one open-and-close cycle kCycles times and checks, after a warm-up that fills
    // Qt's caches, that the set of top-level windows is back to where it started after each
    // cycle and that the heap in use has not grown. The events the cycle queued are handled
    // after it, as the event loop would.
    void Cycle(const std::function<void()>& openAndClose)
    {
        const auto handleEvents = [] {
            QCoreApplication::sendPostedEvents();
            QCoreApplication::processEvents();
        };
        for (int i = 0; i < 50; ++i) {
            openAndClose();
            handleEvents();
        }
        const qsizetype windows = QApplication::topLevelWidgets().size();
        const long before = LiveHeapKb();
        for (int i = 0; i < kCycles; ++i) {
            openAndClose();
            handleEvents();
            ASSERT_EQ(QApplication::topLevelWidgets().size(), windows) << "after cycle " << i;
        }
        EXPECT_LT(LiveHeapKb() - before, 256) << "the heap grew over " << kCycles << " cycles";
    }

    static int Count(const char* className) { return test::CountTopLevel(className); }
};

TEST_F(LifetimeTest, QueryWindowsThroughTheirCloseBoxes)
{
    Cycle([this] {
        form1.Command1->click();
        ASSERT_EQ(Count("hygrova::Form2"), 1);
        ASSERT_EQ(Count("hygrova::Form5"), 1);
        form1.ExistingQueryDialog()->close();
        form1.ExistingResultsWindow()->close();
    });
    EXPECT_EQ(Count("hygrova::Form2"), 0);
    EXPECT_EQ(Count("hygrova::Form5"), 0);
}

TEST_F(LifetimeTest, QueryWindowsHiddenAndShownAgain)
{
    form1.Command1->click();
    Form2* const dialog = form1.ExistingQueryDialog();
    Form5* const results = form1.ExistingResultsWindow();
    Cycle([&] {
        dialog->Command3->click();
        results->Command3->click();
        form1.menu_ser->trigger();
        ASSERT_EQ(form1.ExistingQueryDialog(), dialog) << "a second query opens no new window";
        ASSERT_EQ(form1.ExistingResultsWindow(), results);
    });
    EXPECT_EQ(Count("hygrova::Form2"), 1);
}

TEST_F(LifetimeTest, SettingsThroughEveryButtonAndTheCloseBox)
{
    Cycle([this] {
        // "取消" hides the dialog and "确定" hides it after storing; the next opening shows the
        // same dialog again. The close box destroys it.
        const auto open = [this] {
            form1.Command2->click();
            EXPECT_FALSE(form1.isEnabled());
            EXPECT_EQ(Count("hygrova::Form3"), 1);
            return form1.SettingsDialog();
        };
        Form3* const settings = open();
        settings->Command2->click();
        ASSERT_EQ(open(), settings);
        settings->Command1->click();
        ASSERT_EQ(open(), settings);
        settings->close();
        ASSERT_TRUE(form1.isEnabled());
    });
    EXPECT_EQ(Count("hygrova::Form3"), 0);
}

TEST_F(LifetimeTest, AboutThroughItsButtonAndTheCloseBox)
{
    int path = 0;
    Cycle([&] {
        form1.Command3->click();
        Form4* const about = form1.AboutWindow();
        ASSERT_NE(about, nullptr);
        ASSERT_EQ(Count("hygrova::Form4"), 1);
        if (path++ % 2 == 0) {
            about->Command1->click();
        } else {
            about->close();
        }
        ASSERT_TRUE(form1.isEnabled());
    });
    EXPECT_EQ(Count("hygrova::Form4"), 0);
}

// A window hidden by its button and shown again gives the keyboard to the control a new one
// gives it to, not to the button that hid it, which the space bar would press again.
TEST_F(LifetimeTest, AWindowShownAgainTakesTheKeyboardAsANewOneDoes)
{
    struct Row {
        const char* name;
        std::function<QWidget*()> open;  // shows the window, new or hidden
        std::function<QPushButton*(QWidget*)> hidingButton;
    };
    const Row rows[] = {
        {"查询条件, 关闭", [this] { return static_cast<QWidget*>(&OpenQuery()); },
         [](QWidget* w) { return static_cast<Form2*>(w)->Command3; }},
        {"查询结果, 关闭",
         [this] {
             OpenQuery();
             return static_cast<QWidget*>(form1.ExistingResultsWindow());
         },
         [](QWidget* w) { return static_cast<Form5*>(w)->Command3; }},
        {"设置, 取消", [this] { return static_cast<QWidget*>(&OpenSettings()); },
         [](QWidget* w) { return static_cast<Form3*>(w)->Command2; }},
        {"设置, 确定", [this] { return static_cast<QWidget*>(&OpenSettings()); },
         [](QWidget* w) { return static_cast<Form3*>(w)->Command1; }},
    };
    const auto keyboardIn = [](QWidget* window) {
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window));
        return window->focusWidget();
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QWidget* const window = row.open();
        QWidget* const first = keyboardIn(window);
        QTest::mouseClick(row.hidingButton(window), Qt::LeftButton);
        ASSERT_FALSE(window->isVisible());
        ASSERT_EQ(row.open(), window);
        EXPECT_EQ(keyboardIn(window), first);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        EXPECT_TRUE(window->isVisible());
    }
}

TEST_F(LifetimeTest, ExitWithEveryWindowOpenUnloadsThemAll)
{
    Cycle([this] {
        form1.Command1->click();
        form1.Command2->click();
        form1.SettingsDialog()->Command2->click();
        form1.Command3->click();
        // "退出" unloads the four windows before it ends the event loop; without a running
        // loop, as here, ending it does nothing and the main window stays. (The main window
        // is disabled while About is open, so its handler is called directly.)
        form1.Command4_Click();
        ASSERT_EQ(form1.ExistingQueryDialog(), nullptr);
        ASSERT_EQ(form1.SettingsDialog(), nullptr);
        ASSERT_EQ(form1.AboutWindow(), nullptr);
        ASSERT_EQ(form1.ExistingResultsWindow(), nullptr);
    });
}

}  // namespace
}  // namespace hygrova
