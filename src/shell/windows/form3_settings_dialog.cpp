#include "shell/windows/form3_settings_dialog.h"

#include "common/app_state.h"
#include "common/standard_pressure.h"
#include "query/pressure_rule.h"
#include "shell/widgets/control_style.h"
#include "shell/widgets/entry_text.h"
#include "shell/widgets/label_fonts.h"
#include "shell/windows/settings_host.h"
#include "shell/platform/twips.h"
#include "shell/platform/window_frame.h"
#include "shell/widgets/warning_box.h"
#include "shell/widgets/window_helpers.h"
#include "shell/widgets/window_setup.h"

#include <cstdint>

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QStyleOptionTabWidgetFrame>
#include <QTabWidget>

namespace hygrova {
namespace {

// Design geometry, twips: the client area, and the tab control at its top left, which
// leaves room below for the row of buttons.
constexpr double kClientWidth = 5520;
constexpr double kClientHeight = 3495;
constexpr double kTabLeft = 0;
constexpr double kTabTop = 0;
constexpr double kTabWidth = 5520;
constexpr double kTabHeight = 2940;

// Pressures the box shows whole in its usual font: the standard pressure with hundredths of a
// pascal, and with three letters typed behind it.
const char* const kLongPressureTexts[2] = {"101325.25", "101325abc"};

// Entries of the color boxes; an entry's position is the color index it stands for
// (QBColor), and "隐藏" is 15, white, the chart's background.
const QStringList kColorEntries = {
    QStringLiteral("黑色"),   QStringLiteral("蓝色"),     QStringLiteral("绿色"),
    QStringLiteral("青色"),   QStringLiteral("红色"),     QStringLiteral("洋红色"),
    QStringLiteral("黄色"),   QStringLiteral("白色"),     QStringLiteral("灰色"),
    QStringLiteral("亮蓝色"), QStringLiteral("亮绿色"),   QStringLiteral("亮青色"),
    QStringLiteral("亮红色"), QStringLiteral("亮洋红色"), QStringLiteral("亮黄色"),
    QStringLiteral("隐藏")};

// Entries of the spacing boxes: every line, every 5th, every 10th.
const QStringList kSpacingEntries = {QStringLiteral("1"), QStringLiteral("5"),
                                     QStringLiteral("10")};

// The AppState fields behind the boxes of one line page. The relative-humidity curves have
// no spacing field: they are always drawn every 10 %.
struct LineFamily {
    const char* caption;
    double top;  // twips from the tab control's top
    std::int16_t AppState::*color;
    std::int16_t AppState::*spacing;
};

constexpr LineFamily kLineFamilies[4] = {
    {"等  温  线：    颜色", 480, &AppState::IsothermColor, &AppState::IsothermSpacing},
    {"等  焓  线：    颜色", 1080, &AppState::EnthalpyLineColor, &AppState::EnthalpyLineSpacing},
    {"等含湿量线：    颜色", 1680, &AppState::MoistureLineColor, &AppState::MoistureLineSpacing},
    {"相对湿度线：    颜色", 2280, &AppState::RhLineColor, nullptr},
};

// The tab control, able to tell where its pages sit. The design positions of the page
// controls count from the tab control's top-left corner, tab strip included; the pages
// themselves start below the strip and inside the pane's border.
class TabControl : public QTabWidget {
public:
    using QTabWidget::QTabWidget;

    // The top-left corner of the page area, pixels in the tab control, as the style lays it
    // out for the current tabs.
    QPoint PageOrigin() const
    {
        QStyleOptionTabWidgetFrame option;
        initStyleOption(&option);
        return style()->subElementRect(QStyle::SE_TabWidgetTabContents, &option, this).topLeft();
    }
};

QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& caption, const QRect& place,
                  const QColor& color)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(place);
    SetTextColor(label, color);
    return label;
}

// A drop-down combo box: an editable text field over a fixed list. What the user types
// never becomes a new entry of the list.
QComboBox* MakeComboBox(QWidget* parent, const QString& name, const QString& designText,
                        const QRect& place)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setEditText(designText);
    box->setGeometry(place);
    return box;
}

// The entry a box stands for: the entry whose text the box shows, exactly (a full-width "５"
// typed by an input method counts as "5"), or -1 when the shown text is no entry. The list
// control's own current index is not consulted, since it can disagree with the text the user
// typed; this way what the user sees is what is stored.
int ChosenEntry(const QComboBox& box)
{
    return box.findText(QString::fromStdString(EntryText(box.currentText())),
                        Qt::MatchExactly | Qt::MatchCaseSensitive);
}

// The spacing an entry of a spacing box stands for: 1 for "1" and for no entry, else the
// entry's position times 5 (5, 10).
std::int16_t SpacingOfEntry(int entry)
{
    return static_cast<std::int16_t>(entry <= 0 ? 1 : entry * 5);
}

}  // namespace

