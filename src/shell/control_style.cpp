#include "shell/control_style.h"

#include "shell/twips.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QWidget>

namespace hygrova {
namespace {

constexpr qreal kSmallestPointSize = 6.0;

bool CaptionFits(const QWidget& control)
{
    if (const auto* label = qobject_cast<const QLabel*>(&control)) {
        const QSize room = label->contentsRect().size();
        const int flags =
            static_cast<int>(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
        const QRect needed = label->fontMetrics().boundingRect(
            QRect(QPoint(0, 0), QSize(room.width(), 100000)), flags, label->text());
        return needed.width() <= room.width() && needed.height() <= room.height();
    }
    return control.sizeHint().width() <= control.width();
}

}  // namespace

void SetTextColor(QWidget* control, const QColor& color)
{
    QPalette palette = control->palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::Text, color);
    control->setPalette(palette);
}

void SetBackground(QWidget* control, const QColor& color)
{
    QPalette palette = control->palette();
    palette.setColor(QPalette::Window, color);
    control->setPalette(palette);
    control->setAutoFillBackground(true);
}

void SetBoxColors(QWidget* box, const QColor& text, const QColor& background)
{
    QPalette palette = box->palette();
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Base, background);
    box->setPalette(palette);
}

QFont SongtiFont(qreal pointSize, bool italic)
{
    QFont font;
    font.setFamilies(
        {QStringLiteral("SimSun"), QStringLiteral("宋体"), QStringLiteral("AR PL UMing CN")});
    font.setStyleHint(QFont::Serif);
    font.setPointSizeF(pointSize);
    font.setItalic(italic);
    return font;
}

void FitFontToControl(QWidget* control)
{
    QFont font = control->font();
    while (!CaptionFits(*control) && font.pointSizeF() - 0.5 >= kSmallestPointSize) {
        font.setPointSizeF(font.pointSizeF() - 0.5);
        control->setFont(font);
    }
}

void CentreOnScreen(QWidget& window)
{
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        window.move(screen->availableGeometry().center() - window.rect().center());
    }
}

void PlaceClientAt(QWidget& window, double left, double top, double width, double height)
{
    window.setGeometry(ToPixels(left, top, width, height, TwipsPerPixel(&window)));
}

}  // namespace hygrova
