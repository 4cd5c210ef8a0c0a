// The main window: start state, shape keeping, layout, pointer readout and exit.

#include "chart/chart_mapping.h"
#include "chart/readout.h"
#include "common/app_state.h"
#include "common/number_text.h"
#include "shell/widgets/chart_surface.h"
#include "shell/windows/form1_main_window.h"
#include "shell/windows/form2_query_dialog.h"
#include "shell/windows/form3_settings_dialog.h"
#include "shell/windows/form4_about_window.h"
#include "shell/windows/form5_results_window.h"
#include "shell/widgets/layout_helpers.h"
#include "shell/platform/twips.h"
#include "tests/support/wait_until.h"
#include "tests/support/window_expectations.h"
#include "tests/support/main_window_fixture.h"

#include <cmath>
#include <cstdint>
#include <optional>
#include <tuple>
#include <utility>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace hygrova {
namespace {

class Form1Test : public test::MainWindowFixture {
protected:
    // The outer width the window may not go below: 65 % of the primary screen, in pixels.
    static int MinimumOuterWidth()
    {
        const QScreen* screen = QGuiApplication::primaryScreen();
        return static_cast<int>(std::lround(0.65 * screen->geometry().width()));
    }

    std::vector<std::string> ReadoutTexts() const
    {
        std::vector<std::string> texts;
        for (const QLineEdit* box : form1.ReadoutBoxes()) {
            texts.push_back(box->text().toStdString());
        }
        return texts;
    }
};

TEST_F(Form1Test, StartsWithDefaultsCaptionAndDrawnChart)
{
    EXPECT_EQ(form1.windowTitle(), QStringLiteral("Hygrova"));
    EXPECT_EQ(form1.Frame1->title(), QStringLiteral("大气压力:  101325 Pa"));
    const AppState& state = TheAppState();
    test::ExpectStartSettings(state);
    // The design client area is 12915 x 9600 twips.
    EXPECT_EQ(state.DesignScaleWidth, 12915);
    EXPECT_EQ(state.DesignScaleHeight, 9600);
    // The first showing drew the chart: the unit is the picture's width over 45.
    EXPECT_GT(state.ChartUnit, 0.0f);
    EXPECT_NEAR(state.ChartUnit, form1.Picture1->WidthTwips() / 45.0f, 1e-3f);
    const QStringList commands = {form1.Command1->text(), form1.Command2->text(),
                                  form1.Command3->text(), form1.Command4->text()};
    EXPECT_EQ(commands, QStringList({"查询", "设置", "关于", "退出"}));
    const QStringList menu = {form1.menu_ser->text(), form1.menu_set->text(),
                              form1.menu_abt->text()};
    EXPECT_EQ(menu, QStringList({"查询(&C)", "设置(&S)", "关于(&A)"}));
    for (const QAction* action : {form1.menu_ser, form1.menu_set, form1.menu_abt}) {
        EXPECT_EQ(action->menu(), nullptr) << "menu commands stand directly on the bar";
    }
    for (const QLineEdit* box : form1.ReadoutBoxes()) {
        EXPECT_TRUE(box->isReadOnly());
        EXPECT_TRUE(box->text().isEmpty());
    }
}

// The window appears before it draws its chart, but its first picture holds the whole chart
// and the title picture.
TEST_F(Form1Test, TheFirstPaintShowsTheWholeChart)
{
    Form1 fresh;
    struct FirstPaint : QObject {
        const Form1& form;
        std::optional<std::pair<std::size_t, bool>> seen;  // segments drawn, title picture
        explicit FirstPaint(const Form1& f) : form(f) {}
        bool eventFilter(QObject*, QEvent* event) override
        {
            if (event->type() == QEvent::Paint && !seen) {
                seen = {form.Picture1->DrawnSegments().size(),
                        !form.Image1->pixmap().isNull()};
            }
            return false;
        }
    } watch(fresh);
    fresh.Picture1->installEventFilter(&watch);
    fresh.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&fresh));
    ASSERT_TRUE(test::WaitUntil([&] { return watch.seen.has_value(); }));
    EXPECT_EQ(watch.seen->first, form1.Picture1->DrawnSegments().size());
    EXPECT_TRUE(watch.seen->second);
}

TEST_F(Form1Test, EveryWindowSetsUpItsSkinEngineOnLoading)
{
    // The property 0x6803000A set to 0, then the methods 0x6003000C and 0x6003000B.
    using Call = std::tuple<std::uint32_t, bool, std::int32_t>;
    const std::vector<Call> setUp = {
        {0x6803000A, true, 0}, {0x6003000C, false, 0}, {0x6003000B, false, 0}};
    const Form2 query(form1);
    const Form3 settings(form1);
    const Form4 about(form1);
    const Form5 results(form1);
    const std::pair<const char*, const SkinEngine*> windows[] = {
        {"Form1", &form1.BSE1}, {"Form2", &query.BSE1},   {"Form3", &settings.BSE1},
        {"Form4", &about.BSE1}, {"Form5", &results.BSE1},
    };
    for (const auto& [name, engine] : windows) {
        std::vector<Call> calls;
        for (const SkinEngine::Call& call : engine->calls()) {
            calls.emplace_back(call.dispatchId, call.isPropertyPut, call.argument);
        }
        EXPECT_EQ(calls, setUp) << name;
    }
}

