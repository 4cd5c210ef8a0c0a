// The query dialog: its design, the rule that keeps at most two ticks and the dependent pairs
// apart, "重输", hiding and closing, and "确定" writing the results window.

#include "common/number_text.h"
#include "shell/windows/form1_main_window.h"
#include "shell/windows/form2_query_dialog.h"
#include "shell/windows/form5_results_window.h"
#include "tests/support/window_actions.h"
#include "tests/support/main_window_fixture.h"

#include <array>
#include <random>
#include <string>
#include <vector>

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QImage>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QTest>

namespace hygrova {
namespace {

using test::Click;
using test::ClickTick;
using test::CountTopLevel;

// Slots as the dialog numbers them.
constexpr int kDryBulb = 0;
constexpr int kWetBulb = 1;
constexpr int kRelHumidity = 2;
constexpr int kMoisture = 3;
constexpr int kEnthalpy = 4;
constexpr int kDewPoint = 5;

// The parameter that never stands with each one: wet bulb with enthalpy, moisture content
// with dew point.
constexpr int kDependent[6] = {-1, kEnthalpy, -1, kDewPoint, kWetBulb, kMoisture};

const QString kTooFew = QStringLiteral("输入参数不得少于两个！");

// The six slots as the user sees them, one letter each: V ticked, - free to tick,
// x unticked and disabled.
std::string Slots(const Form2& form)
{
    std::string letters;
    for (const QCheckBox* box : form.Check1) {
        letters += box->isChecked() ? 'V' : (box->isEnabled() ? '-' : 'x');
    }
    return letters;
}

// What the dialog promises in every state: at most two ticks, never a dependent pair, the
// count matching the ticks, an entry box open exactly when its box is ticked and empty when
// closed; with two ticks nothing else can be ticked, with fewer everything can except the
// partner of a ticked box.
testing::AssertionResult SlotsAreConsistent(const Form2& form)
{
    int ticks = 0;
    for (const QCheckBox* box : form.Check1) {
        ticks += box->isChecked() ? 1 : 0;
    }
    if (ticks > 2) {
        return testing::AssertionFailure() << ticks << " boxes ticked: " << Slots(form);
    }
    if (form.SelectedCount != ticks) {
        return testing::AssertionFailure() << "SelectedCount " << form.SelectedCount << " with "
                                           << ticks << " ticks: " << Slots(form);
    }
    for (int i = 0; i < 6; ++i) {
        const bool ticked = form.Check1[i]->isChecked();
        const int partner = kDependent[i];
        const bool partnerTicked = partner >= 0 && form.Check1[partner]->isChecked();
        if (ticked && partnerTicked) {
            return testing::AssertionFailure() << "dependent pair ticked: " << Slots(form);
        }
        if (form.Text1[i]->isEnabled() != ticked) {
            return testing::AssertionFailure()
                   << "entry box " << i << " open: " << form.Text1[i]->isEnabled() << ", slots "
                   << Slots(form);
        }
        if (!form.Text1[i]->isEnabled() && !form.Text1[i]->text().isEmpty()) {
            return testing::AssertionFailure() << "disabled entry box " << i << " holds \""
                                               << form.Text1[i]->text().toStdString() << '"';
        }
        const bool shouldBeEnabled = ticked || (ticks < 2 && !partnerTicked);
        if (form.Check1[i]->isEnabled() != shouldBeEnabled) {
            return testing::AssertionFailure()
                   << "tick box " << i << " enabled: " << form.Check1[i]->isEnabled() << ", slots "
                   << Slots(form);
        }
    }
    return testing::AssertionSuccess();
}

class Form2Test : public test::MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        Query();
    }

    // Presses "查询" in the main window and takes the dialog it shows.
    void Query() { form2 = &OpenQuery(); }

    // Ticks the slot and types the text into its entry box.
    void Enter(int slot, const QString& text)
    {
        ClickTick(form2->Check1[slot]);
        QTest::keyClicks(form2->Text1[slot], text);
    }

