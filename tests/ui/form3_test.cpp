// The settings dialog: what it shows when it loads, how "确定" and "应用" check and store the
// pressure, colors and spacings and redraw the chart, what "取消" and the close box keep, and
// the main window's disabled state around it.

#include "chart/chart_drawing.h"
#include "common/app_state.h"
#include "shell/widgets/chart_surface.h"
#include "shell/windows/form3_settings_dialog.h"
#include "shell/platform/twips.h"
#include "tests/support/window_actions.h"
#include "tests/support/window_expectations.h"
#include "tests/support/main_window_fixture.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>
#include <stdexcept>
#include <vector>

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace hygrova {
namespace {

using test::Click;

const QString kTooLarge = QStringLiteral("大气压力过大，请重新输入！");
const QString kTooSmall = QStringLiteral("大气压力过小，请重新输入！");
const QString kStartCaption = QStringLiteral("大气压力:  101325 Pa");

using test::Retype;

void Retype(QComboBox* box, const QString& text)
{
    Retype(box->lineEdit(), text);
}

// Walks the box's list with the arrow keys, as a user does, until the box shows `entry`.
void PickWithArrowKeys(QComboBox* box, const QString& entry)
{
    const int target = box->findText(entry);
    ASSERT_GE(target, 0) << entry.toStdString() << " is no entry";
    for (int presses = 0; box->currentText() != entry && presses <= box->count(); ++presses) {
        QTest::keyClick(box, box->currentIndex() < target ? Qt::Key_Down : Qt::Key_Up);
    }
    ASSERT_EQ(box->currentText(), entry);
}

QStringList Entries(const QComboBox* box)
{
    QStringList entries;
    for (int i = 0; i < box->count(); ++i) {
        entries.append(box->itemText(i));
    }
    return entries;
}

// The chart's display list for the main window's picture as it is now and the settings.
std::vector<ChartSegment> ChartFor(const Form1& form, const AppState& settings)
{
    const QRectF place = GeometryInTwips(*form.Picture1);
    const PictureGeometry picture{static_cast<float>(place.x()), static_cast<float>(place.y()),
                                  static_cast<float>(place.width()),
                                  static_cast<float>(place.height())};
    return BuildChart(picture, settings).segments;
}

double DistanceToSegment(QPointF p, QPointF a, QPointF b)
{
    const QPointF ab = b - a;
    const double lengthSquared = QPointF::dotProduct(ab, ab);
    const double t = lengthSquared > 0
                         ? std::clamp(QPointF::dotProduct(p - a, ab) / lengthSquared, 0.0, 1.0)
                         : 0;
    const QPointF nearest = a + t * ab;
    return std::hypot(p.x() - nearest.x(), p.y() - nearest.y());
}

// A pixel of the retained chart image that a segment `onTarget` accepts runs through (within
// 0.2 pixel of its centre) and that every other segment keeps 2 pixels away from, beyond
// the reach of their one-pixel antialiased strokes: what the chart shows there is that
// segment's color, or white where it is not drawn.
std::optional<QPoint> FindPixelOnlyOn(const std::vector<ChartSegment>& segments,
                                      const std::function<bool(const ChartSegment&)>& onTarget,
                                      const QImage& image, double twipsPerPixel)
{
    constexpr double kClearance = 2;
    constexpr double kCentreTolerance = 0.2;
    const double scale = image.devicePixelRatio() / twipsPerPixel;
    const auto ends = [scale](const ChartSegment& s) {
        return std::pair{QPointF(s.x1 * scale, s.y1 * scale), QPointF(s.x2 * scale, s.y2 * scale)};
    };
    std::vector<std::pair<QPointF, QPointF>> others;
    for (const ChartSegment& s : segments) {
        if (!onTarget(s)) {
            others.push_back(ends(s));
        }
    }
    const QRectF inside =
        QRectF(image.rect()).adjusted(kClearance, kClearance, -kClearance, -kClearance);
    for (const ChartSegment& s : segments) {
        if (!onTarget(s)) {
            continue;
        }
        const auto [a, b] = ends(s);
        const int steps = static_cast<int>(std::hypot(b.x() - a.x(), b.y() - a.y())) * 2;
        for (int k = 1; k < steps; ++k) {
            const QPointF along = a + (b - a) * (static_cast<double>(k) / steps);
            const QPoint pixel(static_cast<int>(std::floor(along.x())),
                               static_cast<int>(std::floor(along.y())));
            const QPointF centre = QPointF(pixel) + QPointF(0.5, 0.5);
            if (!inside.contains(centre) || DistanceToSegment(centre, a, b) > kCentreTolerance) {
                continue;
            }
            const QRectF near(centre - QPointF(kClearance, kClearance),
                              centre + QPointF(kClearance, kClearance));
            const bool clear = std::none_of(others.begin(), others.end(), [&](const auto& other) {
                const QRectF box = QRectF(other.first, other.second).normalized();
                return box.adjusted(-1, -1, 1, 1).intersects(near) &&
                       DistanceToSegment(centre, other.first, other.second) < kClearance;
            });
            if (clear) {
                return pixel;
            }
        }
    }
    return std::nullopt;
}

bool HasColor(const ChartSegment& s, int color)
{
    return s.color == color;
}

class SettingsDialogTest : public test::MainWindowFixture {
protected:
    // The pixel of the chart picture at `pixel` of its retained image.
    QColor ChartPixel(QPoint pixel) const
    {
        return form1.Picture1->RetainedImage().pixelColor(pixel);
    }

    std::optional<QPoint> PixelOnlyOn(
        const std::vector<ChartSegment>& segments,
        const std::function<bool(const ChartSegment&)>& onTarget) const
    {
        return FindPixelOnlyOn(segments, onTarget, form1.Picture1->RetainedImage(),
                               TwipsPerPixel(form1.Picture1));
    }
};

TEST_F(SettingsDialogTest, FirstOpeningShowsStandardPressureCurrentColorsAndEveryLine)
{
    Form3& dialog = OpenSettings();
    EXPECT_FALSE(form1.isEnabled());
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("设置"));
    EXPECT_EQ(dialog.SSTab1->tabText(0), QStringLiteral("大气压力"));
    EXPECT_EQ(dialog.SSTab1->tabText(1), QStringLiteral("图形界面"));
    EXPECT_EQ(dialog.SSTab1->currentIndex(), 0);

    EXPECT_EQ(dialog.Text1->text(), QStringLiteral("101325"));
    const QStringList colors = {dialog.Combo1->currentText(), dialog.Combo2->currentText(),
                                dialog.Combo3->currentText(), dialog.Combo4->currentText()};
    EXPECT_EQ(colors, QStringList({"白色", "绿色", "黑色", "亮蓝色"}));
    for (const QComboBox* box : {dialog.Combo1, dialog.Combo2, dialog.Combo3, dialog.Combo4}) {
        const QStringList entries = Entries(box);
        ASSERT_EQ(entries.size(), 16);
        EXPECT_EQ(entries.front(), QStringLiteral("黑色"));
        EXPECT_EQ(entries.back(), QStringLiteral("隐藏"));
    }
    for (const QComboBox* box : {dialog.Combo5, dialog.Combo6, dialog.Combo7}) {
        EXPECT_EQ(box->currentText(), QStringLiteral("1"));
        EXPECT_EQ(Entries(box), QStringList({"1", "5", "10"}));
    }
    EXPECT_EQ(dialog.Combo8->currentText(), QStringLiteral("10"));
    EXPECT_EQ(dialog.Combo8->count(), 0);

    // A fixed window with close and minimize boxes, centred on the screen.
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
    EXPECT_EQ(dialog.size(), QSize(368, 233));  // 5520 x 3495 twips at 96 dpi
    EXPECT_FALSE(dialog.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(dialog.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(dialog.windowFlags() & Qt::WindowCloseButtonHint);
    test::ExpectCentredOnScreen(dialog);

    Click(dialog.Command1);
    EXPECT_TRUE(warnings.messages().isEmpty());
    test::ExpectStartSettings(TheAppState());
    // The caption is now built from the typed text: one blank after the colon.
    EXPECT_EQ(form1.Frame1->title(), QStringLiteral("大气压力: 101325 Pa"));
    EXPECT_TRUE(form1.isEnabled());
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(form1.SettingsDialog(), &dialog) << "确定 hides the dialog, it does not unload it";
}

TEST_F(SettingsDialogTest, PressureLimitsOfOkAndApply)
{
    enum class Button { Ok, Apply };
    struct Row {
        const char* name;
        const char* typed;
        Button button;
        const QString* message;  // null: accepted
        float storedHpa;
        const char* caption = nullptr;  // the pressure in the main window's caption; null: as typed
    };
    const Row rows[] = {
        {"60000 is too small for OK", "60000", Button::Ok, &kTooSmall, 0},
        {"60000 is fine for Apply", "60000", Button::Apply, nullptr, 600},
        {"180000 is too large for OK", "180000", Button::Ok, &kTooLarge, 0},
        {"180000 is fine for Apply", "180000", Button::Apply, nullptr, 1800},
        {"40000 is too small for OK", "40000", Button::Ok, &kTooSmall, 0},
        {"40000 is too small for Apply", "40000", Button::Apply, &kTooSmall, 0},
        {"210000 is too large for OK", "210000", Button::Ok, &kTooLarge, 0},
        {"210000 is too large for Apply", "210000", Button::Apply, &kTooLarge, 0},
        {"OK's lower limit is inclusive", "70000", Button::Ok, nullptr, 700},
        {"just below OK's lower limit", "69999", Button::Ok, &kTooSmall, 0},
        {"OK's upper limit is inclusive", "150000", Button::Ok, nullptr, 1500},
        {"just above OK's upper limit", "150001", Button::Ok, &kTooLarge, 0},
        {"Apply's lower limit is inclusive", "50000", Button::Apply, nullptr, 500},
        {"just below Apply's lower limit", "49999", Button::Apply, &kTooSmall, 0},
        {"Apply's upper limit is inclusive", "200000", Button::Apply, nullptr, 2000},
        {"just above Apply's upper limit", "200001", Button::Apply, &kTooLarge, 0},
        {"the note's range is not enforced by OK", "80000", Button::Ok, nullptr, 800},
        {"the note's range is not enforced by Apply", "80000", Button::Apply, nullptr, 800},
        {"trailing letters are ignored by OK", "101325abc", Button::Ok, nullptr, 1013.25f},
        {"trailing letters are ignored by Apply", "101325abc", Button::Apply, nullptr, 1013.25f},
        {"full-width digits of an input method", "１０１３２５", Button::Ok, nullptr, 1013.25f,
         "101325"},
        {"blanks between digits are skipped", " 9 0 0 0 0", Button::Ok, nullptr, 900},
        {"exponent form", "1.2E5", Button::Apply, nullptr, 1200},
        {"hexadecimal form", "&H186A0", Button::Ok, nullptr, 1000},
        {"empty text reads as 0", "", Button::Ok, &kTooSmall, 0},
        {"text without a number reads as 0", "abc", Button::Apply, &kTooSmall, 0},
        {"a number beyond any float is too large", "1E400", Button::Ok, &kTooLarge, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Form3* dialog = form1.SettingsDialog();
        if (dialog == nullptr || !dialog->isVisible()) {
            dialog = &OpenSettings();
        }
        const float pressureBefore = TheAppState().AtmosphericPressure;
        const QString captionBefore = form1.Frame1->title();
        QPushButton* button = row.button == Button::Ok ? dialog->Command1 : dialog->Command3;
        Retype(dialog->Text1, QString::fromUtf8(row.typed));
        button->setFocus();
        warnings.clear();

        Click(button);

        if (row.message != nullptr) {
            EXPECT_EQ(warnings.single(), *row.message);
            EXPECT_EQ(dialog->focusWidget(), dialog->Text1);
            EXPECT_FLOAT_EQ(TheAppState().AtmosphericPressure, pressureBefore);
            EXPECT_EQ(form1.Frame1->title(), captionBefore);
            EXPECT_TRUE(dialog->isVisible());
            EXPECT_FALSE(form1.isEnabled());
        } else {
            EXPECT_TRUE(warnings.messages().isEmpty());
            EXPECT_FLOAT_EQ(TheAppState().AtmosphericPressure, row.storedHpa);
            EXPECT_EQ(form1.Frame1->title(),
                      QStringLiteral("大气压力: ") +
                          QString::fromUtf8(row.caption != nullptr ? row.caption : row.typed) +
                          QStringLiteral(" Pa"));
            const bool stays = row.button == Button::Apply;
            EXPECT_EQ(dialog->isVisible(), stays);
            EXPECT_EQ(form1.isEnabled(), !stays);
        }
    }
}

TEST_F(SettingsDialogTest, TheTextABoxShowsDecidesWhatIsStored)
{
    Form3& dialog = OpenSettings();
    dialog.SSTab1->setCurrentIndex(1);
    PickWithArrowKeys(dialog.Combo1, QStringLiteral("隐藏"));
    PickWithArrowKeys(dialog.Combo2, QStringLiteral("亮红色"));
    Retype(dialog.Combo3, QStringLiteral("黄色"));
    Retype(dialog.Combo4, QStringLiteral("紫色"));  // no entry: the family's default
    PickWithArrowKeys(dialog.Combo5, QStringLiteral("10"));
    Retype(dialog.Combo6, QStringLiteral("5"));
    Retype(dialog.Combo7, QStringLiteral("7"));  // no entry: every line
    Click(dialog.Command3);
    const AppState& state = TheAppState();
    EXPECT_EQ(state.IsothermColor, 15);
    EXPECT_EQ(state.EnthalpyLineColor, 12);
    EXPECT_EQ(state.MoistureLineColor, 6);
    EXPECT_EQ(state.RhLineColor, 9);
    EXPECT_EQ(state.IsothermSpacing, 10);
    EXPECT_EQ(state.EnthalpyLineSpacing, 5);
    EXPECT_EQ(state.MoistureLineSpacing, 1);

    // Texts that are no entry give each family its starting color, whatever was stored.
    // Enter does not turn a typed text into a new entry.
    Retype(dialog.Combo1, QStringLiteral("紫色"));
    QTest::keyClick(dialog.Combo1, Qt::Key_Return);
    Retype(dialog.Combo2, QString());
    Retype(dialog.Combo3, QStringLiteral("黄色 "));
    Retype(dialog.Combo4, QStringLiteral("Blue"));
    Click(dialog.Command1);
    EXPECT_EQ(dialog.Combo1->count(), 16);
    EXPECT_EQ(dialog.Combo1->currentText(), QStringLiteral("紫色"));
    EXPECT_EQ(state.IsothermColor, 7);
    EXPECT_EQ(state.EnthalpyLineColor, 2);
    EXPECT_EQ(state.MoistureLineColor, 0);
    EXPECT_EQ(state.RhLineColor, 9);
    EXPECT_TRUE(warnings.messages().isEmpty());
}

TEST_F(SettingsDialogTest, HiddenFamilyIsDrawnInTheBackgroundColor)
{
    const std::vector<ChartSegment> chart = ChartFor(form1, TheAppState());
    const std::optional<QPoint> isotherm =
        PixelOnlyOn(chart, [](const ChartSegment& s) { return HasColor(s, 7); });
    const std::optional<QPoint> enthalpyLine =
        PixelOnlyOn(chart, [](const ChartSegment& s) { return HasColor(s, 2); });
    ASSERT_TRUE(isotherm && enthalpyLine);
    const QColor enthalpyBefore = ChartPixel(*enthalpyLine);
    EXPECT_NE(ChartPixel(*isotherm), QColor(Qt::white));
    EXPECT_NE(enthalpyBefore, QColor(Qt::white));

    Form3& dialog = OpenSettings();
    PickWithArrowKeys(dialog.Combo1, QStringLiteral("隐藏"));
    Click(dialog.Command1);

    EXPECT_EQ(TheAppState().IsothermColor, 15);
    EXPECT_EQ(ChartPixel(*isotherm), QColor(Qt::white));
    EXPECT_EQ(ChartPixel(*enthalpyLine), enthalpyBefore) << "the rest of the chart is redrawn";
}

TEST_F(SettingsDialogTest, IsothermSpacingTenThinsTheChart)
{
    AppState thinned = TheAppState();
    thinned.IsothermSpacing = 10;
    const std::vector<ChartSegment> before = ChartFor(form1, TheAppState());
    const std::vector<ChartSegment> after = ChartFor(form1, thinned);
    const auto kept = [&after](const ChartSegment& s) {
        return std::any_of(after.begin(), after.end(), [&s](const ChartSegment& t) {
            return t.x1 == s.x1 && t.y1 == s.y1 && t.x2 == s.x2 && t.y2 == s.y2 &&
                   t.color == s.color;
        });
    };
    const std::optional<QPoint> dropped =
        PixelOnlyOn(before, [&](const ChartSegment& s) { return HasColor(s, 7) && !kept(s); });
    const std::optional<QPoint> remaining =
        PixelOnlyOn(before, [&](const ChartSegment& s) { return HasColor(s, 7) && kept(s); });
    ASSERT_TRUE(dropped && remaining);
    ASSERT_LT(after.size(), before.size());
    EXPECT_NE(ChartPixel(*dropped), QColor(Qt::white));

    Form3& dialog = OpenSettings();
    PickWithArrowKeys(dialog.Combo5, QStringLiteral("10"));
    Click(dialog.Command1);

    EXPECT_EQ(TheAppState().IsothermSpacing, 10);
    EXPECT_EQ(ChartPixel(*dropped), QColor(Qt::white));
    EXPECT_NE(ChartPixel(*remaining), QColor(Qt::white));
}

TEST_F(SettingsDialogTest, CancelStoresNothingAndKeepsTheEditsForTheNextOpening)
{
    Form3& dialog = OpenSettings();
    QTabBar* tabs = dialog.SSTab1->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    ASSERT_EQ(dialog.SSTab1->currentIndex(), 1);
    Retype(dialog.Text1, QStringLiteral("90000"));
    PickWithArrowKeys(dialog.Combo1, QStringLiteral("隐藏"));
    PickWithArrowKeys(dialog.Combo5, QStringLiteral("10"));
    Click(dialog.Command2);

    EXPECT_TRUE(form1.isEnabled());
    EXPECT_FALSE(dialog.isVisible());
    const AppState& state = TheAppState();
    test::ExpectStartSettings(state);
    EXPECT_EQ(form1.Frame1->title(), kStartCaption);

    Form3& again = OpenSettings();
    EXPECT_EQ(&again, &dialog) << "取消 only hides the dialog";
    EXPECT_EQ(again.SSTab1->currentIndex(), 0) << "every opening starts on the pressure tab";
    EXPECT_EQ(again.Text1->text(), QStringLiteral("90000"));
    EXPECT_EQ(again.Combo1->currentText(), QStringLiteral("隐藏"));
    EXPECT_EQ(again.Combo5->currentText(), QStringLiteral("10"));
    Click(again.Command1);
    EXPECT_FLOAT_EQ(state.AtmosphericPressure, 900.0f);
    EXPECT_EQ(state.IsothermColor, 15);
    EXPECT_EQ(state.IsothermSpacing, 10);
}

TEST_F(SettingsDialogTest, CancelAfterApplyKeepsWhatApplyStored)
{
    Form3& dialog = OpenSettings();
    Retype(dialog.Text1, QStringLiteral("80000"));
    PickWithArrowKeys(dialog.Combo2, QStringLiteral("隐藏"));
    Click(dialog.Command3);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(form1.isEnabled()) << "the main window waits while the dialog stays open";
    Click(dialog.Command2);

    EXPECT_TRUE(form1.isEnabled());
    EXPECT_FLOAT_EQ(TheAppState().AtmosphericPressure, 800.0f);
    EXPECT_EQ(TheAppState().EnthalpyLineColor, 15);
    EXPECT_EQ(form1.Frame1->title(), QStringLiteral("大气压力: 80000 Pa"));
}

TEST_F(SettingsDialogTest, CloseBoxUnloadsAndTheNextOpeningLoadsAnew)
{
    Form3& first = OpenSettings();
    Retype(first.Text1, QStringLiteral("90000"));
    PickWithArrowKeys(first.Combo1, QStringLiteral("隐藏"));
    PickWithArrowKeys(first.Combo6, QStringLiteral("10"));
    Click(first.Command3);
    QPointer<Form3> watched(&first);

    first.close();  // the close box
    ProcessDeferredDeletes();
    EXPECT_TRUE(watched.isNull());
    EXPECT_EQ(form1.SettingsDialog(), nullptr);
    EXPECT_TRUE(form1.isEnabled());
    EXPECT_FLOAT_EQ(TheAppState().AtmosphericPressure, 900.0f) << "the close box stores nothing";

    Form3& second = OpenSettings();
    EXPECT_EQ(second.Text1->text(), QStringLiteral("101325"));
    for (const QComboBox* box : {second.Combo5, second.Combo6, second.Combo7}) {
        EXPECT_EQ(box->currentText(), QStringLiteral("1"));
    }
    EXPECT_EQ(second.Combo1->currentText(), QStringLiteral("隐藏")) << "colors load from AppState";
    Click(second.Command1);
    const AppState& state = TheAppState();
    EXPECT_FLOAT_EQ(state.AtmosphericPressure, 1013.25f);
    EXPECT_EQ(state.EnthalpyLineSpacing, 1);
    EXPECT_EQ(state.IsothermColor, 15);
}

TEST_F(SettingsDialogTest, MainWindowIgnoresInputExactlyWhileTheDialogIsVisible)
{
    Form3& dialog = OpenSettings();
    QTest::mouseClick(form1.Command1, Qt::LeftButton);  // "查询"
    QTest::mouseClick(form1.Command3, Qt::LeftButton);  // "关于"
    QMenuBar* bar = form1.menuBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(form1.menu_abt).center());
    EXPECT_EQ(form1.ExistingQueryDialog(), nullptr);
    EXPECT_EQ(form1.AboutWindow(), nullptr);

    // Esc does not hide the dialog behind the user's back.
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(form1.isEnabled());

    Click(dialog.Command2);
    ASSERT_TRUE(form1.isEnabled());
    QTest::mouseClick(form1.Command3, Qt::LeftButton);
    EXPECT_NE(form1.AboutWindow(), nullptr) << "the main window responds again";
}

TEST_F(SettingsDialogTest, ExitUnloadsTheHiddenDialog)
{
    Form3& dialog = OpenSettings();
    Click(dialog.Command2);
    ASSERT_NE(form1.SettingsDialog(), nullptr);
    QTest::mouseClick(form1.Command4, Qt::LeftButton);  // "退出"
    EXPECT_EQ(form1.SettingsDialog(), nullptr);
}

TEST_F(SettingsDialogTest, ClosingTheMainWindowUnloadsTheOpenDialog)
{
    OpenSettings();
    form1.close();
    EXPECT_EQ(form1.SettingsDialog(), nullptr);
}

TEST_F(SettingsDialogTest, EveryCaptionAndEntryFitsItsControl)
{
    Form3& dialog = OpenSettings();
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        SCOPED_TRACE(label->text().toStdString());
        const int flags =
            static_cast<int>(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
        const QRect room = label->contentsRect();
        const QRect needed = label->fontMetrics().boundingRect(
            QRect(room.topLeft(), QSize(room.width(), 10000)), flags, label->text());
        EXPECT_LE(needed.width(), room.width());
        EXPECT_LE(needed.height(), room.height());
    }
    // The second note wraps onto a second line.
    EXPECT_GT(
        dialog.Label10->fontMetrics()
            .boundingRect(dialog.Label10->contentsRect(), Qt::TextWordWrap, dialog.Label10->text())
            .height(),
        dialog.Label10->fontMetrics().height());
    for (const QComboBox* box : dialog.findChildren<QComboBox*>()) {
        SCOPED_TRACE(box->objectName().toStdString());
        QStyleOptionComboBox option;
        option.initFrom(box);
        option.editable = true;
        const QRect field = box->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                         QStyle::SC_ComboBoxEditField, box);
        QStringList shown = Entries(box);
        shown.append(box->currentText());
        for (const QString& entry : shown) {
            EXPECT_LE(box->fontMetrics().horizontalAdvance(entry), field.width())
                << entry.toStdString();
        }
    }
    for (const QPushButton* button : dialog.findChildren<QPushButton*>()) {
        EXPECT_LT(button->fontMetrics().horizontalAdvance(button->text()), button->width());
    }
    // The pressure box holds a pressure with hundredths or with a unit typed behind it.
    for (const QString& pressure : {QStringLiteral("101325.25"), QStringLiteral("101325abc")}) {
        Retype(dialog.Text1, pressure);
        EXPECT_TRUE(test::ShowsWhole(dialog.Text1));
        EXPECT_TRUE(dialog.Text1->toolTip().isEmpty()) << "whole in the box itself";
    }
}

TEST_F(SettingsDialogTest, PagesSitWhereDesignedAndTheCaptionsUseTheSongFace)
{
    Form3& dialog = OpenSettings();
    // Design positions count from the tab control's top-left corner, tab strip included:
    // 120, 480 twips is 8, 32 pixels at 96 dpi.
    EXPECT_EQ(dialog.Frame5->mapTo(dialog.SSTab1, QPoint(0, 0)), QPoint(8, 32));
    dialog.SSTab1->setCurrentIndex(1);
    EXPECT_EQ(dialog.Frame4->mapTo(dialog.SSTab1, QPoint(0, 0)), QPoint(8, 152));
    const QRect lastFrame(dialog.Frame4->mapTo(dialog.SSTab1, QPoint(0, 0)), dialog.Frame4->size());
    EXPECT_TRUE(dialog.SSTab1->rect().contains(lastFrame))
        << "the last line page lies inside the tabs";

    for (const QLabel* label : {dialog.Label1, dialog.Label2}) {
        const QFontInfo face(label->font());
        EXPECT_TRUE(face.family().contains(QStringLiteral("SimSun")) ||
                    face.family().contains(QStringLiteral("宋体")) ||
                    face.family().contains(QStringLiteral("UMing")))
            << face.family().toStdString();
        EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(0, 128, 0));
    }
    EXPECT_EQ(dialog.Label10->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(dialog.Label3->text(), QStringLiteral("等  温  线：    颜色"));
}

}  // namespace
}  // namespace hygrova
