#include "shell/windows/form1_main_window.h"

#include "chart/chart_drawing.h"
#include "chart/chart_mapping.h"
#include "chart/readout.h"
#include "common/app_state.h"
#include "common/number_text.h"
#include "common/standard_pressure.h"
#include "shell/widgets/artwork.h"
#include "shell/export/chart_export.h"
#include "shell/export/chart_export_dialogs.h"
#include "shell/export/chart_sheet.h"
#include "shell/widgets/chart_surface.h"
#include "shell/widgets/control_style.h"
#include "shell/windows/form2_query_dialog.h"
#include "shell/windows/form3_settings_dialog.h"
#include "shell/windows/form4_about_window.h"
#include "shell/windows/form5_results_window.h"
#include "shell/widgets/label_fonts.h"
#include "shell/widgets/layout_helpers.h"
#include "shell/widgets/quantity_boxes.h"
#include "shell/platform/twips.h"
#include "shell/widgets/vertical_label.h"
#include "shell/widgets/warning_box.h"
#include "shell/widgets/window_helpers.h"
#include "shell/platform/native_window_events.h"
#include "shell/widgets/window_setup.h"
#include "shell/platform/window_shape.h"
#include "shell/platform/window_state.h"

#include <algorithm>

#include <QClipboard>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPrinter>
#include <QPushButton>

namespace hygrova {
namespace {

// Design size of the client area, twips.
constexpr double kDesignClientWidth = 12915;
constexpr double kDesignClientHeight = 9600;

// The readout panel: captions and boxes in two columns of four rows, twips in the panel.
constexpr std::array<QuantityBoxPlace, kStateQuantityCount> kReadoutPlaces = {{
    {240, 1095, 1440, 360},
    {240, 1095, 1440, 720},
    {240, 1095, 1440, 1080},
    {240, 1095, 1440, 1440},
    {3120, 1335, 4440, 360},
    {3120, 1215, 4440, 720},
    {3120, 1215, 4440, 1080},
    {3120, 1335, 4440, 1440},
}};
constexpr double kReadoutBoxWidth = 1335;
constexpr double kReadoutBoxHeight = 270;

// Captions of the scale labels; the last of each array is the axis title.
const char* const kTemperatureCaptions[10] = {"-20", "-10", "0",  "10", "20",
                                              "30",  "40",  "50", "60", "温度︵℃︶"};
const char* const kMoistureCaptions[10] = {"0",  "5",  "10", "15", "20",
                                           "25", "30", "35", "40", "含湿量(g/kg干)"};
const char* const kEnthalpyCaptions[17] = {"-10", "0",   "10",  "20",  "30",         "40",
                                           "50",  "60",  "70",  "80",  "90",         "100",
                                           "110", "120", "130", "140", "焓(kJ/kg干)"};
const char* const kRhCaptions[10] = {"10%", "20%", "30%", "40%", "50%",
                                     "60%", "70%", "80%", "90%", "100%"};

// The widest text a readout box shows in its family's font: a moisture content near the
// chart's left edge, seven significant digits behind "0.0", while a drag reaches left of the
// picture. A rarer longer text, of a value a hair from 0 (" 0.0009919159", " 1.234567E-05"),
// shows smaller.
const char* const kWidestReadout = "-0.01234567";
// The temperature axis title keeps this many pixels clear of the numbers to its right.
constexpr int kTitleGap = 2;

// The outline of a plotted state.
constexpr Rgb kMarkerOutline{255, 0, 0};

QLabel* ScaleLabel(QWidget* parent, const char* name, const char* caption, double width,
                   double height, double tpp)
{
    auto* label = new QLabel(QString::fromUtf8(caption), parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(ToPixels(0, 0, width, height, tpp));
    label->setFont(LabelFont(kLabelPointSize));
    // Black in every state: while a dialog has the main window disabled the labels stay
    // legible, and the settings' "应用" shows the chart as it will be.
    SetTextColor(label, kBlack);
    return label;
}

}  // namespace

Form1::Form1(QWidget* parent) : QMainWindow(parent), m_shape(new WindowShape(*this))
{
    setWindowTitle(QStringLiteral("Hygrova"));
    setWindowIcon(ProgramIcon());
    CreateControls();
    CreateMenu();
    CreateChartMenu();
    new NativeWindowEvents(*this, [this](QEvent& event) {
        if (event.type() == QEvent::Expose && m_awaitingFirstExposure) {
            Form_FirstExposure();
        } else if (event.type() == QEvent::MouseButtonPress && !isEnabled()) {
            BringBackAwaitedWindow();
        }
    });
    Form_Load();
}

Form1::~Form1()
{
    UnloadSecondaryWindows();
}

void Form1::CreateControls()
{
    const double tpp = TwipsPerPixel(this);
    Client = new QWidget(this);
    Client->setObjectName(QStringLiteral("Client"));
    SetBackground(Client, kFormBackground);
    setCentralWidget(Client);

    // Scale labels on the form come first so that the chart picture lies over them.
    CreateFormLabels();

    Frame2 = new QGroupBox(Client);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    Frame2->setGeometry(ToPixels(11400, 6600, 1215, 2535, tpp));
    SetBackground(Frame2, kFormBackground);
    UsePlainFrame(Frame2);
    const auto buttons =
        AddButtons(Frame2, {"查询", "设置", "关于", "退出"}, {120, 240, 975, 375}, {0, 600});
    Command1 = buttons[0];
    Command2 = buttons[1];
    Command3 = buttons[2];
    Command4 = buttons[3];
    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Form1::Command4_Click);