    QStringList Texts() const
    {
        QStringList texts;
        for (const QLineEdit* box : form2->Text1) {
            texts.append(box->text());
        }
        return texts;
    }

    QPointer<Form2> form2;
};

TEST_F(Form2Test, OpensAsTheDesignedTopmostToolWindow)
{
    EXPECT_EQ(form2->windowTitle(), QStringLiteral("查询条件"));
    const Qt::WindowFlags flags = form2->windowFlags();
    EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Tool);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(flags & Qt::WindowStaysOnTopHint);
    // Client area 3000 x 3240 twips at 9240, 1545 twips: 15 twips a pixel at 96 DPI.
    EXPECT_EQ(form2->geometry(), QRect(616, 103, 200, 216));
    EXPECT_EQ(form2->minimumSize(), form2->maximumSize()) << "the dialog cannot be resized";
    EXPECT_EQ(form2->Frame1->title(), QStringLiteral("请输入已知参数"));
    EXPECT_EQ(form2->Frame1->geometry(), QRect(8, 8, 185, 169));
    const QFont caption = form2->Frame1->font();
    EXPECT_TRUE(caption.italic());
    EXPECT_DOUBLE_EQ(caption.pointSizeF(), 12.0);
    EXPECT_TRUE(
        QStringList({"SimSun", "宋体", "AR PL UMing CN"}).contains(QFontInfo(caption).family()))
        << QFontInfo(caption).family().toStdString();
    QStringList captions;
    for (const QCheckBox* box : form2->Check1) {
        captions.append(box->text());
        EXPECT_FALSE(box->font().italic()) << "tick boxes use the default font";
    }
    EXPECT_EQ(captions, QStringList({"干球温度(℃)", "湿球温度(℃)", "相对湿度(%)", "含湿量(g/kg干)",
                                     "焓(kJ/kg干)", "露点温度(℃)"}));
    EXPECT_EQ(form2->Check1[kMoisture]->geometry(), QRect(8, 96, 105, 17));
    EXPECT_EQ(form2->Text1[kDewPoint]->geometry(), QRect(112, 144, 57, 18));
    const QStringList buttons = {form2->Command1->text(), form2->Command2->text(),
                                 form2->Command3->text()};
    EXPECT_EQ(buttons, QStringList({"确定", "重输", "关闭"}));
    EXPECT_EQ(form2->Command3->geometry(), QRect(136, 184, 57, 25));
    for (const QPushButton* button : {form2->Command1, form2->Command2, form2->Command3}) {
        EXPECT_FALSE(button->isDefault() || button->autoDefault()) << "no default button";
    }
    // Loaded: nothing ticked, every tick box free, every entry box closed and empty.
    EXPECT_EQ(Slots(*form2), "------");
    EXPECT_EQ(Texts(), QStringList(6, QString()));
    EXPECT_TRUE(SlotsAreConsistent(*form2));
}

TEST_F(Form2Test, CaptionsAreNotCut)
{
    for (const QCheckBox* box : form2->Check1) {
        QStyleOptionButton option;
        option.initFrom(box);
        const QRect text = box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box);
        EXPECT_LE(box->fontMetrics().horizontalAdvance(box->text()), text.width())
            << box->text().toStdString();
        EXPECT_LE(box->fontMetrics().height(), box->height()) << box->text().toStdString();
    }
    for (const QCheckBox* box : form2->Check1) {
        EXPECT_EQ(box->font().pointSizeF(), form2->Check1[0]->font().pointSizeF())
            << "one size for all six captions";
    }
    const QFontMetrics frame(form2->Frame1->font());
    EXPECT_LT(frame.horizontalAdvance(form2->Frame1->title()), form2->Frame1->width());
    EXPECT_LE(frame.height(), form2->Check1[0]->y()) << "the caption stays above the first slot";
}

