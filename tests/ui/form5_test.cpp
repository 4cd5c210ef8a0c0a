// The results window: its design, marking the solved state on the chart, clearing the chart
// and the boxes, hiding and closing.

#include "chart/chart_mapping.h"
#include "common/app_state.h"
#include "shell/widgets/chart_surface.h"
#include "shell/windows/form1_main_window.h"
#include "shell/windows/form2_query_dialog.h"
#include "shell/windows/form5_results_window.h"
#include "shell/platform/twips.h"
#include "tests/support/window_actions.h"
#include "tests/support/main_window_fixture.h"
#include "tests/support/window_expectations.h"

#include <cmath>
#include <map>
#include <numbers>
#include <vector>

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QTest>

namespace hygrova {
namespace {

using test::Click;
using test::ClickTick;

constexpr int kMoisture = 3;
constexpr int kEnthalpy = 4;

// A pixel of the marker: pure red inside, red-dominated where its edge blends into the
// chart. No line family of the default chart is red.
bool IsMarkerRed(QRgb pixel)
{
    return qRed(pixel) >= 200 && qGreen(pixel) <= 90 && qBlue(pixel) <= 90;
}

std::vector<QPoint> RedPixels(const QImage& image)
{
    std::vector<QPoint> red;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (IsMarkerRed(image.pixel(x, y))) {
                red.emplace_back(x, y);
            }
        }
    }
    return red;
}

class Form5Test : public test::MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        Query();
    }

    // Presses "查询" in the main window and takes the two windows it shows.
    void Query()
    {
        form2 = &OpenQuery();
        form5 = form1.ExistingResultsWindow();
    }

    // Asks the query dialog for the state of moisture content d and enthalpy h, as typed.
    void Solve(const QString& d, const QString& h)
    {
        Click(form2->Command2);
        for (const auto& [slot, text] : {std::pair{kMoisture, d}, std::pair{kEnthalpy, h}}) {
            ClickTick(form2->Check1[slot]);
            QTest::keyClicks(form2->Text1[slot], text);
        }
        ASSERT_EQ(form2->SelectedCount, 2);
        Click(form2->Command1);
        ASSERT_TRUE(warnings.messages().isEmpty()) << warnings.messages().join('|').toStdString();
    }

    // Where the state (d, h) lies in the chart's retained image, device pixels, and the
    // marker's radius there.
    struct Place {
        QPointF centre;
        double radius;
    };
    Place PlaceOf(float d, float h) const
    {
        const float unit = TheAppState().ChartUnit;
        const ChartPoint twips = MapToChart(d, h, unit, form1.Picture1->HeightTwips());
        const double scale =
            form1.Picture1->RetainedImage().devicePixelRatio() / TwipsPerPixel(form1.Picture1);
        return {QPointF(twips.x * scale, twips.y * scale), 0.2 * unit * scale};
    }

    const QImage& Chart() const { return form1.Picture1->RetainedImage(); }

    QStringList ResultTexts() const
    {
        QStringList texts;
        for (const QLineEdit* box : form5->ResultBoxes()) {
            texts.append(box->text());
        }
        return texts;
    }

    QPointer<Form2> form2;
    QPointer<Form5> form5;
};

// Every red pixel lies on one of the discs, and each disc is filled: its centre is red and
// it holds red pixels over most of its area.
void ExpectDiscsAt(const std::vector<QPoint>& red, const std::vector<QPointF>& centres,
                   double radius)
{
    std::vector<int> counts(centres.size(), 0);
    for (const QPoint& p : red) {
        bool onADisc = false;
        for (std::size_t k = 0; k < centres.size(); ++k) {
            if (std::hypot(p.x() + 0.5 - centres[k].x(), p.y() + 0.5 - centres[k].y()) <=
                radius + 1.5) {
                ++counts[k];
                onADisc = true;
                break;
            }
        }
        EXPECT_TRUE(onADisc) << "red pixel off the marks at " << p.x() << ", " << p.y();
    }
    for (std::size_t k = 0; k < centres.size(); ++k) {
        EXPECT_GE(counts[k], 0.6 * std::numbers::pi * radius * radius) << "disc " << k;
    }
}

