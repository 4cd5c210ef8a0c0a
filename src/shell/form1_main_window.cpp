#include "shell/form1_main_window.h"

#include "chart/chart_drawing.h"
#include "chart/chart_surface.h"
#include "chart/readout.h"
#include "common/app_state.h"
#include "common/number_text.h"
#include "query/form2_query_dialog.h"
#include "query/form5_results_window.h"
#include "shell/artwork.h"
#include "shell/control_style.h"
#include "shell/form3_settings_dialog.h"
#include "shell/form4_about_window.h"
#include "shell/layout_helpers.h"
#include "shell/twips.h"
#include "shell/vertical_label.h"
#include "shell/window_frame.h"
#include "shell/window_helpers.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>

namespace hygrova {
namespace {

// Design size of the client area, twips.
constexpr double kDesignClientWidth = 12915;
constexpr double kDesignClientHeight = 9600;

struct ReadoutRow {
    const char* caption;
    double captionLeft;
    double captionWidth;
    double boxLeft;
    double top;
};

// The readout panel: captions and boxes in two columns of four rows, twips in the panel.
constexpr ReadoutRow kReadoutRows[8] = {
    {"干球温度(℃)", 240, 1095, 1440, 360},     {"湿球温度(℃)", 240, 1095, 1440, 720},
    {"露点温度(℃)", 240, 1095, 1440, 1080},    {"相对湿度(%)", 240, 1095, 1440, 1440},
    {"含湿量(g/kg干)", 3120, 1335, 4440, 360}, {"焓(kJ/kg干)", 3120, 1215, 4440, 720},
    {"比容(m3/kg干)", 3120, 1215, 4440, 1080}, {"水蒸气分压(Pa)", 3120, 1335, 4440, 1440},
};

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

QLabel* ScaleLabel(QWidget* parent, const char* name, const char* caption, double width,
                   double height, double tpp)
{
    auto* label = new QLabel(QString::fromUtf8(caption), parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(ToPixels(0, 0, width, height, tpp));
    return label;
}

}  // namespace

Form1::Form1(QWidget* parent) : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Hygrova"));
    setWindowIcon(ProgramIcon());
    CreateControls();
    CreateMenu();
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
    const char* const buttonCaptions[4] = {"查询", "设置", "关于", "退出"};
    QPushButton** const buttons[4] = {&Command1, &Command2, &Command3, &Command4};
    for (int i = 0; i < 4; ++i) {
        auto* button = new QPushButton(QString::fromUtf8(buttonCaptions[i]), Frame2);
        button->setObjectName(QStringLiteral("Command%1").arg(i + 1));
        button->setGeometry(ToPixels(120, 240 + 600 * i, 975, 375, tpp));
        *buttons[i] = button;
    }
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
    Image1->setPixmap(TitlePicture(devicePixelRatioF()));
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
    QLabel** const captions[8] = {&Label1, &Label2, &Label3, &Label4,
                                  &Label5, &Label6, &Label7, &Label8};
    QLineEdit** const boxes[8] = {&Text1, &Text2, &Text3, &Text4, &Text5, &Text6, &Text7, &Text8};
    for (int i = 0; i < 8; ++i) {
        const ReadoutRow& row = kReadoutRows[i];
        auto* caption = new QLabel(QString::fromUtf8(row.caption), Frame1);
        caption->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        caption->setGeometry(ToPixels(row.captionLeft, row.top, row.captionWidth, 255, tpp));
        SetTextColor(caption, kBlue);
        auto* box = new QLineEdit(Frame1);
        box->setObjectName(QStringLiteral("Text%1").arg(i + 1));
        box->setGeometry(ToPixels(row.boxLeft, row.top, 1335, 270, tpp));
        box->setReadOnly(true);
        box->setFocusPolicy(Qt::NoFocus);
        SetBoxColors(box, kBlue, kBoxBackground);
        *captions[i] = caption;
        *boxes[i] = box;
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

std::array<QLineEdit*, 8> Form1::ReadoutBoxes() const
{
    return {Text1, Text2, Text3, Text4, Text5, Text6, Text7, Text8};
}

void Form1::Form_Load()
{
    AppState& state = TheAppState();
    SetDefaults(state);
    Frame1->setTitle(QStringLiteral("大气压力: ") +
                     QString::fromStdString(PlainNumberText(101325)) + QStringLiteral(" Pa"));

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
    if (visible && !m_placed) {
        // Give the window its proper shape before it first appears, then centre it. Creating
        // the native window first makes the frame's size known where the platform can tell it.
        m_placed = true;
        winId();
        const QSize outer = ShapedOuterSize();
        m_frameSize = WindowFrameSize(*this);
        resize(outer - m_frameSize);
        CentreOnScreen(*this);
    }
    QMainWindow::setVisible(visible);
}

QSize Form1::ShapedOuterSize() const
{
    const double tpp = TwipsPerPixel(this);
    const QScreen* primary = QGuiApplication::primaryScreen();
    const double screenWidth =
        primary != nullptr ? primary->geometry().width() * TwipsPerPixel() : 0;
    const auto minimumWidth = static_cast<float>(0.65 * screenWidth);
    double outerWidth = (width() + WindowFrameSize(*this).width()) * tpp;
    if (minimumWidth > outerWidth) {
        outerWidth = minimumWidth;
    }
    const double outerHeight = 0.75 * outerWidth;
    return QSize(ToPixels(outerWidth, tpp), ToPixels(outerHeight, tpp));
}

void Form1::KeepWindowShape()
{
    if (windowState() & kSystemSizedStates) {
        return;  // the window system owns the size now
    }
    const QSize wanted = ShapedOuterSize() - WindowFrameSize(*this);
    // A window manager that answers the request with the same other size again is not
    // asked a second time, so that it cannot start an endless exchange of resizes.
    const std::pair<QSize, QSize> request{size(), wanted};
    if (wanted == size() || request == m_lastRequest) {
        return;
    }
    m_lastRequest = request;
    resize(wanted);
}

void Form1::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

void Form1::moveEvent(QMoveEvent* event)
{
    QMainWindow::moveEvent(event);
    KeepShapeOfNewFrame();
}

void Form1::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange) {
        KeepShapeOfNewFrame();
    } else if (event->type() == QEvent::WindowStateChange) {
        // Leaving the maximized or minimized state, the window manager brings back the size
        // the window had before; until it arrives, the size at hand is no base for the shape.
        const auto old = static_cast<QWindowStateChangeEvent*>(event)->oldState();
        m_awaitingRestoredSize =
            (old & kSystemSizedStates) && !(windowState() & kSystemSizedStates);
    }
}

bool Form1::nativeEvent(const QByteArray& eventType, void* message, qintptr* result)
{
    // An X window manager puts the window into its frame and announces the frame's size in
    // a property of the window; Qt reads it only when asked. Being reparented and any change
    // of a property are cues to look at the frame again, once Qt has handled them.
    constexpr std::uint8_t kXcbReparentNotify = 21;
    constexpr std::uint8_t kXcbPropertyNotify = 28;
    if (eventType == "xcb_generic_event_t") {
        const std::uint8_t type = static_cast<const std::uint8_t*>(message)[0] & 0x7f;
        if (type == kXcbReparentNotify || type == kXcbPropertyNotify) {
            QMetaObject::invokeMethod(this, &Form1::KeepShapeOfNewFrame, Qt::QueuedConnection);
        }
    }
    return QMainWindow::nativeEvent(eventType, message, result);
}

void Form1::KeepShapeOfNewFrame()
{
    if (m_awaitingRestoredSize) {
        return;
    }
    // The outer shape counts the frame, which a window manager adds only after the window
    // has appeared (it is known by the time the window is moved into it or activated).
    const QSize frame = WindowFrameSize(*this);
    if (frame != m_frameSize) {
        m_frameSize = frame;
        KeepWindowShape();
    }
}

void Form1::Form_Resize()
{
    m_awaitingRestoredSize = false;
    // Each step runs even when an earlier one failed; a failure shows no message.
    const auto attempt = [](auto&& step) {
        try {
            step();
        } catch (...) {
        }
    };
    attempt([this] { KeepWindowShape(); });
    attempt([this] { ScaleLayout(*this, TheAppState()); });
    attempt([this] { Picture1->Clear(); });
    attempt([this] { drawpic(); });
}

void Form1::drawpic()
{
    const double tpp = TwipsPerPixel(this);
    const QSize outer = size() + WindowFrameSize(*this);
    const PictureGeometry picture =
        PictureGeometryFor(static_cast<float>(outer.width() * tpp),
                           static_cast<float>(outer.height() * tpp), static_cast<float>(tpp));
    Picture1->SetGeometryTwips(picture.left, picture.top, picture.width, picture.height);
    AppState& state = TheAppState();
    const ChartDrawing chart = BuildChart(picture, state);
    state.ChartUnit = chart.unit;
    Picture1->DrawSegments(chart.segments);
    MoveScaleLabels(chart);
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
    ShowAndRaise(QueryDialog());
    ShowAndRaise(ResultsWindow());
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
    Form_Unload();
    event->accept();
}

void Form1::Form_Unload()
{
    UnloadSecondaryWindows();
}

void Form1::UnloadSecondaryWindows()
{
    Unload(m_form2);
    Unload(m_form3);
    Unload(m_form4);
    Unload(m_form5);
}

}  // namespace hygrova