TEST_F(Form2Test, LockedSlotsShowGreyedCaptions)
{
    const auto countPixels = [](QWidget* widget, auto isColor) {
        const QImage image = widget->grab().toImage();
        int count = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                count += isColor(image.pixel(x, y)) ? 1 : 0;
            }
        }
        return count;
    };
    const auto blue = [](QRgb p) { return qBlue(p) >= 180 && qRed(p) <= 100 && qGreen(p) <= 100; };
    const auto red = [](QRgb p) { return qRed(p) >= 180 && qGreen(p) <= 100 && qBlue(p) <= 100; };
    ClickTick(form2->Check1[kDryBulb]);
    ClickTick(form2->Check1[kRelHumidity]);
    ASSERT_EQ(Slots(*form2), "VxVxxx");
    for (int i = 0; i < 6; ++i) {
        QCheckBox* box = form2->Check1[i];
        SCOPED_TRACE(box->text().toStdString());
        if (box->isEnabled()) {
            EXPECT_GT(countPixels(box, blue), 0) << "a box that can be used has a blue caption";
        } else {
            EXPECT_EQ(countPixels(box, blue), 0) << "a locked box is greyed";
        }
        EXPECT_EQ(countPixels(box, red), 0) << "the frame's red caption color stays in the frame";
    }
}

TEST_F(Form2Test, ClosedEntryBoxesShowTheDialogsColor)
{
    const auto middle = [](QLineEdit* box) {
        return box->grab().toImage().pixelColor(box->width() / 2, box->height() / 2);
    };
    ASSERT_FALSE(form2->Text1[kDryBulb]->isEnabled());
    EXPECT_EQ(middle(form2->Text1[kDryBulb]), QColor(192, 192, 255));
    ClickTick(form2->Check1[kDryBulb]);
    EXPECT_EQ(middle(form2->Text1[kDryBulb]), QColor(255, 255, 192));
}