    Picture1 = new ChartSurface(Client);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(ToPixels(600, 600, 10575, 8655, tpp));
    connect(Picture1, &ChartSurface::MouseMoved, this, &Form1::Picture1_MouseMove);
    CreateChartLabels();
    CreateReadoutPanel();

    Image1 = new QLabel(Client);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setScaledContents(true);
    Image1->setGeometry(ToPixels(11520, 720, 975, 4335, tpp));
}

void Form1::CreateFormLabels()
{
    const double tpp = TwipsPerPixel(this);
    for (int i = 0; i < 9; ++i) {
        Label9[i] = ScaleLabel(Client, "Label9", kTemperatureCaptions[i], 495, 375, tpp);
    }
    Label9[9] = new VerticalLabel(QString::fromUtf8(kTemperatureCaptions[9]), Client);
    Label9[9]->setObjectName(QStringLiteral("Label9"));
    SetTextColor(Label9[9], kBlack);
    Label9[9]->setGeometry(ToPixels(120, 4080, 255, 1455, tpp));
    for (int i = 0; i < 10; ++i) {
        const bool title = i == 9;
        Label10[i] = ScaleLabel(Client, "Label10", kMoistureCaptions[i], title ? 2295 : 495,
                                title ? 255 : 375, tpp);
    }
}

void Form1::CreateChartLabels()
{
    const double tpp = TwipsPerPixel(this);
    for (int i = 0; i < 17; ++i) {
        const bool title = i == 16;
        Label11[i] = ScaleLabel(Picture1, "Label11", kEnthalpyCaptions[i], title ? 1095 : 735,
                                title ? 855 : 375, tpp);
    }
    for (int i = 0; i < 10; ++i) {
        Label12[i] = ScaleLabel(Picture1, "Label12", kRhCaptions[i], i == 9 ? 375 : 330, 195, tpp);
        SetBackground(Label12[i], kWhite);
    }
}

void Form1::CreateReadoutPanel()
{
    const double tpp = TwipsPerPixel(this);
    Frame1 = new QGroupBox(Picture1);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(ToPixels(4200, 6480, 6015, 1935, tpp));
    SetTextColor(Frame1, kRed);
    SetBackground(Frame1, kWhite);
    UsePlainFrame(Frame1);
    const QuantityBoxes panel =
        AddQuantityBoxes(Frame1, kReadoutPlaces, kReadoutBoxWidth, kReadoutBoxHeight);
    QLabel** const captions[8] = {&Label1, &Label2, &Label3, &Label4,
                                  &Label5, &Label6, &Label7, &Label8};
    QLineEdit** const boxes[8] = {&Text1, &Text2, &Text3, &Text4, &Text5, &Text6, &Text7, &Text8};
    for (int i = 0; i < kStateQuantityCount; ++i) {
        *captions[i] = panel.captions[i];
        *boxes[i] = panel.boxes[i];
        // Written by the readout alone.
        panel.boxes[i]->setReadOnly(true);
        panel.boxes[i]->setFocusPolicy(Qt::NoFocus);
        KeepTextWhole(*panel.boxes[i], [this] { return m_readoutPointSize; });
    }
}

void Form1::CreateMenu()
{
    menu_ser = menuBar()->addAction(QStringLiteral("查询(&C)"));
    menu_set = menuBar()->addAction(QStringLiteral("设置(&S)"));
    menu_abt = menuBar()->addAction(QStringLiteral("关于(&A)"));
    menu_ser->setObjectName(QStringLiteral("menu_ser"));
    menu_set->setObjectName(QStringLiteral("menu_set"));
    menu_abt->setObjectName(QStringLiteral("menu_abt"));
    connect(menu_ser, &QAction::triggered, this, &Form1::Command1_Click);
    connect(menu_set, &QAction::triggered, this, &Form1::Command2_Click);
    connect(menu_abt, &QAction::triggered, this, &Form1::Command3_Click);
}

void Form1::CreateChartMenu()
{
    ChartMenu = new QMenu(this);
    ChartMenu->setObjectName(QStringLiteral("ChartMenu"));
    menu_copy = ChartMenu->addAction(QStringLiteral("复制图表"));
    menu_save = ChartMenu->addAction(QStringLiteral("保存图表…"));
    menu_print = ChartMenu->addAction(QStringLiteral("打印…"));
    menu_copy->setObjectName(QStringLiteral("menu_copy"));
    menu_save->setObjectName(QStringLiteral("menu_save"));
    menu_print->setObjectName(QStringLiteral("menu_print"));
    // The keys of chart programs, shown in the menu, work anywhere in the active main window
    // (Ctrl+S and Ctrl+O stay free for files of the program's own).
    const std::pair<QAction*, QKeySequence> keys[] = {
        {menu_copy, QKeySequence(Qt::CTRL | Qt::Key_C)},
        {menu_save, QKeySequence(Qt::CTRL | Qt::Key_E)},
        {menu_print, QKeySequence(Qt::CTRL | Qt::Key_P)}};
    for (const auto& [action, key] : keys) {
        action->setShortcut(key);
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
    }
    connect(menu_copy, &QAction::triggered, this, &Form1::menu_copy_Click);
    connect(menu_save, &QAction::triggered, this, &Form1::menu_save_Click);
    connect(menu_print, &QAction::triggered, this, &Form1::menu_print_Click);

    Picture1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Picture1, &QWidget::customContextMenuRequested, this, &Form1::Picture1_ContextMenu);
    // The scale labels around the picture open the menu as the picture does.
    for (const auto* labels : {&Label9, &Label10}) {
        for (QLabel* label : *labels) {
            label->setContextMenuPolicy(Qt::CustomContextMenu);
            connect(label, &QWidget::customContextMenuRequested, this,
                    [this, label](const QPoint& position) {
                        Picture1_ContextMenu(Picture1->mapFromGlobal(label->mapToGlobal(position)));
                    });
        }
    }
    // The keys work anywhere in the active main window; the action stays off the menu bar.
    auto* menuKey = new QAction(this);
    menuKey->setShortcuts({QKeySequence(Qt::Key_Menu), QKeySequence(Qt::SHIFT | Qt::Key_F10)});
    menuKey->setShortcutContext(Qt::WindowShortcut);
    addAction(menuKey);
    connect(menuKey, &QAction::triggered, this, &Form1::ChartMenuKey_Press);
}

