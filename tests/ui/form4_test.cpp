// The About window: what it shows, that both ways of closing it give the main window back,
// and that every opening starts from scratch.

#include "shell/windows/form4_about_window.h"
#include "tests/support/window_expectations.h"
#include "tests/support/main_window_fixture.h"

#include <cstdlib>
#include <functional>
#include <stdexcept>

#include <QFrame>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

namespace hygrova {
namespace {

using AboutWindowTest = test::MainWindowFixture;

TEST_F(AboutWindowTest, ShowsNameVersionAuthorsNotesAndIcon)
{
    Form4& about = OpenAbout();
    EXPECT_FALSE(form1.isEnabled());
    EXPECT_EQ(about.windowTitle(), QStringLiteral("关于 Hygrova"));
    EXPECT_EQ(about.Label1->text(), QStringLiteral("Hygrova"));
    EXPECT_EQ(about.Label2->text(), QStringLiteral("版本: 1.0"));
    EXPECT_FALSE(about.Label3->text().isEmpty());
    EXPECT_LE(about.Label3->text().count(QLatin1Char('\n')), 1) << "at most two lines";
    EXPECT_EQ(about.Label4->text(), QStringLiteral("注意事项："));
    EXPECT_EQ(about.Label7->text(), QStringLiteral("3.若有任何问题或建议，欢迎与作者联系。"));
    EXPECT_EQ(about.Command1->text(), QStringLiteral("确定"));
    EXPECT_EQ(about.Picture1->pixmap().deviceIndependentSize().toSize(), QSize(48, 48));

    // A fixed window with only a close box, centred on the screen.
    EXPECT_EQ(about.minimumSize(), about.maximumSize());
    EXPECT_EQ(about.size(), QSize(249, 207));  // 3735 x 3105 twips at 96 dpi
    EXPECT_FALSE(about.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(about.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(about.windowFlags() & Qt::WindowCloseButtonHint);
    test::ExpectCentredOnScreen(about);

    // The notes are dark orange on the window's lavender.
    const QImage shown = about.grab().toImage();
    EXPECT_EQ(shown.pixelColor(2, 2), QColor(192, 192, 255));
    EXPECT_EQ(about.Label5->palette().color(QPalette::WindowText), QColor(192, 64, 0));
}

TEST_F(AboutWindowTest, SeparatorIsEtchedGrayOverWhite)
{
    Form4& about = OpenAbout();
    const QImage shown = about.grab().toImage();
    // 120..3600 twips at y = 1340: pixels 8..239 on row 89, the white line on row 90.
    for (const int x : {8, 120, 239}) {
        SCOPED_TRACE(x);
        EXPECT_EQ(shown.pixelColor(x, 88), QColor(192, 192, 255));
        EXPECT_EQ(shown.pixelColor(x, 89), QColor(128, 128, 128));
        EXPECT_EQ(shown.pixelColor(x, 90), QColor(255, 255, 255));
        EXPECT_EQ(shown.pixelColor(x, 91), QColor(192, 192, 255));
    }
    EXPECT_EQ(shown.pixelColor(7, 89), QColor(192, 192, 255));
    EXPECT_EQ(shown.pixelColor(240, 89), QColor(192, 192, 255));
}

TEST_F(AboutWindowTest, OkAndCloseBoxBothGiveTheMainWindowBack)
{
    struct Row {
        const char* name;
        std::function<void(Form4&)> close;
    };
    const Row rows[] = {
        {"确定", [](Form4& about) { QTest::mouseClick(about.Command1, Qt::LeftButton); }},
        {"close box", [](Form4& about) { about.close(); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Form4& about = OpenAbout();
        ASSERT_FALSE(form1.isEnabled());
        QPointer<Form4> watched(&about);
        row.close(about);
        ProcessDeferredDeletes();
        EXPECT_TRUE(watched.isNull());
        EXPECT_EQ(form1.AboutWindow(), nullptr);
        EXPECT_TRUE(form1.isEnabled());
    }
}

TEST_F(AboutWindowTest, SecondOpeningIsANewWindowShowingTheSameContent)
{
    Form4& first = OpenAbout();
    const QImage firstLook = first.grab().toImage();
    QPointer<Form4> watched(&first);
    QTest::mouseClick(first.Command1, Qt::LeftButton);
    ProcessDeferredDeletes();
    ASSERT_TRUE(watched.isNull());

    Form4& second = OpenAbout();
    EXPECT_EQ(second.grab().toImage(), firstLook);
}

TEST_F(AboutWindowTest, MainWindowIgnoresItsButtonsWhileAboutIsOpen)
{
    Form4& about = OpenAbout();
    QTest::mouseClick(form1.Command2, Qt::LeftButton);  // "设置"
    QTest::mouseClick(form1.Command1, Qt::LeftButton);  // "查询"
    EXPECT_EQ(form1.SettingsDialog(), nullptr);
    EXPECT_EQ(form1.ExistingQueryDialog(), nullptr);
    QTest::mouseClick(about.Command1, Qt::LeftButton);
    ProcessDeferredDeletes();
    QTest::mouseClick(form1.Command2, Qt::LeftButton);
    EXPECT_NE(form1.SettingsDialog(), nullptr) << "the main window responds again";
}

TEST_F(AboutWindowTest, ClosingTheMainWindowUnloadsIt)
{
    OpenAbout();
    form1.close();
    EXPECT_EQ(form1.AboutWindow(), nullptr);
}

TEST_F(AboutWindowTest, EveryCaptionFitsItsLabel)
{
    Form4& about = OpenAbout();
    for (const QLabel* label : about.findChildren<QLabel*>()) {
        if (label->text().isEmpty()) {
            continue;  // the icon
        }
        SCOPED_TRACE(label->text().toStdString());
        const int flags =
            static_cast<int>(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
        const QRect room = label->contentsRect();
        const QRect needed = label->fontMetrics().boundingRect(
            QRect(room.topLeft(), QSize(room.width(), 10000)), flags, label->text());
        EXPECT_LE(needed.width(), room.width());
        EXPECT_LE(needed.height(), room.height());
    }
    EXPECT_LT(about.Command1->fontMetrics().horizontalAdvance(about.Command1->text()),
              about.Command1->width());
}

}  // namespace
}  // namespace hygrova