TEST_F(Form2Test, ClickRuleKeepsTwoTicksAndDependentPairsApart)
{
    struct Case {
        const char* name;
        std::vector<int> clicks;
        const char* expected;
    };
    const Case cases[] = {
        {"two ticks lock the other four", {kDryBulb, kRelHumidity}, "VxVxxx"},
        {"wet bulb alone locks enthalpy", {kWetBulb}, "-V--x-"},
        {"enthalpy alone locks wet bulb", {kEnthalpy}, "-x--V-"},
        {"moisture content alone locks dew point", {kMoisture}, "---V-x"},
        {"dew point alone locks moisture content", {kDewPoint}, "---x-V"},
        {"one of two unticked: all free but the partner of the other",
         {kWetBulb, kRelHumidity, kRelHumidity},
         "-V--x-"},
        {"dry bulb unticked beside wet bulb: enthalpy stays locked",
         {kDryBulb, kWetBulb, kDryBulb},
         "-V--x-"},
        {"moisture unticked beside wet bulb", {kWetBulb, kMoisture, kMoisture}, "-V--x-"},
        {"dry bulb unticked beside enthalpy: wet bulb stays locked",
         {kEnthalpy, kDryBulb, kDryBulb},
         "-x--V-"},
        {"humidity unticked beside dew point: moisture stays locked",
         {kDewPoint, kRelHumidity, kRelHumidity},
         "---x-V"},
        {"dry bulb unticked beside moisture: dew point stays locked",
         {kMoisture, kDryBulb, kDryBulb},
         "---V-x"},
        {"wet bulb unticked beside dew point", {kWetBulb, kDewPoint, kWetBulb}, "---x-V"},
        {"enthalpy unticked beside moisture", {kEnthalpy, kMoisture, kEnthalpy}, "---V-x"},
        {"dew point unticked beside humidity", {kDewPoint, kRelHumidity, kDewPoint}, "--V---"},
        {"the only tick unticked frees everything", {kEnthalpy, kEnthalpy}, "------"},
        {"a locked box does not tick", {kWetBulb, kEnthalpy}, "-V--x-"},
        {"a third box does not tick", {kDryBulb, kDewPoint, kWetBulb}, "VxxxxV"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Click(form2->Command2);
        ASSERT_EQ(Slots(*form2), "------");
        for (const int slot : c.clicks) {
            const bool wasFree =
                form2->Check1[slot]->isEnabled() && !form2->Check1[slot]->isChecked();
            ClickTick(form2->Check1[slot]);
            if (wasFree) {
                EXPECT_EQ(form2->focusWidget(), form2->Text1[slot])
                    << "ticking opens the entry box";
            }
            EXPECT_TRUE(SlotsAreConsistent(*form2));
        }
        EXPECT_EQ(Slots(*form2), c.expected);
    }
    EXPECT_TRUE(warnings.messages().isEmpty());
}

TEST_F(Form2Test, TypedTextIsLostWhenItsSlotCloses)
{
    Enter(kDryBulb, "20");
    Enter(kRelHumidity, "50");
    EXPECT_EQ(Texts(), QStringList({"20", "", "50", "", "", ""}));
    ClickTick(form2->Check1[kRelHumidity]);
    EXPECT_EQ(Texts(), QStringList({"20", "", "", "", "", ""}));
    ClickTick(form2->Check1[kRelHumidity]);
    EXPECT_EQ(form2->Text1[kRelHumidity]->text(), QString()) << "ticking again starts empty";
    // Typing into a closed box changes nothing.
    QTest::keyClicks(form2->Text1[kMoisture], "7");
    EXPECT_EQ(form2->Text1[kMoisture]->text(), QString());
    EXPECT_TRUE(SlotsAreConsistent(*form2));
}

TEST_F(Form2Test, KeyboardFollowsTheDesignedTabOrderAndSpaceTicks)
{
    form2->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form2));
    const auto press = [](Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); };
    const auto tabCycle = [&](int presses) {
        std::vector<QWidget*> visited;
        for (int k = 0; k < presses; ++k) {
            press(Qt::Key_Tab);
            visited.push_back(QApplication::focusWidget());
        }
        return visited;
    };
    Form2& f = *form2;
    ASSERT_EQ(QApplication::focusWidget(), f.Check1[0]) << "the first tick box has the focus";
    EXPECT_EQ(tabCycle(9),
              (std::vector<QWidget*>{f.Command1, f.Command3, f.Check1[1], f.Check1[2], f.Check1[3],
                                     f.Check1[4], f.Command2, f.Check1[5], f.Check1[0]}));

    press(Qt::Key_Space);
    EXPECT_EQ(Slots(f), "V-----");
    ASSERT_EQ(QApplication::focusWidget(), f.Text1[0]);
    QTest::keyClicks(QApplication::focusWidget(), "20");
    EXPECT_EQ(f.Text1[0]->text(), QStringLiteral("20"));
    // From the dry-bulb box to the humidity box, then tick it with the keyboard too.
    EXPECT_EQ(tabCycle(4),
              (std::vector<QWidget*>{f.Command1, f.Command3, f.Check1[1], f.Check1[2]}));
    press(Qt::Key_Space);
    EXPECT_EQ(Slots(f), "VxVxxx");
    ASSERT_EQ(QApplication::focusWidget(), f.Text1[2]);
    // Locked slots are passed over; the open entry boxes keep their places in the order.
    EXPECT_EQ(tabCycle(7), (std::vector<QWidget*>{f.Check1[0], f.Text1[0], f.Command1, f.Command3,
                                                  f.Check1[2], f.Command2, f.Text1[2]}));
    EXPECT_TRUE(SlotsAreConsistent(f));
}

TEST_F(Form2Test, ReenterFreesEverySlotWhateverWasTicked)
{
    const std::vector<std::vector<int>> states = {
        {},
        {kDryBulb},
        {kDryBulb, kRelHumidity},
        {kWetBulb, kDryBulb},
        {kEnthalpy, kDewPoint},
        {kMoisture, kWetBulb},
        {kDewPoint},
    };
    for (const auto& ticks : states) {
        SCOPED_TRACE(testing::PrintToString(ticks));
        for (const int slot : ticks) {
            Enter(slot, QString::number(10 + slot));
        }
        Click(form2->Command2);
        EXPECT_EQ(Slots(*form2), "------");
        EXPECT_EQ(Texts(), QStringList(6, QString()));
        EXPECT_EQ(form2->SelectedCount, 0);
        EXPECT_TRUE(SlotsAreConsistent(*form2));
    }
    EXPECT_TRUE(warnings.messages().isEmpty());
}