// Minimisable, unlike the About window.
Form3::Form3(SettingsHost& main)
    : QWidget(nullptr, kOwnedDialogFlags | Qt::WindowMinimizeButtonHint), m_main(main)
{
    SetUpOwnedDialog(*this, main.HostWindow(), QStringLiteral("Form3"), QStringLiteral("设置"),
                     kClientWidth, kClientHeight);
    CreateControls();
    // The window managers of Xfce and GNOME give its minimize box to ordinary windows only.
    DeclareOrdinaryWindow(*this);
    CentreOnScreen(*this);
    Form_Load();
}

void Form3::CreateControls()
{
    const double tpp = TwipsPerPixel(this);
    auto* tabs = new TabControl(this);
    SSTab1 = tabs;
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    SSTab1->setGeometry(ToPixels(kTabLeft, kTabTop, kTabWidth, kTabHeight, tpp));
    auto* pressurePage = new QWidget;
    auto* linePage = new QWidget;
    SSTab1->addTab(pressurePage, QStringLiteral("大气压力"));
    SSTab1->addTab(linePage, QStringLiteral("图形界面"));
    const QPoint pageOrigin = tabs->PageOrigin();
    CreatePressurePage(pressurePage, pageOrigin);
    CreateLinePages(linePage, pageOrigin);

    const auto buttons =
        AddButtons(this, {"确定", "取消", "应用"}, {2280, 3000, 975, 375}, {1080, 0});
    Command1 = buttons[0];
    Command2 = buttons[1];
    Command3 = buttons[2];
    connect(Command1, &QPushButton::clicked, this, &Form3::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form3::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form3::Command3_Click);
}

void Form3::CreatePressurePage(QWidget* page, QPoint pageOrigin)
{
    const double tpp = TwipsPerPixel(this);
    Frame5 = new QGroupBox(page);
    Frame5->setObjectName(QStringLiteral("Frame5"));
    Frame5->setGeometry(ToPixels(120, 480, 5295, 2415, tpp).translated(-pageOrigin));

    const auto place = [tpp](double left, double top, double width, double height) {
        return ToPixels(left, top, width, height, tpp);
    };
    const QFont song = SongtiFont(10.5);
    Label1 = MakeLabel(Frame5, QStringLiteral("Label1"), QStringLiteral("请输入大气压力："),
                       place(360, 360, 1695, 375), kGreen);
    Label1->setFont(song);
    Text1 = new QLineEdit(QString::fromLatin1(kStandardPressureText), Frame5);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setGeometry(place(2040, 360, 855, 270));
    // The design's box is narrow for a pressure with decimals or a unit typed behind it: its
    // font is the largest up to 9 pt at which such texts show whole, and a longer text shows
    // smaller still.
    const QSizeF room = TextRoom(*Text1);
    const qreal pressurePointSize = FitFamilyFont(
        {{Text1, QString::fromLatin1(kLongPressureTexts[0]), room},
         {Text1, QString::fromLatin1(kLongPressureTexts[1]), room}});
    KeepTextWhole(*Text1, [pressurePointSize] { return pressurePointSize; });
    Label2 = MakeLabel(Frame5, QStringLiteral("Label2"), QStringLiteral("Pa"),
                       place(3000, 360, 735, 255), kGreen);
    Label2->setFont(song);
    Label9 = MakeLabel(Frame5, QStringLiteral("Label9"), QStringLiteral("注意："),
                       place(360, 960, 615, 255), kRed);
    Label8 = MakeLabel(Frame5, QStringLiteral("Label8"),
                       QStringLiteral("1.大气压力范围在85000-111325Pa之间。"),
                       place(1080, 960, 3735, 255), kRed);
    Label10 = MakeLabel(
        Frame5, QStringLiteral("Label10"),
        QStringLiteral(
            "2.在非标准大气压下(即不等于101325Pa时)，计算结果可能会有所偏差，使用时请谨慎。"),
        place(1080, 1200, 3735, 495), kRed);
    Label10->setWordWrap(true);
    for (QLabel* label : {Label1, Label2, Label9, Label8, Label10}) {
        FitFontToControl(label);
    }
}

void Form3::CreateLinePages(QWidget* page, QPoint pageOrigin)
{
    const double tpp = TwipsPerPixel(this);
    QGroupBox** const frames[4] = {&Frame1, &Frame2, &Frame3, &Frame4};
    QLabel** const captions[4] = {&Label3, &Label4, &Label5, &Label6};
    QComboBox** const colorBoxes[4] = {&Combo1, &Combo2, &Combo3, &Combo4};
    QComboBox** const spacingBoxes[4] = {&Combo5, &Combo6, &Combo7, &Combo8};
    // Design texts of the boxes, replaced when the dialog loads (except Combo8's).
    const char* const colorTexts[4] = {"白色", "绿色", "黑色", "亮蓝色"};
    const char* const spacingTexts[4] = {"1", "1", "1", "10"};
    for (int i = 0; i < 4; ++i) {
        auto* frame = new QGroupBox(page);
        frame->setObjectName(QStringLiteral("Frame%1").arg(i + 1));
        frame->setGeometry(
            ToPixels(120, kLineFamilies[i].top, 5295, 615, tpp).translated(-pageOrigin));
        *frames[i] = frame;
        *captions[i] = MakeLabel(frame, QStringLiteral("Label%1").arg(i + 3),
                                 QString::fromUtf8(kLineFamilies[i].caption),
                                 ToPixels(240, 240, 1815, 255, tpp), kGreen);
        *colorBoxes[i] =
            MakeComboBox(frame, QStringLiteral("Combo%1").arg(i + 1),
                         QString::fromUtf8(colorTexts[i]), ToPixels(2160, 240, 1095, 300, tpp));
        Label7[i] = MakeLabel(frame, QStringLiteral("Label7"), QStringLiteral("间距"),
                              ToPixels(3600, 240, 495, 255, tpp), kGreen);
        *spacingBoxes[i] =
            MakeComboBox(frame, QStringLiteral("Combo%1").arg(i + 5),
                         QString::fromUtf8(spacingTexts[i]), ToPixels(4080, 240, 1095, 300, tpp));
        FitFontToControl(*captions[i]);
        FitFontToControl(Label7[i]);
    }
}