TEST_F(Form5Test, OpensAsTheDesignedTopmostToolWindowWithEmptyBoxes)
{
    EXPECT_EQ(form5->windowTitle(), QStringLiteral("查询结果"));
    const Qt::WindowFlags flags = form5->windowFlags();
    EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Tool);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(flags & Qt::WindowStaysOnTopHint);
    // Client area 5640 x 1785 twips at 1410, 1680 twips: 15 twips a pixel at 96 DPI.
    EXPECT_EQ(form5->geometry(), QRect(94, 112, 376, 119));
    EXPECT_EQ(form5->minimumSize(), form5->maximumSize()) << "the window cannot be resized";
    EXPECT_EQ(form5->Frame1->geometry(), QRect(0, 0, 305, 113));
    EXPECT_TRUE(form5->Frame1->title().isEmpty());
    const QLabel* const labels[8] = {form5->Label1, form5->Label2, form5->Label3, form5->Label4,
                                     form5->Label5, form5->Label6, form5->Label7, form5->Label8};
    QStringList captions;
    for (const QLabel* label : labels) {
        captions.append(label->text());
    }
    EXPECT_EQ(captions,
              QStringList({"干球温度(℃)", "湿球温度(℃)", "露点温度(℃)", "相对湿度(%)",
                           "含湿量(g/kg干)", "焓(kJ/kg干)", "比容(m3/kg干)", "水蒸气分压(Pa)"}));
    // Left column at 1200 twips, right column at 3600; rows 360 twips apart.
    EXPECT_EQ(form5->Text1->geometry(), QRect(80, 16, 57, 18));
    EXPECT_EQ(form5->Text8->geometry(), QRect(240, 88, 57, 18));
    const QStringList buttons = {form5->Command1->text(), form5->Command2->text(),
                                 form5->Command3->text()};
    EXPECT_EQ(buttons, QStringList({"描点", "清除", "关闭"}));
    EXPECT_EQ(form5->Command3->geometry(), QRect(312, 72, 57, 25));
    for (const QLineEdit* box : form5->ResultBoxes()) {
        // The plot reads typed values of d and h; the others only show their state.
        EXPECT_EQ(box->isReadOnly(), box != form5->Text5 && box != form5->Text6)
            << box->objectName().toStdString();
        EXPECT_TRUE(box->text().isEmpty());
    }
}

TEST_F(Form5Test, CaptionsAreNotCut)
{
    const QLabel* const labels[8] = {form5->Label1, form5->Label2, form5->Label3, form5->Label4,
                                     form5->Label5, form5->Label6, form5->Label7, form5->Label8};
    const auto boxes = form5->ResultBoxes();
    form5->Command3->setFocus();  // no caret in the boxes, which would tell where it stands
    for (std::size_t k = 0; k < boxes.size(); ++k) {
        const QLabel* label = labels[k];
        EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()),
                  label->contentsRect().width())
            << label->text().toStdString();
        EXPECT_LE(label->fontMetrics().height(), label->height()) << label->text().toStdString();
        // Each caption ends before its box begins.
        EXPECT_LT(label->geometry().right(), boxes[k]->geometry().left());
        EXPECT_EQ(label->font().pointSizeF(), form5->Label1->font().pointSizeF())
            << "one size for all captions";
        // A vapour pressure of five figures shows whole, in the family's font.
        QLineEdit* box = boxes[k];
        box->setText(QStringLiteral(" 11110.27"));
        EXPECT_TRUE(test::ShowsWhole(box));
        EXPECT_EQ(box->font().pointSizeF(), boxes[0]->font().pointSizeF());
    }
}

// The relative humidity of a state far off the chart, and a long typed enthalpy, show whole.
TEST_F(Form5Test, LongTextsShowWhole)
{
    ASSERT_NO_FATAL_FAILURE(Solve("44", "-30"));
    ASSERT_TRUE(form5->Text4->text().contains('E')) << "an exponent form";
    test::Retype(form5->Text6, QStringLiteral("-29.999999999"));
    for (QLineEdit* box : form5->ResultBoxes()) {
        EXPECT_TRUE(test::ShowsWhole(box));
    }
}

TEST_F(Form5Test, PlotMarksWhatTheUserTypes)
{
    // Typed values plot as typed; a text that does not start with a number counts as 0.
    const struct {
        const char* d;
        const char* h;
        float dValue;
        float hValue;
    } cases[] = {
        {"12.5", "40", 12.5f, 40.0f}, {"20", "60kJ", 20.0f, 60.0f}, {"5", "abc", 5.0f, 0.0f}};
    std::vector<QPointF> centres;
    double radius = 0;
    for (const auto& c : cases) {
        for (const auto& [box, text] :
             {std::pair{form5->Text5, c.d}, std::pair{form5->Text6, c.h}}) {
            box->clear();
            QTest::keyClicks(box, QString::fromLatin1(text));
        }
        Click(form5->Command1);
        const Place mark = PlaceOf(c.dValue, c.hValue);
        centres.push_back(mark.centre);
        radius = mark.radius;
    }
    ExpectDiscsAt(RedPixels(Chart()), centres, radius);
}

