#include "shell/widgets/chart_underlay.h"

#include <algorithm>

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPaintEngine>
#include <QPainter>

namespace hygrova {
namespace {

const QColor kOutlineColor(0xd9, 0x48, 0x01);  // dark orange, apart from the line families
const QColor kDotColor(0x44, 0x01, 0x54);      // the scale's darkest color

void PaintLegend(QPainter& painter, const ChartUnderlay& underlay, const QRectF& picture,
                 double px)
{
    QFont font = painter.font();
    font.setPixelSize(std::max(1, static_cast<int>(12 * px)));
    painter.setFont(font);
    const QFontMetricsF metrics(font);
    const double line = metrics.height();
    const double barHeight = underlay.scaleColors.empty() ? 0 : 2 * line;
    double width = 160 * px;
    for (const QString& text : underlay.legend) {
        width = std::max(width, metrics.horizontalAdvance(text));
    }
    const double pad = 6 * px;
    const double lines = line * static_cast<double>(underlay.legend.size());
    // At the right edge beyond the saturation curve, above the readout panel that covers
    // the picture's lower right corner, and above the line of the count under the pointer.
    const double bottom = kLegendBottom * picture.height();
    const QRectF box(picture.width() - width - 3 * pad,
                     bottom - 2 * pad - lines - barHeight,
                     width + 2 * pad, lines + barHeight + 2 * pad);
    painter.setPen(QPen(Qt::gray, px));
    painter.setBrush(QColor(255, 255, 255, 235));
    painter.drawRect(box);
    double y = box.top() + pad;
    painter.setPen(Qt::black);
    for (std::size_t i = 0; i < underlay.legend.size(); ++i) {
        painter.drawText(QRectF(box.left() + pad, y, width, line), Qt::AlignLeft | Qt::AlignVCenter,
                         underlay.legend[i]);
        y += line;
        if (i == 0 && barHeight > 0) {
            QLinearGradient gradient(box.left() + pad, 0, box.left() + pad + width, 0);
            for (std::size_t k = 0; k < underlay.scaleColors.size(); ++k) {
                gradient.setColorAt(static_cast<double>(k) /
                                        static_cast<double>(underlay.scaleColors.size() - 1),
                                    underlay.scaleColors[k]);
            }
            painter.fillRect(QRectF(box.left() + pad, y, width, line * 0.8), gradient);
            painter.drawText(QRectF(box.left() + pad, y + line * 0.8, width, line * 1.2),
                             Qt::AlignLeft | Qt::AlignVCenter, underlay.scaleEnds[0]);
            painter.drawText(QRectF(box.left() + pad, y + line * 0.8, width, line * 1.2),
                             Qt::AlignRight | Qt::AlignVCenter, underlay.scaleEnds[1]);
            y += barHeight;
        }
    }
}

// On a raster image (the screen, PNG, the clipboard) the cells are one image scaled up
// without smoothing. SVG, PDF and print get each cell as a rectangle: their viewers would
// smooth an image scaled up and blur the cells into each other.
void PaintDensity(QPainter& painter, const QImage& density, const QRectF& rect)
{
    if (painter.paintEngine()->type() == QPaintEngine::Raster) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter.drawImage(rect, density);
        return;
    }
    const double side = rect.width() / density.width();
    for (int row = 0; row < density.height(); ++row) {
        const auto* const line = reinterpret_cast<const QRgb*>(density.constScanLine(row));
        for (int column = 0; column < density.width(); ++column) {
            if (qAlpha(line[column]) > 0) {
                painter.fillRect(QRectF(rect.left() + column * side, rect.top() + row * side,
                                        side, side),
                                 QColor::fromRgb(line[column]));
            }
        }
    }
}

}  // namespace

void PaintUnderlay(QPainter& painter, const ChartUnderlay& underlay, const QRectF& pictureTwips,
                   double pixelTwips)
{
    painter.save();
    painter.setPen(Qt::NoPen);
    if (!underlay.density.isNull()) {
        PaintDensity(painter, underlay.density, underlay.densityRect);
    }
    painter.setBrush(kDotColor);
    const double radius = 1.5 * pixelTwips;
    for (const QPointF& dot : underlay.dots) {
        painter.drawEllipse(dot, radius, radius);
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kOutlineColor, 2 * pixelTwips));
    QFont font = painter.font();
    font.setPixelSize(std::max(1, static_cast<int>(12 * pixelTwips)));
    painter.setFont(font);
    for (const ChartUnderlay::Outline& outline : underlay.outlines) {
        painter.drawPolygon(outline.polygon);
        if (!outline.polygon.isEmpty()) {
            painter.drawText(outline.polygon.front() + QPointF(2 * pixelTwips, -3 * pixelTwips),
                             outline.label);
        }
    }
    if (!underlay.legend.empty()) {
        PaintLegend(painter, underlay, pictureTwips, pixelTwips);
    }
    painter.restore();
}

}  // namespace hygrova