TEST_F(Form2Test, CloseHidesAndQueryShowsTheSameTicksAndTexts)
{
    Enter(kDryBulb, "20");
    Enter(kWetBulb, "15");
    const Form2* before = form2;
    Click(form2->Command3);
    EXPECT_FALSE(form2->isVisible());
    ASSERT_NO_FATAL_FAILURE(Query());
    EXPECT_EQ(form2.data(), before);
    EXPECT_TRUE(form2->isVisible());
    EXPECT_EQ(Slots(*form2), "VVxxxx");
    EXPECT_EQ(Texts(), QStringList({"20", "15", "", "", "", ""}));
    EXPECT_EQ(form2->SelectedCount, 2);
}

TEST_F(Form2Test, CloseBoxDestroysAndQueryCreatesAFreshDialog)
{
    Enter(kDryBulb, "20");
    Enter(kWetBulb, "15");
    form2->close();
    ProcessDeferredDeletes();
    EXPECT_TRUE(form2.isNull());
    EXPECT_EQ(form1.ExistingQueryDialog(), nullptr);
    ASSERT_NO_FATAL_FAILURE(Query());
    EXPECT_EQ(Slots(*form2), "------");
    EXPECT_EQ(Texts(), QStringList(6, QString()));
    EXPECT_EQ(form2->SelectedCount, 0);
    EXPECT_TRUE(form2->windowFlags() & Qt::WindowStaysOnTopHint);
}

TEST_F(Form2Test, QueryAgainOpensNoSecondWindow)
{
    Form5* results = form1.ExistingResultsWindow();
    ASSERT_NE(results, nullptr);
    for (int k = 0; k < 2; ++k) {
        Click(form1.Command1);
        EXPECT_EQ(form1.ExistingQueryDialog(), form2.data());
        EXPECT_EQ(form1.ExistingResultsWindow(), results);
    }
    EXPECT_EQ(CountTopLevel("hygrova::Form2"), 1);
    EXPECT_EQ(CountTopLevel("hygrova::Form5"), 1);
}

TEST_F(Form2Test, ConfirmShowsTheSolvedStateInTheResultsWindow)
{
    Form5* results = form1.ExistingResultsWindow();
    ASSERT_NE(results, nullptr);
    Click(results->Command3);  // put away; "确定" must bring it back
    ASSERT_FALSE(results->isVisible());

    Enter(kDryBulb, "20");
    Enter(kRelHumidity, "50");
    Click(form2->Command1);
    EXPECT_TRUE(warnings.messages().isEmpty()) << warnings.messages().join('|').toStdString();
    EXPECT_TRUE(results->isVisible());
    // 20 degC and 50 % at 1013.25 hPa (psychrometric tables: tw 13.74 degC, td 9.27 degC,
    // d 7.26 g/kg, h 38.6 kJ/kg, v 0.841 m3/kg, pv 1169 Pa).
    EXPECT_EQ(results->Text1->text(), QStringLiteral(" 20"));
    EXPECT_EQ(results->Text2->text(), QStringLiteral(" 13.737"));
    EXPECT_EQ(results->Text4->text(), QStringLiteral(" 50"));
    EXPECT_EQ(results->Text5->text(), QStringLiteral(" 7.261"));
    EXPECT_EQ(results->Text6->text(), QStringLiteral(" 38.629"));
    const auto value = [](const QLineEdit* box) {
        return ParseLeadingNumber(box->text().toStdString());
    };
    EXPECT_NEAR(value(results->Text3), 9.28, 0.01);
    EXPECT_NEAR(value(results->Text7), 0.841, 0.001);
    EXPECT_NEAR(value(results->Text8), 1169.24, 0.02);
    // The dialog keeps its inputs for the next try.
    EXPECT_EQ(Slots(*form2), "VxVxxx");
    EXPECT_EQ(Texts(), QStringList({"20", "", "50", "", "", ""}));

    // A second press with the same inputs gives the same texts.
    const QStringList first = [&] {
        QStringList texts;
        for (const QLineEdit* box : results->ResultBoxes()) {
            texts.append(box->text());
        }
        return texts;
    }();
    const auto expectFirstTexts = [&] {
        for (std::size_t k = 0; k < 8; ++k) {
            EXPECT_EQ(results->ResultBoxes()[k]->text(), first[static_cast<int>(k)]);
        }
    };
    Click(form2->Command1);
    expectFirstTexts();
    // So does the dry bulb typed in full-width digits by an input method.
    form2->Text1[kDryBulb]->setText(QStringLiteral("２０"));
    Click(form2->Command1);
    expectFirstTexts();
}