// Typing d or h shows the state of the typed pair in the other six boxes, as the query gives
// it, or empties them when the pair has none: never the values of another state.
TEST_F(Form5Test, TypingMoistureOrEnthalpyShowsTheStateOfTheTypedPair)
{
    ASSERT_NO_FATAL_FAILURE(Solve("10", "50"));
    const QStringList solved = ResultTexts();
    const struct {
        const char* name;
        const char* d;
        const char* h;
        bool hasState;
    } cases[] = {
        {"a pair, d in full-width digits", "１０", "50", true},
        {"no enthalpy", "10", "", false},
        {"a moisture content out of range", "46", "50", false},
        {"the pair again", "10", "50", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_NO_FATAL_FAILURE(Solve("5", "20"));  // another state in every box
        test::Retype(form5->Text5, QString::fromUtf8(c.d));
        test::Retype(form5->Text6, QString::fromUtf8(c.h));
        const QStringList shown = ResultTexts();
        for (int k = 0; k < 8; ++k) {
            const QString expected = k == 4   ? QString::fromUtf8(c.d)
                                     : k == 5 ? QString::fromUtf8(c.h)
                                     : c.hasState ? solved[k]
                                                  : QString();
            EXPECT_EQ(shown[k], expected) << "Text" << k + 1;
        }
    }
    EXPECT_TRUE(warnings.messages().isEmpty()) << "typing shows no warning box";
}

TEST_F(Form5Test, PlotMarksTheSolvedStateWithARedDisc)
{
    ASSERT_TRUE(RedPixels(Chart()).empty()) << "the chart itself has no red";
    ASSERT_NO_FATAL_FAILURE(Solve("10", "50"));
    ASSERT_EQ(form5->Text5->text(), QStringLiteral(" 10"));
    ASSERT_EQ(form5->Text6->text(), QStringLiteral(" 50"));
    Click(form5->Command1);
    const Place mark = PlaceOf(10, 50);
    ASSERT_GT(mark.radius, 2.0) << "a disc large enough to check";
    EXPECT_TRUE(IsMarkerRed(Chart().pixel(mark.centre.toPoint())));
    ExpectDiscsAt(RedPixels(Chart()), {mark.centre}, mark.radius);
    // The results stay; the window stays.
    EXPECT_EQ(form5->Text5->text(), QStringLiteral(" 10"));
    EXPECT_TRUE(form5->isVisible());
}

TEST_F(Form5Test, PlotWithoutResultsDrawsNothing)
{
    const QImage chart = Chart().copy();
    Click(form5->Command1);
    EXPECT_EQ(Chart(), chart) << "a window just opened has nothing to plot";
    ASSERT_NO_FATAL_FAILURE(Solve("10", "50"));
    Click(form5->Command2);
    Click(form5->Command1);
    EXPECT_EQ(Chart(), chart) << "after 清除 there is nothing to plot";
}

TEST_F(Form5Test, MarksAccumulateUntilClearRedrawsTheChart)
{
    const QImage chart = Chart().copy();
    ASSERT_NO_FATAL_FAILURE(Solve("10", "50"));
    Click(form5->Command1);
    ASSERT_NO_FATAL_FAILURE(Solve("20", "80"));
    Click(form5->Command1);
    const Place first = PlaceOf(10, 50);
    const Place second = PlaceOf(20, 80);
    ExpectDiscsAt(RedPixels(Chart()), {first.centre, second.centre}, first.radius);

    Click(form5->Command2);
    EXPECT_EQ(Chart(), chart) << "the chart is drawn again as it was, without marks";
    EXPECT_EQ(ResultTexts(), QStringList(8, QString()));
    EXPECT_TRUE(form5->isVisible());
}

TEST_F(Form5Test, ClearKeepsWhatWasDrawnWhenTheChartFaults)
{
    ASSERT_NO_FATAL_FAILURE(Solve("10", "50"));
    // A moisture-line spacing no settings dialog stores divides by zero at the first
    // moisture line: the curves and isotherms drawn before it stay on the picture.
    TheAppState().MoistureLineSpacing = 0;
    EXPECT_NO_THROW(Click(form5->Command2));
    EXPECT_EQ(ResultTexts(), QStringList(8, QString()));
    EXPECT_TRUE(form5->isVisible());
    std::map<QRgb, int> colors;
    for (int y = 0; y < Chart().height(); ++y) {
        for (int x = 0; x < Chart().width(); ++x) {
            ++colors[Chart().pixel(x, y)];
        }
    }
    EXPECT_GT(colors[qRgb(0, 0, 255)], 1000) << "the relative-humidity curves";
    EXPECT_GT(colors[qRgb(192, 192, 192)], 1000) << "the isotherms";
    EXPECT_EQ(colors[qRgb(0, 0, 0)], 0) << "no moisture line: the draw stopped at the first";
    EXPECT_EQ(colors[qRgb(0, 128, 0)], 0) << "no enthalpy line";
}

TEST_F(Form5Test, CloseHidesKeepingTheResultsAndTheCloseBoxDiscardsThem)
{
    ASSERT_NO_FATAL_FAILURE(Solve("10", "50"));
    const QStringList results = ResultTexts();
    const Form5* before = form5;
    Click(form5->Command3);
    EXPECT_FALSE(form5->isVisible());
    ASSERT_NO_FATAL_FAILURE(Query());
    EXPECT_EQ(form5.data(), before);
    EXPECT_EQ(ResultTexts(), results);

    form5->close();
    ProcessDeferredDeletes();
    EXPECT_TRUE(form5.isNull());
    ASSERT_NO_FATAL_FAILURE(Query());
    EXPECT_EQ(ResultTexts(), QStringList(8, QString()));
    EXPECT_TRUE(form5->windowFlags() & Qt::WindowStaysOnTopHint);
}

}  // namespace
}  // namespace hygrova
