#include "shell/widgets/artwork.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace hygrova {
namespace {

QPixmap IconPixmap(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    PaintProgramIcon(p, size);
    return pixmap;
}

}  // namespace

// Drawn on a 48-unit square: a white card with a saturation curve, two enthalpy lines
// falling to the right and a red state point.
void PaintProgramIcon(QPainter& p, qreal side)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(side / 48.0, side / 48.0);
    p.setPen(QPen(QColor(64, 64, 160), 2));
    p.setBrush(QColor(255, 255, 255));
    p.drawRoundedRect(QRectF(2, 2, 44, 44), 6, 6);
    p.setPen(QPen(QColor(0, 128, 0), 1.5));
    p.drawLine(QPointF(8, 16), QPointF(30, 38));
    p.drawLine(QPointF(8, 6), QPointF(40, 38));
    QPainterPath saturation(QPointF(8, 40));
    saturation.cubicTo(QPointF(22, 36), QPointF(34, 24), QPointF(40, 8));
    p.setPen(QPen(QColor(0, 0, 255), 2.5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(saturation);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 0, 0));
    p.drawEllipse(QPointF(24, 26), 3.5, 3.5);
    p.restore();
}

QIcon ProgramIcon()
{
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 96}) {
        icon.addPixmap(IconPixmap(size));
    }
    return icon;
}

QPixmap TitlePicture(qreal devicePixelRatio)
{
    const QSizeF logical(71, 318);
    QPixmap pixmap((logical * devicePixelRatio).toSize());
    pixmap.setDevicePixelRatio(devicePixelRatio);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QLinearGradient gradient(0, 0, 0, logical.height());
    gradient.setColorAt(0.0, QColor(64, 64, 192));
    gradient.setColorAt(1.0, QColor(160, 160, 240));
    p.fillRect(QRectF(QPointF(0, 0), logical), gradient);

    // The chart's name in large characters, one below the other, and the program's name
    // turned to run along the bottom.
    QFont title;
    title.setPixelSize(34);
    title.setBold(true);
    p.setFont(title);
    p.setPen(QColor(255, 255, 255));
    const QString characters = QStringLiteral("焓湿图");
    for (int i = 0; i < characters.size(); ++i) {
        p.drawText(QRectF(0, 14 + i * 52, logical.width(), 48), Qt::AlignCenter,
                   characters.mid(i, 1));
    }
    QFont name;
    name.setPixelSize(20);
    name.setItalic(true);
    p.setFont(name);
    p.setPen(QColor(255, 255, 192));
    p.translate(logical.width() / 2 + 8, logical.height() - 12);
    p.rotate(-90);
    p.drawText(QPointF(0, 0), QStringLiteral("Hygrova"));
    return pixmap;
}

}  // namespace hygrova