std::array<QLineEdit*, 8> Form1::ReadoutBoxes() const
{
    return {Text1, Text2, Text3, Text4, Text5, Text6, Text7, Text8};
}

void Form1::Form_Load()
{
    AppState& state = TheAppState();
    SetDefaults(state);
    // The standard pressure in Pa as a computed number, with the leading blank of its text.
    ShowPressureCaption(QString::fromStdString(PlainNumberText(kStandardPressureHpa * 100.0f)));

    // The layout is recorded at the design size of the client area.
    const double tpp = TwipsPerPixel(this);
    const QSize client(ToPixels(kDesignClientWidth, tpp), ToPixels(kDesignClientHeight, tpp));
    resize(client.width(), client.height() + menuBar()->sizeHint().height());
    layout()->activate();
    RecordLayout(*this, state);

    SetUpSkin(BSE1);
}

void Form1::setVisible(bool visible)
{
    if (visible) {
        m_shape->PlaceBeforeFirstShow();
    }
    QMainWindow::setVisible(visible);
}

void Form1::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

bool Form1::nativeEvent(const QByteArray& eventType, void* message, qintptr* result)
{
    m_shape->NoteNativeEvent(eventType, message);
    return QMainWindow::nativeEvent(eventType, message, result);
}

void Form1::Form_Resize()
{
    // Each step runs even when an earlier one failed, and a failure shows no message. Only
    // the scaling can fail (a layout recorded without a size); the redraw ends at a fault of
    // its own with the chart as far as it was drawn.
    m_shape->Keep();
    try {
        ScaleLayout(*this, TheAppState());
    } catch (const ArithmeticFault&) {
    }
    // The window appears without its chart and with its design fonts; it has both before
    // it is first painted.
    if (m_awaitingFirstExposure) {
        return;
    }
    RedrawChart();
    FitLabelFonts();
}

