// How the windows meet the window manager: which window keeps the keyboard, minimized windows
// brought back, the settings and About windows kept above the main window, the size below
// which the main window cannot be dragged, and the cues read from the native events.

#include "shell/windows/form2_query_dialog.h"
#include "shell/windows/form3_settings_dialog.h"
#include "shell/windows/form4_about_window.h"
#include "shell/windows/form5_results_window.h"
#include "shell/widgets/warning_box.h"
#include "shell/platform/window_frame.h"
#include "tests/support/wait_until.h"
#include "tests/support/window_actions.h"
#include "tests/support/main_window_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <functional>

#include <gtest/gtest.h>

#ifdef HYGROVA_WITH_X11
#include <xcb/xcb.h>
#endif

namespace hygrova {
namespace {

using test::Click;
using test::ClickTick;
using test::WaitUntil;

#ifdef HYGROVA_WITH_X11
TEST(WindowManagerCueTest, FocusGrabsFrameAndPropertyEventsAreRead)
{
    struct Case {
        std::uint8_t type;
        std::uint8_t detail;
        std::uint8_t mode;
        WindowManagerCue cue;
    };
    const Case cases[] = {
        {XCB_FOCUS_OUT, XCB_NOTIFY_DETAIL_NONLINEAR, XCB_NOTIFY_MODE_GRAB,
         WindowManagerCue::InteractiveChangeStarted},
        {XCB_FOCUS_IN, XCB_NOTIFY_DETAIL_NONLINEAR, XCB_NOTIFY_MODE_UNGRAB,
         WindowManagerCue::InteractiveChangeEnded},
        // The focus went elsewhere during the grab, or moved without one: over as well.
        {XCB_FOCUS_OUT, XCB_NOTIFY_DETAIL_NONLINEAR, XCB_NOTIFY_MODE_WHILE_GRABBED,
         WindowManagerCue::InteractiveChangeEnded},
        {XCB_FOCUS_OUT, XCB_NOTIFY_DETAIL_NONLINEAR, XCB_NOTIFY_MODE_NORMAL,
         WindowManagerCue::InteractiveChangeEnded},
        // Focus events about the pointer's window say nothing about grabs.
        {XCB_FOCUS_OUT, XCB_NOTIFY_DETAIL_POINTER, XCB_NOTIFY_MODE_GRAB, WindowManagerCue::None},
        {XCB_REPARENT_NOTIFY, 0, 0, WindowManagerCue::FrameMayHaveChanged},
        {XCB_PROPERTY_NOTIFY, 0, 0, WindowManagerCue::FrameMayHaveChanged},
        {XCB_CONFIGURE_NOTIFY, 0, 0, WindowManagerCue::None},
    };
    for (const Case& c : cases) {
        for (const std::uint8_t sent : {std::uint8_t{0}, std::uint8_t{0x80}}) {
            xcb_focus_in_event_t event{};  // the largest of the events read, 32 bytes
            event.response_type = static_cast<std::uint8_t>(c.type | sent);
            event.detail = c.detail;
            event.mode = c.mode;
            EXPECT_EQ(CueOfNativeEvent("xcb_generic_event_t", &event), c.cue)
                << "event " << int(c.type) << " detail " << int(c.detail) << " mode " << int(c.mode)
                << (sent ? " (sent)" : "");
        }
    }
    const xcb_focus_in_event_t event{};
    EXPECT_EQ(CueOfNativeEvent("windows_generic_MSG", &event), WindowManagerCue::None);
}
#endif

class WindowManagerTest : public test::MainWindowFixture {
protected:
    // Dry bulb 20 °C with relative humidity 50 %, solved with "确定".
    static void SolveTypicalQuery(Form2& query)
    {
        ClickTick(query.Check1[0]);
        QTest::keyClicks(query.Text1[0], QStringLiteral("20"));
        ClickTick(query.Check1[2]);
        QTest::keyClicks(query.Text1[2], QStringLiteral("50"));
        Click(query.Command1);
    }
};

TEST_F(WindowManagerTest, TheQueryDialogKeepsTheKeyboardWhileTheResultsAreShown)
{
    Form2& query = OpenQuery();
    Form5& results = *form1.ExistingResultsWindow();
    ASSERT_TRUE(WaitUntil([&] { return query.isActiveWindow(); }))
        << "查询 gives the keyboard to the query dialog";
    EXPECT_TRUE(results.isVisible());

    results.hide();
    SolveTypicalQuery(query);
    ASSERT_TRUE(WaitUntil([&] { return results.isVisible(); }));
    QTest::qWait(50);
    EXPECT_TRUE(query.isActiveWindow()) << "the next query can be typed at once";
    EXPECT_FALSE(results.testAttribute(Qt::WA_ShowWithoutActivating))
        << "showing without the keyboard is for that once only";
}

TEST_F(WindowManagerTest, MinimizedQueryWindowsComeBackOnQueryAndOnConfirm)
{
    Form2& query = OpenQuery();
    Form5& results = *form1.ExistingResultsWindow();
    query.showMinimized();
    results.showMinimized();
    ASSERT_TRUE(WaitUntil([&] { return query.isMinimized() && results.isMinimized(); }));

    Click(form1.Command1);
    EXPECT_TRUE(WaitUntil([&] { return !query.isMinimized() && !results.isMinimized(); }));
    EXPECT_TRUE(query.isVisible() && results.isVisible());

    results.showMinimized();
    ASSERT_TRUE(WaitUntil([&] { return results.isMinimized(); }));
    SolveTypicalQuery(query);
    EXPECT_TRUE(WaitUntil([&] { return !results.isMinimized(); }))
        << "a successful 确定 shows the results";
    EXPECT_EQ(results.Text1->text(), QStringLiteral(" 20"));
}

TEST_F(WindowManagerTest, SettingsAndAboutStayAboveTheMainWindow)
{
    const auto owner = [this](QWidget* dialog) {
        EXPECT_EQ(dialog->windowType(), Qt::Dialog);
        return dialog->windowHandle() ? dialog->windowHandle()->transientParent() : nullptr;
    };
    Click(form1.Command2);
    ASSERT_NE(form1.SettingsDialog(), nullptr);
    EXPECT_EQ(owner(form1.SettingsDialog()), form1.windowHandle());
    Click(form1.SettingsDialog()->Command2);  // 取消
    Click(form1.Command2);
    EXPECT_EQ(owner(form1.SettingsDialog()), form1.windowHandle()) << "on every opening";
    Click(form1.SettingsDialog()->Command2);

    Click(form1.Command3);
    ASSERT_NE(form1.AboutWindow(), nullptr);
    EXPECT_EQ(owner(form1.AboutWindow()), form1.windowHandle());
}

// Settings opens centred, frame included; a minimized one comes back when the waiting main
// window is clicked. About, which has no minimize box, comes back by itself; the main window
// clicked while nothing is minimized changes nothing.
TEST_F(WindowManagerTest, SettingsAndAboutOpenCentredAndNeverStayMinimized)
{
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    const auto clickMainWindow = [this] {
        QTest::mouseClick(form1.windowHandle(), Qt::LeftButton, {},
                          form1.Client->mapTo(&form1, QPoint(100, 100)));
    };
    const struct {
        const char* name;
        QPushButton* opener;
        std::function<QWidget*()> window;
        bool comesBackByItself;
    } rows[] = {
        {"settings", form1.Command2, [this] { return form1.SettingsDialog(); }, false},
        {"About", form1.Command3, [this] { return form1.AboutWindow(); }, true},
    };
    for (const auto& row : rows) {
        Click(row.opener);
        QWidget* window = row.window();
        ASSERT_NE(window, nullptr) << row.name;
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window)) << row.name;
        const QRect outer = window->frameGeometry();
        EXPECT_LE((outer.center() - available.center()).manhattanLength(), 2)
            << row.name << " at " << outer.x() << "," << outer.y();