TEST_F(Form2Test, ConfirmCreatesTheResultsWindowAgainAfterItsCloseBox)
{
    ASSERT_NE(form1.ExistingResultsWindow(), nullptr);
    form1.ExistingResultsWindow()->close();
    ProcessDeferredDeletes();
    ASSERT_EQ(form1.ExistingResultsWindow(), nullptr);
    Enter(kDryBulb, "20");
    Enter(kWetBulb, "15");
    Click(form2->Command1);
    Form5* results = form1.ExistingResultsWindow();
    ASSERT_NE(results, nullptr);
    EXPECT_TRUE(results->isVisible());
    // 20 degC dry bulb, 15 degC wet bulb: d 8.58 g/kg, 58.9 %.
    EXPECT_NEAR(ParseLeadingNumber(results->Text5->text().toStdString()), 8.577, 0.002);
    EXPECT_NEAR(ParseLeadingNumber(results->Text4->text().toStdString()), 58.94, 0.01);
}

TEST_F(Form2Test, ConfirmWarnsFocusesTheEntryBoxAndLeavesTheResultsAlone)
{
    struct Case {
        const char* name;
        std::vector<std::pair<int, QString>> entries;
        QString message;
        int focus;  // slot whose entry box gets the focus; -1: the focus stays on "确定"
    };
    const Case cases[] = {
        {"dry bulb out of range",
         {{kDryBulb, "80"}, {kRelHumidity, "50"}},
         "干球温度过大或过小，请重新输入！",
         kDryBulb},
        {"humidity out of range",
         {{kDryBulb, "20"}, {kRelHumidity, "100.5"}},
         "相对湿度在0~100%之间，请重新输入！",
         kRelHumidity},
        {"second entry empty",
         {{kDryBulb, "20"}, {kRelHumidity, ""}},
         "请输入相对湿度！",
         kRelHumidity},
        {"one parameter only", {{kDryBulb, "20"}}, kTooFew, -1},
        {"nothing ticked", {}, kTooFew, -1},
    };
    // Results of an earlier request stand in the results window.
    Enter(kDryBulb, "20");
    Enter(kRelHumidity, "50");
    Click(form2->Command1);
    Form5* results = form1.ExistingResultsWindow();
    ASSERT_NE(results, nullptr);
    ASSERT_EQ(results->Text2->text(), QStringLiteral(" 13.737"));

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Click(form2->Command2);
        for (const auto& [slot, text] : c.entries) {
            Enter(slot, text);
        }
        const std::string slotsBefore = Slots(*form2);
        const QStringList textsBefore = Texts();
        warnings.clear();
        Click(form2->Command1);
        EXPECT_EQ(warnings.messages(), QStringList(c.message));
        QWidget* expectedFocus = c.focus >= 0 ? static_cast<QWidget*>(form2->Text1[c.focus])
                                              : static_cast<QWidget*>(form2->Command1);
        EXPECT_EQ(form2->focusWidget(), expectedFocus);
        EXPECT_EQ(Slots(*form2), slotsBefore);
        EXPECT_EQ(Texts(), textsBefore);
        EXPECT_EQ(results->Text2->text(), QStringLiteral(" 13.737"));
        EXPECT_EQ(results->Text5->text(), QStringLiteral(" 7.261"));
    }

    // A calculation fault (0 % humidity with a moisture content divides by zero) shows its
    // description in the same box.
    Click(form2->Command2);
    Enter(kRelHumidity, "0");
    Enter(kMoisture, "5");
    warnings.clear();
    Click(form2->Command1);
    ASSERT_EQ(warnings.messages().size(), 1);
    EXPECT_FALSE(warnings.messages().front().isEmpty());
    EXPECT_FALSE(warnings.messages().front().contains(QStringLiteral("请")));
    EXPECT_EQ(results->Text5->text(), QStringLiteral(" 7.261"));
}

