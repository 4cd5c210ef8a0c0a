#include "shell/windows/form5_results_window.h"

#include "common/app_state.h"
#include "common/number_text.h"
#include "model/checked_math.h"
#include "shell/widgets/control_style.h"
#include "shell/widgets/entry_text.h"
#include "shell/widgets/label_fonts.h"
#include "shell/widgets/layout_helpers.h"
#include "shell/widgets/quantity_boxes.h"
#include "shell/windows/query_host.h"
#include "shell/platform/twips.h"
#include "shell/widgets/window_helpers.h"
#include "shell/widgets/window_setup.h"

#include <variant>
#include <vector>

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace hygrova {
namespace {

// Design geometry, twips.
constexpr double kClientLeft = 1410;
constexpr double kClientTop = 1680;
constexpr double kClientWidth = 5640;
constexpr double kClientHeight = 1785;
constexpr double kBoxWidth = 855;
constexpr double kBoxHeight = 270;

// The widest text a query writes into a box for a state on the chart: a vapour pressure of
// five figures and two decimals, with room for a sign.
const char* const kWidestResult = "-88888.88";

// Captions and boxes inside the frame, twips, in the order Text1..Text8. A caption reaches
// up to its box.
constexpr std::array<QuantityBoxPlace, kStateQuantityCount> kResultPlaces = {{
    {120, 1080, 1200, 240},
    {120, 1080, 1200, 600},
    {120, 1080, 1200, 960},
    {120, 1080, 1200, 1320},
    {2280, 1320, 3600, 240},
    {2280, 1320, 3600, 600},
    {2280, 1320, 3600, 960},
    {2280, 1320, 3600, 1320},
}};

}  // namespace

Form5::Form5(QueryHost& main) : QWidget(nullptr, kToolWindowFlags), m_main(main)
{
    // The title-bar close box destroys the window; "关闭" only hides it.
    SetUpToolWindow(*this, QStringLiteral("查询结果"), kClientLeft, kClientTop, kClientWidth,
                    kClientHeight);
    CreateControls();
    Form_Load();
    // The client area stands at the design position. Placed after the load: making the
    // window topmost resets its flags, and Qt then keeps the old position as the frame's.
    PlaceClientAt(*this, kClientLeft, kClientTop, kClientWidth, kClientHeight);
}

void Form5::CreateControls()
{
    const double tpp = TwipsPerPixel(this);
    Frame1 = new QGroupBox(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(ToPixels(0, 0, 4575, 1695, tpp));
    UsePlainFrame(Frame1);

    // The moisture content and enthalpy boxes are editable: the plot reads them back as
    // typed, so the user may mark any state. The other six only show that state, so that the
    // window never shows two states at once.
    const QuantityBoxes panel = AddQuantityBoxes(Frame1, kResultPlaces, kBoxWidth, kBoxHeight);
    QLabel** const captions[8] = {&Label1, &Label2, &Label3, &Label4,
                                  &Label5, &Label6, &Label7, &Label8};
    QLineEdit** const boxes[8] = {&Text1, &Text2, &Text3, &Text4, &Text5, &Text6, &Text7, &Text8};
    // Each family shares one font, the largest up to 9 pt at which every caption and every
    // usual result (the widest a query writes for a state on the chart) shows whole; a longer
    // result, of a state far off the chart, shows smaller.
    std::vector<FontFitItem> captionFamily;
    std::vector<FontFitItem> boxFamily;
    for (int k = 0; k < kStateQuantityCount; ++k) {
        *captions[k] = panel.captions[k];
        *boxes[k] = panel.boxes[k];
        if (k != kQuantityMoisture && k != kQuantityEnthalpy) {
            panel.boxes[k]->setReadOnly(true);
        }
        captionFamily.push_back({*captions[k], (*captions[k])->text(), TextRoom(**captions[k])});
        boxFamily.push_back({*boxes[k], QString::fromLatin1(kWidestResult), TextRoom(**boxes[k])});
    }
    FitFamilyFont(captionFamily);
    const qreal boxPointSize = FitFamilyFont(boxFamily);
    for (QLineEdit* box : panel.boxes) {
        KeepTextWhole(*box, [boxPointSize] { return boxPointSize; });
    }

    const auto buttons =
        AddButtons(this, {"描点", "清除", "关闭"}, {4680, 120, 855, 375}, {0, 480});
    Command1 = buttons[0];
    Command2 = buttons[1];
    Command3 = buttons[2];
    connect(Command1, &QPushButton::clicked, this, &Form5::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form5::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form5::Command3_Click);
    // Edited by the user only: the query's writing and "清除" leave the boxes as they write them.
    connect(Text5, &QLineEdit::textEdited, this, &Form5::TypedPair_Change);
    connect(Text6, &QLineEdit::textEdited, this, &Form5::TypedPair_Change);
}

void Form5::Form_Load()
{
    KeepOnTop(*this);
    SetUpSkin(BSE1);
}

std::array<QLineEdit*, 8> Form5::ResultBoxes() const
{
    return {Text1, Text2, Text3, Text4, Text5, Text6, Text7, Text8};
}

void Form5::ShowResults(const StateTexts& results)
{
    const std::array<QLineEdit*, 8> boxes = ResultBoxes();
    boxes[kQuantityDewPoint]->setText(QString::fromStdString(results[kQuantityDewPoint]));
    for (int k = 0; k < kStateQuantityCount; ++k) {
        if (k != kQuantityDewPoint) {
            boxes[k]->setText(QString::fromStdString(results[k]));
        }
    }
}

void Form5::Command1_Click()
{
    if (Text5->text().isEmpty() || Text6->text().isEmpty()) {
        return;
    }
    const float d = SingleOrInfinity(ParseLeadingNumber(EntryText(Text5->text())));
    const float h = SingleOrInfinity(ParseLeadingNumber(EntryText(Text6->text())));
    m_main.PlotState(d, h);
}

void Form5::Command2_Click()
{
    m_main.RedrawChart();
    for (QLineEdit* box : ResultBoxes()) {
        box->clear();
    }
}

void Form5::TypedPair_Change()
{
    ShowTypedPairState(SolveStatePoint(GatherTypedPair()));
}

StatePointQuery Form5::GatherTypedPair() const
{
    StatePointQuery query;
    query.ticked[kMoistureSlot] = true;
    query.ticked[kEnthalpySlot] = true;
    query.texts[kMoistureSlot] = EntryText(Text5->text());
    query.texts[kEnthalpySlot] = EntryText(Text6->text());
    query.pressure = TheAppState().AtmosphericPressure;
    return query;
}

void Form5::ShowTypedPairState(const StatePointOutcome& outcome)
{
    const auto* state = std::get_if<StateTexts>(&outcome);
    const std::array<QLineEdit*, 8> boxes = ResultBoxes();
    for (int k = 0; k < kStateQuantityCount; ++k) {
        if (k != kQuantityMoisture && k != kQuantityEnthalpy) {
            boxes[k]->setText(state != nullptr ? QString::fromStdString((*state)[k]) : QString());
        }
    }
}

void Form5::Command3_Click()
{
    HideForNextShowing(*this);
}

}  // namespace hygrova