TEST_F(Form1Test, WindowIsAtLeast65PercentOfTheScreenAndFourByThree)
{
    const QRect frame = form1.frameGeometry();
    EXPECT_EQ(frame.width(), MinimumOuterWidth());
    EXPECT_NEAR(frame.height(), 0.75 * frame.width(), 1.0);
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_NEAR(frame.center().x(), available.center().x(), 2) << "centred at first";
}

TEST_F(Form1Test, NarrowFlatOrOversizedSizesSnapBack)
{
    form1.resize(400, 300);
    QApplication::processEvents();
    EXPECT_EQ(form1.frameGeometry().width(), MinimumOuterWidth());
    EXPECT_NEAR(form1.frameGeometry().height(), 0.75 * form1.frameGeometry().width(), 1.0);

    const int frameWidth = form1.frameGeometry().width() - form1.width();
    const int wide = MinimumOuterWidth() + 150;
    form1.resize(wide - frameWidth, form1.height());
    QApplication::processEvents();
    EXPECT_EQ(form1.frameGeometry().width(), wide);
    EXPECT_NEAR(form1.frameGeometry().height(), 0.75 * wide, 1.0)
        << "a bottom-edge drag snaps back";

    form1.resize(wide - frameWidth, 200);
    QApplication::processEvents();
    EXPECT_NEAR(form1.frameGeometry().height(), 0.75 * wide, 1.0);

    // Dragged beyond the screen, the window keeps the largest shape that fits the screen's
    // available area, and stays inside it.
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    form1.resize(3 * available.width(), 3 * available.height());
    QApplication::processEvents();
    const QRect outer = form1.frameGeometry();
    EXPECT_NEAR(outer.height(), 0.75 * outer.width(), 1.0);
    EXPECT_NEAR(std::max(outer.width() - available.width(), outer.height() - available.height()),
                0, 1);
    EXPECT_TRUE(available.adjusted(-1, -1, 1, 1).contains(outer)) << "on the screen";
}

TEST_F(Form1Test, ChartAndControlsFollowTheWindowSize)
{
    const int wide = MinimumOuterWidth() + 300;
    form1.resize(wide, form1.height());
    QApplication::processEvents();
    const double tpp = TwipsPerPixel(&form1);
    // The picture spans 0.8 of the outer width, starting at 0.05 of it.
    EXPECT_NEAR(form1.Picture1->width(), 0.8 * form1.frameGeometry().width(), 1.0);
    EXPECT_NEAR(form1.Picture1->x(), 0.05 * form1.frameGeometry().width(), 1.0);
    EXPECT_NEAR(form1.Picture1->height(), 0.8 * form1.Picture1->width(), 1.0);
    // Scaled controls keep their design proportion of the client area.
    const double sx = form1.Client->width() * tpp / 12915.0;
    EXPECT_NEAR(form1.Frame2->x(), sx * 11400 / tpp, 1.0);
    // The "40" moisture label stands at the picture's left plus 40 units.
    const float unit = TheAppState().ChartUnit;
    EXPECT_NEAR(form1.Label10[8]->x(), form1.Picture1->x() + 40 * unit / tpp, 1.0);
    // The moisture axis title counts 45 units from the form's edge, without the picture's left.
    EXPECT_NEAR(form1.Label10[9]->x(), 45 * unit / tpp, 1.0);
}

TEST_F(Form1Test, MaximizeLaysOutForTheFullAreaAndRestoreBringsBackTheShape)
{
    const QSize before = form1.size();
    form1.showMaximized();
    QApplication::processEvents();
    const double tpp = TwipsPerPixel(&form1);
    EXPECT_NEAR(form1.Frame2->x(), form1.Client->width() * tpp / 12915.0 * 11400 / tpp, 1.0);
    form1.showNormal();
    QApplication::processEvents();
    EXPECT_NEAR(form1.frameGeometry().height(), 0.75 * form1.frameGeometry().width(), 1.0);
    EXPECT_EQ(form1.size(), before);
}

TEST_F(Form1Test, RepeatedResizesGiveTheSameLayout)
{
    const auto layout = [this] {
        QList<QRect> geometries;
        for (const QWidget* w : form1.Client->findChildren<QWidget*>()) {
            geometries.append(w->geometry());
        }
        return geometries;
    };
    const QList<QRect> first = layout();
    const QSize size = form1.size();

    for (int i = 0; i < 25; ++i) {
        form1.resize(size.width() + 37 * (i % 5), size.height());
        QApplication::processEvents();
    }
    form1.resize(size);
    QApplication::processEvents();
    ASSERT_EQ(form1.size(), size);
    EXPECT_EQ(layout(), first);
}

