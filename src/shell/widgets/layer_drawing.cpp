#include "shell/widgets/layer_drawing.h"

#include "chart/chart_mapping.h"
#include "model/arithmetic_fault.h"

#include <cmath>
#include <optional>

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPen>

namespace hygrova {
namespace {

// The layer's colors stay clear of the chart's sixteen line colors in their default use and
// of the red disc of "描点".
const QColor kStateColor(128, 0, 128);       // marks, labels and process arrows
const QColor kEpsilonColor(205, 102, 0);     // lines of given heat-moisture ratio
const QColor kMixingColor(128, 0, 128, 170); // mixing lines
const QColor kSupersaturatedColor(220, 0, 0);

// Sizes in screen pixels, scaled by pixelTwips.
constexpr double kMarkRadius = 3.5;
constexpr double kLineWidth = 1.6;
constexpr double kArrowLength = 10;
constexpr double kArrowHalfWidth = 4;
constexpr int kLabelPixels = 13;
constexpr int kLineLabelPixels = 11;

std::optional<ChartPoint> Place(const ChartState& state, float unit, float pictureHeightTwips)
{
    try {
        const ChartPoint point = MapToChart(state.d, state.h, unit, pictureHeightTwips);
        if (std::isfinite(point.x) && std::isfinite(point.y)) {
            return point;
        }
    } catch (const ArithmeticFault&) {
    }
    return std::nullopt;
}

QFont LayerFont(double pixelTwips, int pixels, bool bold)
{
    QFont font;
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixels * pixelTwips))));
    font.setBold(bold);
    return font;
}

QColor LineColor(OverlayLineKind kind)
{
    switch (kind) {
    case OverlayLineKind::EpsilonLine:
        return kEpsilonColor;
    case OverlayLineKind::Mixing:
        return kMixingColor;
    case OverlayLineKind::Process:
        break;
    }
    return kStateColor;
}

void PaintArrowHead(QPainter& painter, const PlacedLayer::Line& line, double px)
{
    const double dx = line.x2 - line.x1;
    const double dy = line.y2 - line.y1;
    const double length = std::hypot(dx, dy);
    if (length < px) {
        return;
    }
    const double ux = dx / length;
    const double uy = dy / length;
    const QPointF tip(line.x2, line.y2);
    const QPointF base = tip - QPointF(ux, uy) * (kArrowLength * px);
    const QPointF side = QPointF(-uy, ux) * (kArrowHalfWidth * px);
    QPainterPath head;
    head.moveTo(tip);
    head.lineTo(base + side);
    head.lineTo(base - side);
    head.closeSubpath();
    painter.fillPath(head, LineColor(line.kind));
}

}  // namespace

PlacedLayer PlaceLayer(const ChartOverlay& overlay, float unit, float pictureHeightTwips,
                       double pixelTwips)
{
    PlacedLayer layer;
    layer.pixelTwips = pixelTwips;
    if (!(unit > 0)) {
        return layer;
    }
    for (const OverlayMark& mark : overlay.marks) {
        if (const auto at = Place(mark.at, unit, pictureHeightTwips)) {
            layer.marks.push_back(
                {at->x, at->y, QString::fromStdString(mark.label), mark.supersaturated});
        }
    }
    for (const OverlayLine& line : overlay.lines) {
        const auto from = Place(line.from, unit, pictureHeightTwips);
        const auto to = Place(line.to, unit, pictureHeightTwips);
        if (from && to) {
            layer.lines.push_back({from->x, from->y, to->x, to->y, line.kind, line.arrowHead,
                                   QString::fromStdString(line.label)});
        }
    }
    return layer;
}

void PaintLayer(QPainter& painter, const PlacedLayer& layer)
{
    const double px = layer.pixelTwips;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    for (const PlacedLayer::Line& line : layer.lines) {
        QPen pen(LineColor(line.kind), kLineWidth * px);
        pen.setCapStyle(Qt::FlatCap);
        if (line.kind != OverlayLineKind::Process) {
            pen.setStyle(Qt::DashLine);
        }
        painter.setPen(pen);
        painter.drawLine(QPointF(line.x1, line.y1), QPointF(line.x2, line.y2));
        if (line.arrowHead) {
            PaintArrowHead(painter, line, px);
        }
    }
    for (const PlacedLayer::Mark& mark : layer.marks) {
        const double r = kMarkRadius * px;
        if (mark.supersaturated) {
            // Hollow: the state lies beyond the saturation curve, kept where its mix put it.
            painter.setPen(QPen(kSupersaturatedColor, kLineWidth * px));
            painter.setBrush(Qt::NoBrush);
            painter.drawEllipse(QPointF(mark.x, mark.y), r + px, r + px);
        } else {
            painter.setPen(Qt::NoPen);
            painter.setBrush(kStateColor);
            painter.drawEllipse(QPointF(mark.x, mark.y), r, r);
        }
    }
    painter.setFont(LayerFont(px, kLineLabelPixels, false));
    for (const PlacedLayer::Line& line : layer.lines) {
        if (!line.label.isEmpty()) {
            painter.setPen(LineColor(line.kind));
            painter.drawText(QPointF((line.x1 + line.x2) / 2 + 4 * px, (line.y1 + line.y2) / 2),
                             line.label);
        }
    }
    painter.setFont(LayerFont(px, kLabelPixels, true));
    for (const PlacedLayer::Mark& mark : layer.marks) {
        painter.setPen(mark.supersaturated ? kSupersaturatedColor : kStateColor);
        painter.drawText(QPointF(mark.x + (kMarkRadius + 2) * px, mark.y - (kMarkRadius + 1) * px),
                         mark.label);
    }
    painter.restore();
}

}  // namespace hygrova