        window->showMinimized();
        if (!row.comesBackByItself) {
            ASSERT_TRUE(WaitUntil([&] { return window->isMinimized(); })) << row.name;
            clickMainWindow();
        }
        EXPECT_TRUE(WaitUntil([&] { return !window->isMinimized(); })) << row.name;
        EXPECT_FALSE(form1.isEnabled()) << row.name << " is still awaited";
        clickMainWindow();
        EXPECT_TRUE(window->isVisible() && !window->isMinimized()) << row.name;
        window->close();
        ProcessDeferredDeletes();
    }
}

TEST_F(WindowManagerTest, AWarningBoxGivesTheKeyboardBackToItsWindow)
{
    Form2& query = OpenQuery();
    ClickTick(query.Check1[2]);
    ASSERT_TRUE(WaitUntil([&] { return query.isActiveWindow(); }));
    // The real box, closed as the user closes it, with the main window made active meanwhile
    // as a window manager may do.
    const WarningBoxHandler recorder = SetWarningBoxHandler({});
    QString shown;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->text();
            form1.activateWindow();
            box->button(QMessageBox::Ok)->click();
        }
    });
    closer.start(20);
    ShowWarningBox(query.Text1[2], QStringLiteral("输入参数不得少于两个！"));
    closer.stop();
    SetWarningBoxHandler(recorder);

    EXPECT_EQ(shown, QStringLiteral("输入参数不得少于两个！"));
    EXPECT_TRUE(WaitUntil([&] { return query.isActiveWindow(); }))
        << "the window the box spoke for is active again";
}

TEST_F(WindowManagerTest, TheMainWindowCannotBeMadeNarrowerThanItsShape)
{
    // The window manager is told the smallest size, so that a drag stops there.
    const int screenWidth = QGuiApplication::primaryScreen()->geometry().width();
    const QSize frame = form1.frameGeometry().size() - form1.size();
    EXPECT_GE(form1.minimumWidth() + frame.width(), screenWidth * 65 / 100);
    EXPECT_NEAR(form1.minimumHeight() + frame.height(),
                0.75 * (form1.minimumWidth() + frame.width()), 1.0);
}

}  // namespace
}  // namespace hygrova