TEST_F(Form1Test, MenuCommandsCarryNoLayoutRecord)
{
    for (const QAction* action : {form1.menu_ser, form1.menu_set, form1.menu_abt}) {
        EXPECT_FALSE(action->property(kTagProperty).isValid());
    }
    EXPECT_EQ(form1.Command1->property(kTagProperty).toString(),
              QStringLiteral("120 240 975 375 "));
}

TEST_F(Form1Test, ReadoutShowsTheStateUnderThePointer)
{
    // The pointer exactly at d = 10 g/kg, h = 50 kJ/kg.
    const float unit = TheAppState().ChartUnit;
    const float height = form1.Picture1->HeightTwips();
    const ChartPoint p = MapToChart(10.0f, 50.0f, unit, height);
    form1.Picture1_MouseMove(Qt::NoButton, Qt::NoModifier, p.x, p.y);
    const auto value = [this](QLineEdit* box) {
        return ParseLeadingNumber(box->text().toStdString());
    };
    EXPECT_NEAR(value(form1.Text1), 24.30, 0.01);
    EXPECT_NEAR(value(form1.Text2), 17.69, 0.01);
    EXPECT_NEAR(value(form1.Text3), 14.06, 0.01);
    EXPECT_NEAR(value(form1.Text4), 52.77, 0.01);
    EXPECT_NEAR(value(form1.Text5), 10.0, 1e-3);
    EXPECT_NEAR(value(form1.Text6), 50.0, 1e-3);
    EXPECT_NEAR(value(form1.Text7), 0.8571, 1e-4);
    EXPECT_NEAR(value(form1.Text8), 1603.2, 0.1);
}

TEST_F(Form1Test, RealPointerMovesAndDragsUpdateTheReadout)
{
    const double tpp = TwipsPerPixel(&form1);
    const float unit = TheAppState().ChartUnit;
    const float height = form1.Picture1->HeightTwips();
    const ChartPoint p = MapToChart(8.0f, 40.0f, unit, height);
    const QPoint pixel(static_cast<int>(p.x / tpp), static_cast<int>(p.y / tpp));
    QTest::mouseMove(form1.Picture1, pixel);
    ASSERT_TRUE(test::WaitUntil([this] { return !form1.Text1->text().isEmpty(); }));
    const auto expected =
        ReadoutAt(static_cast<float>(pixel.x() * tpp), static_cast<float>(pixel.y() * tpp), unit,
                  height, TheAppState().AtmosphericPressure);
    EXPECT_EQ(ReadoutTexts(), std::vector<std::string>(expected.begin(), expected.end()));
    EXPECT_FALSE(form1.Text1->text().isEmpty());

    // Along the left edge the moisture content is below 0.05 g/kg: no dew point.
    QTest::mouseMove(form1.Picture1, QPoint(0, pixel.y()));
    EXPECT_TRUE(test::WaitUntil([this] { return form1.Text3->text().isEmpty(); }));
    EXPECT_FALSE(form1.Text1->text().isEmpty());

    // Dragging with a button held beyond the picture's left edge still converts the position.
    QTest::mousePress(form1.Picture1, Qt::LeftButton, Qt::NoModifier, pixel);
    QMouseEvent drag(QEvent::MouseMove, QPointF(-40, pixel.y()),
                     form1.Picture1->mapToGlobal(QPointF(-40, pixel.y())), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form1.Picture1, &drag);
    EXPECT_LT(ParseLeadingNumber(form1.Text5->text().toStdString()), 0.0);
    QTest::mouseRelease(form1.Picture1, Qt::LeftButton, Qt::NoModifier, pixel);
}

TEST_F(Form1Test, ReadoutBlanksBeyondTheSaturationCurve)
{
    const float unit = TheAppState().ChartUnit;
    const float height = form1.Picture1->HeightTwips();
    form1.Picture1_MouseMove(Qt::NoButton, Qt::NoModifier, 10 * unit, height / 2);
    ASSERT_FALSE(form1.Text1->text().isEmpty());
    // d = 30 g/kg with h = 60 kJ/kg is far below and right of the saturation curve.
    const ChartPoint beyond = MapToChart(30.0f, 60.0f, unit, height);
    form1.Picture1_MouseMove(Qt::NoButton, Qt::NoModifier, beyond.x, beyond.y);
    for (const std::string& text : ReadoutTexts()) {
        EXPECT_EQ(text, "");
    }
}

TEST_F(Form1Test, ExitButtonEndsTheProgram)
{
    QTimer::singleShot(0, form1.Command4, &QPushButton::click);
    QTimer watchdog;
    watchdog.setSingleShot(true);
    bool timedOut = false;
    QObject::connect(&watchdog, &QTimer::timeout, [&] {
        timedOut = true;
        QApplication::exit(1);
    });
    watchdog.start(5000);
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_FALSE(timedOut);
}

}  // namespace
}  // namespace hygrova
