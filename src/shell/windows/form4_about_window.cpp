#include "shell/windows/form4_about_window.h"

#include "shell/widgets/control_style.h"
#include "shell/platform/twips.h"
#include "shell/platform/window_state.h"
#include "shell/widgets/window_helpers.h"
#include "shell/widgets/window_setup.h"

#include <algorithm>

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace hygrova {
namespace {

// Design size of the client area, twips.
constexpr double kClientWidth = 3735;
constexpr double kClientHeight = 3105;
// The separator between the heading and the notes: twips, from its left to its right end.
constexpr double kSeparatorLeft = 120;
constexpr double kSeparatorRight = 3600;
constexpr double kSeparatorTop = 1340;
// The program icon's size, device-independent pixels.
constexpr int kIconSize = 48;

const QColor kNoteColor(192, 64, 0);
const QColor kSeparatorGray(128, 128, 128);
const QColor kSeparatorWhite(255, 255, 255);

// One text of the window: its caption, place (twips), color and whether it wraps.
struct TextLabel {
    QLabel* Form4::*control;
    const char* name;
    const char* caption;
    double left;
    double top;
    double width;
    double height;
    const QColor* color;
    bool wraps;
};

const TextLabel kTextLabels[] = {
    {&Form4::Label1, "Label1", "Hygrova", 1200, 240, 1935, 255, &kBlack, false},
    {&Form4::Label2, "Label2", "版本: 1.0", 1200, 480, 1575, 255, &kBlack, false},
    {&Form4::Label3, "Label3", "作者：Hygrova 项目组\nhttps://hygrova.example.org", 1200, 720, 2415,
     615, &kBlack, false},
    {&Form4::Label4, "Label4", "注意事项：", 240, 1440, 975, 255, &kNoteColor, false},
    {&Form4::Label5, "Label5",
     "1.本软件所查询数据结果仅供参考，作者不承担由此所产生的任何责任，请谨慎使用。", 240, 1680,
     3255, 615, &kNoteColor, true},
    {&Form4::Label6, "Label6", "2.本软件旨在学习交流之用，未经作者许可，禁止用于商业用途。", 240,
     2220, 3255, 495, &kNoteColor, true},
    {&Form4::Label7, "Label7", "3.若有任何问题或建议，欢迎与作者联系。", 240, 2640, 2055, 495,
     &kNoteColor, true},
};

}  // namespace

Form4::Form4(QWidget& main) : QWidget(nullptr, kOwnedDialogFlags), m_main(main)
{
    SetUpOwnedDialog(*this, main, QStringLiteral("Form4"), QStringLiteral("关于 Hygrova"),
                     kClientWidth, kClientHeight);
    SetTextColor(this, kBlack);
    SetBackground(this, kFormBackground);
    CreateControls();
    CentreOnScreen(*this);
    // It has no minimize box; a window manager that minimizes it anyway gets it back at once.
    new StaysOnScreen(*this);
    Form_Load();
}

void Form4::CreateControls()
{
    const double tpp = TwipsPerPixel(this);
    Picture1 = new QLabel(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(ToPixels(240, 240, 855, 855, tpp));
    Picture1->setAlignment(Qt::AlignCenter);
    Picture1->setPixmap(
        m_main.windowIcon().pixmap(QSize(kIconSize, kIconSize), devicePixelRatioF()));
    SetBackground(Picture1, kFormBackground);

    for (const TextLabel& text : kTextLabels) {
        auto* label = new QLabel(QString::fromUtf8(text.caption), this);
        label->setObjectName(QString::fromLatin1(text.name));
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setWordWrap(text.wraps);
        label->setGeometry(ToPixels(text.left, text.top, text.width, text.height, tpp));
        SetTextColor(label, *text.color);
        FitFontToControl(label);
        this->*text.control = label;
    }
    // The three notes share the size the longest of them needed.
    qreal notePointSize = Label5->font().pointSizeF();
    for (const QLabel* note : {Label6, Label7}) {
        notePointSize = std::min(notePointSize, note->font().pointSizeF());
    }
    for (QLabel* note : {Label5, Label6, Label7}) {
        QFont font = note->font();
        font.setPointSizeF(notePointSize);
        note->setFont(font);
    }

    // The separator is etched: a gray line with a white one just below it.
    const QRect separator(ToPixels(kSeparatorLeft, tpp), ToPixels(kSeparatorTop, tpp),
                          ToPixels(kSeparatorRight - kSeparatorLeft, tpp), 1);
    Line2 = new QFrame(this);
    Line2->setObjectName(QStringLiteral("Line2"));
    Line2->setGeometry(separator);
    SetBackground(Line2, kSeparatorGray);
    Line1 = new QFrame(this);
    Line1->setObjectName(QStringLiteral("Line1"));
    Line1->setGeometry(separator.translated(0, 1));
    SetBackground(Line1, kSeparatorWhite);

    Command1 = AddButtons(this, {"确定"}, {2400, 2640, 1095, 375}, {}).front();
    connect(Command1, &QPushButton::clicked, this, &Form4::Command1_Click);
}

void Form4::Form_Load()
{
    SetUpSkin(BSE1);
}

void Form4::Command1_Click()
{
    m_main.setEnabled(true);
    // Closing destroys the window once this click has been handled.
    close();
    m_main.activateWindow();
}

void Form4::showEvent(QShowEvent* event)
{
    // Above the disabled main window, whatever is clicked there.
    KeepAboveOwner(*this, m_main);
    QWidget::showEvent(event);
}

void Form4::closeEvent(QCloseEvent* event)
{
    Form_Unload();
    QWidget::closeEvent(event);
}

void Form4::Form_Unload()
{
    m_main.setEnabled(true);
}

}  // namespace hygrova
