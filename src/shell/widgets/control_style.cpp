#include "shell/widgets/control_style.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOption>
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

// The platform style with group boxes framed by a plain line a shade darker than their
// background, and not filled.
class PlainFrameStyle : public QProxyStyle {
public:
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override
    {
        if (element != PE_FrameGroupBox) {
            QProxyStyle::drawPrimitive(element, option, painter, widget);
            return;
        }
        painter->save();
        painter->setPen(option->palette.color(QPalette::Window).darker(kBorderDarkness));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(QRectF(option->rect).adjusted(0.5, 0.5, -0.5, -0.5));
        painter->restore();
    }

private:
    static constexpr int kBorderDarkness = 150;
};

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

void SetDisabledBoxColors(QWidget* box, const QColor& text, const QColor& background)
{
    QPalette palette = box->palette();
    palette.setColor(QPalette::Disabled, QPalette::Text, text);
    palette.setColor(QPalette::Disabled, QPalette::Base, background);
    box->setPalette(palette);
}

void UsePlainFrame(QGroupBox* frame)
{
    // The frame owns its style; a widget's own style does not pass to its children.
    auto* style = new PlainFrameStyle;
    style->setParent(frame);
    frame->setStyle(style);
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

}  // namespace hygrova