void Form1::Form_FirstExposure()
{
    m_awaitingFirstExposure = false;
    Image1->setPixmap(TitlePicture(devicePixelRatioF()));
    Form_Resize();
}

void Form1::drawpic()
{
    const double tpp = TwipsPerPixel(this);
    const QSize outer = m_shape->OuterSize();
    const PictureGeometry picture =
        PictureGeometryFor(static_cast<float>(outer.width() * tpp),
                           static_cast<float>(outer.height() * tpp), static_cast<float>(tpp));
    Picture1->SetGeometryTwips(picture.left, picture.top, picture.width, picture.height);
    AppState& state = TheAppState();
    // A fault stops the drawing where it arose: what was drawn before it stays on the
    // picture, and the fault goes on to the caller.
    const ChartDrawing chart = BuildChartUpToFault(picture, state);
    if (!chart.fault || chart.unit != 0) {
        state.ChartUnit = chart.unit;
    }
    Picture1->DrawSegments(chart.segments);
    MoveScaleLabels(chart);
    if (chart.fault) {
        throw ArithmeticFault(*chart.fault);
    }
}

void Form1::RedrawChart()
{
    try {
        Picture1->Clear();
        drawpic();
    } catch (const ArithmeticFault&) {
    }
}

void Form1::PlotState(float d, float h)
{
    const float unit = TheAppState().ChartUnit;
    ChartPoint centre{};
    try {
        centre = MapToChart(d, h, unit, Picture1->HeightTwips());
    } catch (const ArithmeticFault&) {
        return;
    }
    Picture1->SetFillStyle(ChartSurface::FillStyle::Solid);
    Picture1->DrawCircle(centre.x, centre.y, 0.2f * unit, kMarkerOutline);
}

QWidget& Form1::HostWindow()
{
    return *this;
}

ChartWidgets Form1::ShownChart() const
{
    ChartWidgets chart;
    chart.area = Client;
    chart.picture = Picture1;
    chart.besideLabels.assign(Label9.begin(), Label9.end());
    chart.besideLabels.insert(chart.besideLabels.end(), Label10.begin(), Label10.end());
    chart.onLabels.assign(Label11.begin(), Label11.end());
    chart.onLabels.insert(chart.onLabels.end(), Label12.begin(), Label12.end());
    chart.pressureFrame = Frame1;
    return chart;
}

void Form1::ShowPressureCaption(const QString& pressureText)
{
    Frame1->setTitle(QStringLiteral("大气压力: ") + pressureText + QStringLiteral(" Pa"));
}

void Form1::MoveScaleLabels(const ChartDrawing& chart)
{
    const double tpp = TwipsPerPixel(this);
    const auto place = [tpp](auto& labels, const auto& places) {
        for (std::size_t i = 0; i < labels.size(); ++i) {
            if (places[i]) {
                labels[i]->move(ToPixels(places[i]->left, tpp), ToPixels(places[i]->top, tpp));
            }
        }
    };
    place(Label9, chart.label9);
    place(Label10, chart.label10);
    place(Label11, chart.label11);
    place(Label12, chart.label12);
}

void Form1::FitLabelFonts()
{
    const auto fit = [](const std::vector<FontFitItem>& family) { FitFamilyFont(family); };
    const auto item = [](QWidget* control, const QString& text) {
        return FontFitItem{control, text, TextRoom(*control)};
    };
    const auto caption = [&item](QLabel* label) { return item(label, label->text()); };
    const QRect chart = Picture1->geometry();

    // The scale numbers: those left of the chart and above it show only the part of their
    // label that the chart picture leaves uncovered.
    std::vector<FontFitItem> numbers;
    for (int i = 0; i < 9; ++i) {
        FontFitItem left = caption(Label9[i]);
        left.room.setWidth(std::min<qreal>(left.room.width(), chart.left() - Label9[i]->x()));
        numbers.push_back(left);
        FontFitItem top = caption(Label10[i]);
        top.room.setHeight(std::min<qreal>(top.room.height(), chart.top() - Label10[i]->y()));
        numbers.push_back(top);
    }
    for (int i = 0; i < 16; ++i) {
        numbers.push_back(caption(Label11[i]));
    }
    fit(numbers);

    std::vector<FontFitItem> humidity;
    for (QLabel* label : Label12) {
        humidity.push_back(caption(label));
    }
    fit(humidity);

    // The temperature title, one character under the other, stands left of its numbers and
    // must not run into them; the other two axis titles read across.
    FontFitItem temperature = caption(Label9[9]);
    temperature.room.setWidth(
        std::min<qreal>(temperature.room.width(), Label9[0]->x() - Label9[9]->x() - kTitleGap));
    fit({temperature});
    FontFitItem moisture = caption(Label10[9]);
    moisture.room.setHeight(std::min<qreal>(moisture.room.height(), chart.top() - Label10[9]->y()));
    fit({moisture, caption(Label11[16])});

    std::vector<FontFitItem> captions;
    std::vector<FontFitItem> boxes;
    QLabel* const labels[8] = {Label1, Label2, Label3, Label4, Label5, Label6, Label7, Label8};
    for (std::size_t i = 0; i < 8; ++i) {
        captions.push_back(caption(labels[i]));
        boxes.push_back(item(ReadoutBoxes()[i], QString::fromLatin1(kWidestReadout)));
    }
    fit(captions);
    m_readoutPointSize = FitFamilyFont(boxes);
    for (QLineEdit* box : ReadoutBoxes()) {
        FitTextToBox(*box, m_readoutPointSize);
    }
}

