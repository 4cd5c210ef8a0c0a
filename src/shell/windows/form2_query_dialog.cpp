#include "shell/windows/form2_query_dialog.h"

#include "common/app_state.h"
#include "shell/widgets/control_style.h"
#include "shell/widgets/entry_text.h"
#include "shell/windows/form5_results_window.h"
#include "shell/widgets/label_fonts.h"
#include "shell/widgets/layout_helpers.h"
#include "shell/windows/query_host.h"
#include "shell/platform/twips.h"
#include "shell/widgets/warning_box.h"
#include "shell/widgets/window_helpers.h"
#include "shell/widgets/window_setup.h"

#include <algorithm>  // std::count
#include <iterator>   // std::size
#include <variant>
#include <vector>

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

namespace hygrova {
namespace {

// Design geometry, twips.
constexpr double kClientLeft = 9240;
constexpr double kClientTop = 1545;
constexpr double kClientWidth = 3000;
constexpr double kClientHeight = 3240;

struct SlotDesign {
    double checkWidth;  // the entry box is always 855 x 270 at left 1680
    double top;
};

// The six slots inside the frame, twips; index = QuerySlot. Each tick box carries the caption
// of its slot's quantity.
constexpr SlotDesign kSlots[kQuerySlotCount] = {
    {1455, 360}, {1455, 720}, {1455, 1080}, {1575, 1440}, {1575, 1800}, {1575, 2160},
};

// The text of a disabled entry box, which is empty but for a moment while it is emptied.
const QColor kDisabledBoxText(96, 96, 160);

// The caption color of a tick box while it can be ticked. Everything else comes from the
// standard palette rather than from the frame's red caption: the check mark stays black and a
// disabled box shows the greyed caption, so that the user sees which parameters are locked.
void SetCaptionColor(QWidget* widget, const QColor& text)
{
    const QPalette standard = QApplication::palette(widget);
    QPalette palette = widget->palette();
    for (const QPalette::ColorGroup group :
         {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        for (const QPalette::ColorRole role :
             {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}) {
            const bool caption = group != QPalette::Disabled && role != QPalette::Text;
            palette.setColor(group, role, caption ? text : standard.color(group, role));
        }
    }
    widget->setPalette(palette);
}

// The program's default font, set explicitly so that a control inside the frame does not
// take the frame's caption font.
QFont DefaultFont()
{
    const QFont application = QApplication::font();
    QFont font;
    font.setFamilies(application.families().isEmpty() ? QStringList(application.family())
                                                      : application.families());
    font.setPointSizeF(application.pointSizeF());
    font.setItalic(false);
    return font;
}

}  // namespace

Form2::Form2(QueryHost& main) : QWidget(nullptr, kToolWindowFlags), m_main(main)
{
    // The title-bar close box destroys the dialog; "关闭" only hides it.
    SetUpToolWindow(*this, QStringLiteral("查询条件"), kClientLeft, kClientTop, kClientWidth,
                    kClientHeight);
    CreateControls();
    SetTabOrder();
    Form_Load();
    // The client area stands at the design position. Placed after the load: making the
    // window topmost resets its flags, and Qt then keeps the old position as the frame's.
    PlaceClientAt(*this, kClientLeft, kClientTop, kClientWidth, kClientHeight);
}

void Form2::CreateControls()
{
    const double tpp = TwipsPerPixel(this);
    Frame1 = new QGroupBox(QStringLiteral("请输入已知参数"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(ToPixels(120, 120, 2775, 2535, tpp));
    Frame1->setFont(SongtiFont(12, true));
    SetTextColor(Frame1, kRed);
    UsePlainFrame(Frame1);

    // Tick boxes first, so that the first control to take the focus is the first tick box.
    for (int i = 0; i < kQuerySlotCount; ++i) {
        const SlotDesign& slot = kSlots[i];
        const std::string_view caption = kQuantityCaptions[kSlotQuantities[i]].caption;
        auto* check = new QCheckBox(QString::fromUtf8(caption), Frame1);
        check->setObjectName(QStringLiteral("Check1_%1").arg(i));
        check->setGeometry(ToPixels(120, slot.top, slot.checkWidth, 255, tpp));
        SetCaptionColor(check, kBlue);
        Check1[i] = check;
        // toggled, not clicked: the rule must also run when the program changes a tick,
        // so that SelectedCount always counts the ticks as they stand.
        connect(check, &QCheckBox::toggled, this, &Form2::Check1_Click);
    }
    for (int i = 0; i < kQuerySlotCount; ++i) {
        auto* box = new QLineEdit(Frame1);
        box->setObjectName(QStringLiteral("Text1_%1").arg(i));
        box->setGeometry(ToPixels(1680, kSlots[i].top, 855, 270, tpp));
        box->setFont(DefaultFont());
        SetBoxColors(box, kBlack, kBoxBackground);
        // A slot that cannot take a value shows its box in the dialog's own light blue.
        SetDisabledBoxColors(box, kDisabledBoxText, kFormBackground);
        Text1[i] = box;
    }
    // The six captions share one font, the largest up to 9 pt at which each fits its box.
    std::vector<FontFitItem> tickCaptions;
    for (QCheckBox* check : Check1) {
        tickCaptions.push_back({check, check->text(), TextRoom(*check)});
    }
    FitFamilyFont(tickCaptions);

    const auto buttons =
        AddButtons(this, {"确定", "重输", "关闭"}, {120, 2760, 855, 375}, {960, 0});
    Command1 = buttons[0];
    Command2 = buttons[1];
    Command3 = buttons[2];
    connect(Command1, &QPushButton::clicked, this, &Form2::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form2::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form2::Command3_Click);
}

void Form2::SetTabOrder()
{
    // The dialog's tab order: the first slot and the buttons "确定" and "关闭" come before the
    // other tick boxes, the entry boxes of the middle slots after "重输".
    QWidget* const order[] = {Check1[0], Text1[0],  Command1,  Command3,  Check1[1],
                              Check1[2], Check1[3], Check1[4], Command2,  Text1[1],
                              Text1[2],  Text1[3],  Text1[4],  Check1[5], Text1[5]};
    for (std::size_t k = 1; k < std::size(order); ++k) {
        QWidget::setTabOrder(order[k - 1], order[k]);
    }
}

void Form2::Form_Load()
{
    SetUpSkin(BSE1);
    SelectedCount = 0;
    KeepOnTop(*this);
    ShowSlots(SlotStatesFor({}));
}

void Form2::Check1_Click()
{
    std::array<bool, kQuerySlotCount> ticked{};
    for (int j = 0; j < kQuerySlotCount; ++j) {
        ticked[j] = Check1[j]->isChecked();
    }
    SelectedCount = static_cast<std::int16_t>(std::count(ticked.begin(), ticked.end(), true));
    ShowSlots(SlotStatesFor(ticked));
}

void Form2::ShowSlots(const SlotStates& states)
{
    for (int j = 0; j < kQuerySlotCount; ++j) {
        Check1[j]->setEnabled(states[j].tickable);
        QLineEdit* box = Text1[j];
        const bool opens = states[j].open && !box->isEnabledTo(this);
        box->setEnabled(states[j].open);
        if (!states[j].open) {
            box->clear();
        }
        if (opens) {
            box->setFocus();
        }
    }
}

StatePointQuery Form2::GatherQuery() const
{
    StatePointQuery query;
    for (int i = 0; i < kQuerySlotCount; ++i) {
        query.ticked[i] = Check1[i]->isChecked();
        query.texts[i] = EntryText(Text1[i]->text());
    }
    query.pressure = TheAppState().AtmosphericPressure;
    return query;
}

void Form2::Command1_Click()
{
    ShowOutcome(SolveStatePoint(GatherQuery()));
}

void Form2::ShowOutcome(const StatePointOutcome& outcome)
{
    if (const auto* warning = std::get_if<StatePointWarning>(&outcome)) {
        const QPointer<Form2> alive(this);
        ShowWarningBox(this, QString::fromStdString(warning->message));
        // The box is modal, but the dialog may still have gone while it was open (the
        // program was ended); then there is nothing left to focus.
        if (alive && warning->focus) {
            Text1[*warning->focus]->setFocus();
        }
        return;
    }
    if (const auto* fault = std::get_if<StatePointFault>(&outcome)) {
        ShowWarningBox(this, QString::fromStdString(fault->description));
        return;
    }
    const StateTexts& results = std::get<StateTexts>(outcome);
    Form5& form5 = m_main.ResultsWindow();
    form5.ShowResults(results);
    // The results come up above the other windows while the keyboard stays here, for the
    // next query (where showing a window activates it all the same, it is taken back).
    ShowAbove(form5);
    activateWindow();
}

void Form2::Command2_Click()
{
    // Unticking runs the click rule for each ticked box on the way; the state of no ticks
    // settles the end whatever the rule did in between.
    for (QCheckBox* check : Check1) {
        check->setChecked(false);
    }
    ShowSlots(SlotStatesFor({}));
    SelectedCount = 0;
}

void Form2::Command3_Click()
{
    HideForNextShowing(*this);
}

}  // namespace hygrova
