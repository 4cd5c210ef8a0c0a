// Module2: recording and scaling a window's layout, and the topmost band.

#include "shell/widgets/layout_helpers.h"

#include "common/app_state.h"
#include "model/arithmetic_fault.h"
#include "shell/platform/twips.h"

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QTest>

#include <gtest/gtest.h>

namespace hygrova {
namespace {

// A small main window designed at 600 x 400 pixels with a label on the client area, a frame
// with a nested label, an array of two labels sharing a name, and a menu command.
class LayoutWindow : public QMainWindow {
public:
    LayoutWindow()
    {
        client = new QWidget(this);
        client->setObjectName("Client");
        setCentralWidget(client);
        menu = menuBar()->addAction("查询(&C)");
        label = Named(new QLabel("a", client), "Label1");
        label->setGeometry(16, 24, 73, 17);  // 240 360 1095 255 twips at 96 DPI
        frame = Named(new QFrame(client), "Frame1");
        frame->setGeometry(100, 100, 300, 200);
        nested = Named(new QLabel("b", frame), "Label2");
        nested->setGeometry(10, 20, 50, 30);
        for (int i = 0; i < 2; ++i) {
            array[i] = Named(new QLabel("c", client), "Label3");
            array[i]->setGeometry(400 + 60 * i, 10, 50, 20);
        }
        resize(600, 400 + menuBar()->sizeHint().height());
    }

    // Resizes the client area to w x h pixels.
    void SetClientSize(int w, int h)
    {
        resize(w, h + menuBar()->sizeHint().height());
        QApplication::processEvents();
        ASSERT_EQ(client->size(), QSize(w, h));
    }

    QWidget* client;
    QAction* menu;
    QLabel* label;
    QFrame* frame;
    QLabel* nested;
    std::array<QLabel*, 2> array{};

private:
    template <typename W>
    static W* Named(W* widget, const char* name)
    {
        widget->setObjectName(name);
        return widget;
    }
};

class LayoutHelpersTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        window.SetClientSize(600, 400);
        RecordLayout(window, state);
    }

    LayoutWindow window;
    AppState state;
};

TEST_F(LayoutHelpersTest, RecordsDesignSizeAndEveryControl)
{
    EXPECT_EQ(state.DesignScaleWidth, 9000);
    EXPECT_EQ(state.DesignScaleHeight, 6000);
    EXPECT_EQ(window.label->property(kTagProperty).toString(), "240 360 1095 255 ");
    // Nested controls are recorded in their container's coordinates.
    EXPECT_EQ(window.nested->property(kTagProperty).toString(), "150 300 750 450 ");
    EXPECT_EQ(window.array[1]->property(kTagProperty).toString(), "6900 150 750 300 ");
    EXPECT_FALSE(window.menu->property(kTagProperty).isValid()) << "menu commands are skipped";
}

TEST_F(LayoutHelpersTest, UnchangedSizeKeepsEveryControlInPlace)
{
    window.label->setGeometry(0, 0, 5, 5);
    ScaleLayout(window, state);
    EXPECT_EQ(window.label->geometry(), QRect(16, 24, 73, 17));
    EXPECT_EQ(window.nested->geometry(), QRect(10, 20, 50, 30));
}

TEST_F(LayoutHelpersTest, DoubledWidthScalesHorizontallyOnly)
{
    window.SetClientSize(1200, 400);
    ScaleLayout(window, state);
    // "240 360 1095 255 " becomes 480, 360, 2190, 255 twips.
    EXPECT_EQ(window.label->geometry(), QRect(32, 24, 146, 17));
    // Container and contents scale together: the nested label keeps its relative place.
    EXPECT_EQ(window.frame->geometry(), QRect(200, 100, 600, 200));
    EXPECT_EQ(window.nested->geometry(), QRect(20, 20, 100, 30));
    EXPECT_EQ(window.array[1]->geometry(), QRect(920, 10, 100, 20));
}

TEST_F(LayoutHelpersTest, ManyResizesDoNotDrift)
{
    for (int w = 601; w < 1400; w += 53) {
        window.SetClientSize(w, 400 + w % 97);
        ScaleLayout(window, state);
    }
    window.SetClientSize(600, 400);
    ScaleLayout(window, state);
    EXPECT_EQ(window.label->geometry(), QRect(16, 24, 73, 17));
    EXPECT_EQ(window.array[0]->geometry(), QRect(400, 10, 50, 20));
}

TEST_F(LayoutHelpersTest, ZeroInnerSizeCollapsesAndRestoringLaysOutAgain)
{
    // A minimized window's client area has no size.
    window.client->resize(0, 0);
    ScaleLayout(window, state);
    EXPECT_EQ(window.label->geometry(), QRect(0, 0, 0, 0));
    EXPECT_EQ(window.nested->geometry(), QRect(0, 0, 0, 0));
    window.client->resize(600, 400);
    ScaleLayout(window, state);
    EXPECT_EQ(window.label->geometry(), QRect(16, 24, 73, 17));
}

TEST_F(LayoutHelpersTest, IncompleteOrUnreadableTags)
{
    window.label->setProperty(kTagProperty, "240 360 ");
    window.nested->setProperty(kTagProperty, "");
    window.array[0]->setProperty(kTagProperty, "x y z w ");
    ScaleLayout(window, state);
    EXPECT_EQ(window.label->geometry(), QRect(16, 24, 0, 0)) << "missing values read as 0";
    EXPECT_EQ(window.nested->geometry(), QRect(0, 0, 0, 0)) << "an empty Tag moves to 0, 0";
    EXPECT_EQ(window.array[0]->geometry(), QRect(400, 10, 50, 20)) << "unreadable: left alone";
}

TEST_F(LayoutHelpersTest, ControlsAddedLaterAndMissingDesignSize)
{
    auto* late = new QLabel("late", window.client);
    late->setObjectName("Label9");
    late->setGeometry(5, 6, 7, 8);
    ScaleLayout(window, state);
    EXPECT_EQ(late->geometry(), QRect(5, 6, 7, 8)) << "no Tag: keeps its place";

    EXPECT_THROW(ScaleLayout(window, AppState{}), ArithmeticFault);
}

TEST(KeepOnTopTest, EntersTheTopmostBandAndKeepsGeometry)
{
    QWidget window;
    window.setGeometry(120, 130, 300, 200);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QRect before = window.geometry();
    KeepOnTop(window);
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.geometry(), before);
}

}  // namespace
}  // namespace hygrova
