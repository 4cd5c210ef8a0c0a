#include "shell/widgets/vertical_label.h"

#include <QPainter>

namespace hygrova {

VerticalLabel::VerticalLabel(const QString& caption, QWidget* parent) : QLabel(caption, parent) {}

void VerticalLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    const QFontMetrics metrics = fontMetrics();
    const int lineHeight = metrics.height();
    int top = 0;
    for (const QChar c : text()) {
        painter.drawText(QRect(0, top, width(), lineHeight), Qt::AlignLeft | Qt::AlignTop, c);
        top += lineHeight;
    }
}

}  // namespace hygrova