// Random clicks and typing across the dialog, the results window and the main window's
// "查询": whatever happens, the dialog keeps its promises and nothing crashes.
TEST_F(Form2Test, RandomUseKeepsTheDialogConsistent)
{
    std::mt19937 random(20260607);
    const auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    const QString alphabet = QStringLiteral("0123456789.-+eE &Habc");
    const auto randomText = [&] {
        QString text;
        const int length = pick(5);
        for (int k = 0; k < length; ++k) {
            text += alphabet[pick(static_cast<int>(alphabet.size()))];
        }
        return text;
    };
    const auto reopen = [&] {
        form1.Command1_Click();
        form2 = form1.ExistingQueryDialog();
    };
    constexpr int kEvents = 3000;
    for (int event = 0; event < kEvents; ++event) {
        Form5* results = form1.ExistingResultsWindow();
        const int action = pick(20);
        std::string what;
        if (action < 8) {
            const int slot = pick(6);
            what = "tick " + std::to_string(slot);
            ClickTick(form2->Check1[slot]);
        } else if (action < 12) {
            const int slot = pick(6);
            what = "type into " + std::to_string(slot);
            if (pick(3) == 0) {
                QTest::keyClick(form2->Text1[slot], Qt::Key_A, Qt::ControlModifier);
                QTest::keyClick(form2->Text1[slot], Qt::Key_Backspace);
            }
            QTest::keyClicks(form2->Text1[slot], randomText());
        } else if (action < 14) {
            what = "确定";
            Click(form2->Command1);
        } else if (action == 14) {
            what = "重输";
            Click(form2->Command2);
        } else if (action == 15) {
            what = "关闭, 查询";
            Click(form2->Command3);
            reopen();
        } else if (action == 16) {
            what = "close box, 查询";
            form2->close();
            ProcessDeferredDeletes();
            reopen();
        } else if (results != nullptr && action == 17) {
            what = "描点";
            Click(results->Command1);
        } else if (results != nullptr && action == 18) {
            const int k = pick(3);
            what = "results button " + std::to_string(k);
            Click(std::array{results->Command1, results->Command2, results->Command3}[k]);
            if (k == 2) {
                reopen();
            }
        } else if (results != nullptr && pick(4) == 0) {
            what = "results close box, 查询";
            results->close();
            ProcessDeferredDeletes();
            reopen();
        } else if (results != nullptr) {
            what = "type into a result box";
            const QString before = results->Text5->text();
            const QString typed = randomText();
            QTest::keyClicks(results->Text5, typed);
            ASSERT_EQ(results->Text5->text(), before + typed) << "result boxes take typing";
        }
        ASSERT_FALSE(form2.isNull()) << "after " << what;
        ASSERT_TRUE(SlotsAreConsistent(*form2)) << "event " << event << ": " << what;
        ASSERT_LE(CountTopLevel("hygrova::Form2"), 1);
        ASSERT_LE(CountTopLevel("hygrova::Form5"), 1);
    }
    // The dialog never lets a pair without a calculation chain through to the solver.
    EXPECT_FALSE(warnings.messages().contains(QStringLiteral("计算发生错误，请重试！")));
}

}  // namespace
}  // namespace hygrova
