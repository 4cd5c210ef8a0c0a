#include "tests/support/main_window_fixture.h"

#include "shell/windows/form2_query_dialog.h"
#include "shell/windows/form3_settings_dialog.h"
#include "shell/windows/form4_about_window.h"
#include "shell/windows/form5_results_window.h"

#include <stdexcept>

#include <QCoreApplication>
#include <QEvent>
#include <QPushButton>
#include <QTest>

namespace hygrova::test {
namespace {

// The window a click of `button` shows, once it is on the screen; throws `failure` if none.
template <typename Window>
Window& Shown(QPushButton* button, Window* (Form1::*window)() const, const Form1& form,
              const char* failure)
{
    QTest::mouseClick(button, Qt::LeftButton);
    Window* shown = (form.*window)();
    if (shown == nullptr || !QTest::qWaitForWindowExposed(shown)) {
        throw std::runtime_error(failure);
    }
    return *shown;
}

}  // namespace

void MainWindowFixture::SetUp()
{
    form1.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form1));
}

Form2& MainWindowFixture::OpenQuery()
{
    Form2& query = Shown(form1.Command1, &Form1::ExistingQueryDialog, form1, "查询 showed no query dialog");
    Form5* results = form1.ExistingResultsWindow();
    if (results == nullptr || !QTest::qWaitForWindowExposed(results)) {
        throw std::runtime_error("查询 showed no results window");
    }
    return query;
}

Form3& MainWindowFixture::OpenSettings()
{
    return Shown(form1.Command2, &Form1::SettingsDialog, form1, "设置 showed no settings dialog");
}

Form4& MainWindowFixture::OpenAbout()
{
    return Shown(form1.Command3, &Form1::AboutWindow, form1, "关于 showed no About window");
}

void MainWindowFixture::ProcessDeferredDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace hygrova::test