void Form1::Picture1_MouseMove(Qt::MouseButtons, Qt::KeyboardModifiers, float x, float y)
{
    const AppState& state = TheAppState();
    const StateTexts texts =
        ReadoutAt(x, y, state.ChartUnit, Picture1->HeightTwips(), state.AtmosphericPressure);
    const auto boxes = ReadoutBoxes();
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        boxes[i]->setText(QString::fromStdString(texts[i]));
    }
}

void Form1::Picture1_ContextMenu(const QPoint& position)
{
    if (isEnabled()) {
        ChartMenu->popup(Picture1->mapToGlobal(position));
    }
}

void Form1::ChartMenuKey_Press()
{
    // At the pointer when it is over the chart, else in the middle of the chart.
    const QPoint pointer = Picture1->mapFromGlobal(QCursor::pos());
    Picture1_ContextMenu(Picture1->rect().contains(pointer) ? pointer : Picture1->rect().center());
}

void Form1::menu_copy_Click()
{
    QGuiApplication::clipboard()->setMimeData(ChartMimeData(CaptureChartSheet(ShownChart())).release());
}

void Form1::menu_save_Click()
{
    SaveChartAsked(this, CaptureChartSheet(ShownChart()), m_chartFiles);
}

void Form1::menu_print_Click()
{
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        SetChartPrinterDefaults(*m_printer);
    }
    PreviewAndPrintChart(this, *m_printer, CaptureChartSheet(ShownChart()));
}

Form2& Form1::QueryDialog()
{
    if (!m_form2) {
        m_form2 = new Form2(*this);
    }
    return *m_form2;
}

Form5& Form1::ResultsWindow()
{
    if (!m_form5) {
        m_form5 = new Form5(*this);
    }
    return *m_form5;
}

Form2* Form1::ExistingQueryDialog() const
{
    return m_form2;
}
Form3* Form1::SettingsDialog() const
{
    return m_form3;
}
Form4* Form1::AboutWindow() const
{
    return m_form4;
}
Form5* Form1::ExistingResultsWindow() const
{
    return m_form5;
}

void Form1::Command1_Click()
{
    // The keyboard goes to the query dialog, where the query is typed.
    ShowAbove(QueryDialog());
    ShowAbove(ResultsWindow());
    QueryDialog().activateWindow();
}

void Form1::Command2_Click()
{
    setEnabled(false);
    if (!m_form3) {
        m_form3 = new Form3(*this);
    }
    ShowAndRaise(*m_form3);
}

void Form1::Command3_Click()
{
    setEnabled(false);
    if (!m_form4) {
        m_form4 = new Form4(*this);
    }
    ShowAndRaise(*m_form4);
}

void Form1::Command4_Click()
{
    UnloadSecondaryWindows();
    QCoreApplication::quit();
}

void Form1::closeEvent(QCloseEvent* event)
{
    // While the settings dialog or the About window is open, the window takes no input, and
    // its close box does nothing either.
    if (!isEnabled() && event->spontaneous()) {
        event->ignore();
        return;
    }
    Form_Unload();
    event->accept();
}

void Form1::Form_Unload()
{
    UnloadSecondaryWindows();
}

void Form1::BringBackAwaitedWindow()
{
    for (QWidget* awaited : {static_cast<QWidget*>(m_form3), static_cast<QWidget*>(m_form4)}) {
        if (awaited != nullptr && awaited->isVisible() && IsMinimizedBySystem(*awaited)) {
            ShowAndRaise(*awaited);
        }
    }
}

void Form1::UnloadSecondaryWindows()
{
    Unload(m_form2);
    Unload(m_form3);
    Unload(m_form4);
    Unload(m_form5);
}

}  // namespace hygrova