void Form3::Form_Load()
{
    for (QComboBox* box : {Combo1, Combo2, Combo3, Combo4}) {
        box->addItems(kColorEntries);
    }
    for (QComboBox* box : {Combo5, Combo6, Combo7}) {
        box->addItems(kSpacingEntries);
    }
    const AppState& state = TheAppState();
    QComboBox* const colorBoxes[4] = {Combo1, Combo2, Combo3, Combo4};
    for (int i = 0; i < 4; ++i) {
        colorBoxes[i]->setCurrentIndex(state.*kLineFamilies[i].color);
    }
    // The pressure and the spacings are not taken from AppState: every load starts from the
    // standard pressure and from every line, with no spacing entry picked.
    Text1->setText(QString::fromLatin1(kStandardPressureText));
    for (QComboBox* box : {Combo5, Combo6, Combo7}) {
        box->setCurrentIndex(-1);
        box->setEditText(kSpacingEntries.front());
    }
    SetUpSkin(BSE1);
}

void Form3::showEvent(QShowEvent* event)
{
    // Each opening starts on the pressure tab; being restored from the task bar does not.
    if (!event->spontaneous()) {
        SSTab1->setCurrentIndex(0);
    }
    // Above the disabled main window, whatever is clicked there.
    KeepAboveOwner(*this, m_main.HostWindow());
    QWidget::showEvent(event);
}

void Form3::Command1_Click()
{
    const std::optional<float> pressureHpa = TypedPressureHpa(kOkPressureLimits);
    if (!pressureHpa) {
        return;
    }
    StoreSettings(*pressureHpa);
    m_main.HostWindow().setEnabled(true);
    HideForNextShowing(*this);
    m_main.HostWindow().activateWindow();
    m_main.RedrawChart();
}

void Form3::Command2_Click()
{
    m_main.HostWindow().setEnabled(true);
    HideForNextShowing(*this);
    m_main.HostWindow().activateWindow();
}

void Form3::Command3_Click()
{
    const std::optional<float> pressureHpa = TypedPressureHpa(kApplyPressureLimits);
    if (!pressureHpa) {
        return;
    }
    StoreSettings(*pressureHpa);
    m_main.RedrawChart();
}

void Form3::closeEvent(QCloseEvent* event)
{
    Form_Unload();
    QWidget::closeEvent(event);
}

void Form3::Form_Unload()
{
    m_main.HostWindow().setEnabled(true);
}

std::optional<float> Form3::TypedPressureHpa(const PressureLimits& limits)
{
    const PressureReading pressure = ReadPressurePa(EntryText(Text1->text()), limits);
    if (pressure.problem.empty()) {
        return pressure.pressureHpa;
    }
    ShowWarningBox(this, QString::fromUtf8(pressure.problem));
    Text1->setFocus();
    Text1->selectAll();
    return std::nullopt;
}

void Form3::StoreSettings(float pressureHpa)
{
    AppState& state = TheAppState();
    // A color box that shows no entry gives its family the color the program starts with.
    const AppState defaults;
    const QComboBox* const colorBoxes[4] = {Combo1, Combo2, Combo3, Combo4};
    for (int i = 0; i < 4; ++i) {
        const auto color = kLineFamilies[i].color;
        const int entry = ChosenEntry(*colorBoxes[i]);
        state.*color = entry >= 0 ? static_cast<std::int16_t>(entry) : defaults.*color;
    }
    const QComboBox* const spacingBoxes[3] = {Combo5, Combo6, Combo7};
    for (int i = 0; i < 3; ++i) {
        state.*kLineFamilies[i].spacing = SpacingOfEntry(ChosenEntry(*spacingBoxes[i]));
    }
    state.AtmosphericPressure = pressureHpa;
    // The caption shows the pressure as typed, in the ASCII forms it was read in: a full-width
    // "１０１３２５" shows as 101325, like every other number of the window.
    m_main.ShowPressureCaption(QString::fromStdString(EntryText(Text1->text())));
}

}  // namespace hygrova
