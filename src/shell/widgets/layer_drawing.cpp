#include "shell/widgets/layer_drawing.h"

#include "chart/chart_mapping.h"
#include "model/arithmetic_fault.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include <QFont>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QTextLayout>

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
// Beyond this many texts or fonts the cache starts afresh, so that renamed labels and fonts
// of other screens do not pile up.
constexpr qsizetype kMaxCachedTexts = 4096;
constexpr std::size_t kMaxCachedFonts = 4;

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

// A laid-out text may break lines and expands tabs where a drawn one does not: such a label is
// drawn as it is.
bool DrawsAlike(const QString& text)
{
    return std::none_of(text.begin(), text.end(), [](QChar c) {
        return c.category() == QChar::Other_Control || c.category() == QChar::Separator_Line ||
               c.category() == QChar::Separator_Paragraph;
    });
}

// Draws a label in the painter's font with its baseline starting at `at`.
void DrawLabel(QPainter& painter, QPointF at, const QString& text, LayerTextCache* texts)
{
    if (texts != nullptr && DrawsAlike(text)) {
        for (const QGlyphRun& run : texts->Glyphs(text, painter.font())) {
            painter.drawGlyphRun(at, run);
        }
    } else {
        painter.drawText(at, text);
    }
}

// The glyphs of one line of text, moved from the line's top to its baseline.
QList<QGlyphRun> ShapeLine(const QString& text, const QFont& font)
{
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setPosition(QPointF(0, 0));
    layout.endLayout();
    QList<QGlyphRun> runs = layout.glyphRuns();
    for (QGlyphRun& run : runs) {
        QList<QPointF> positions = run.positions();
        for (QPointF& position : positions) {
            position.ry() -= line.ascent();
        }
        run.setPositions(positions);
    }
    return runs;
}

}  // namespace

const QList<QGlyphRun>& LayerTextCache::Glyphs(const QString& text, const QFont& font)
{
    auto group = std::find_if(m_fonts.begin(), m_fonts.end(),
                              [&](const FontTexts& texts) { return texts.font == font; });
    if (group == m_fonts.end()) {
        if (m_fonts.size() >= kMaxCachedFonts) {
            m_fonts.clear();
        }
        group = m_fonts.insert(m_fonts.end(), {font, {}});
    }
    QHash<QString, QList<QGlyphRun>>& texts = group->texts;
    auto found = texts.constFind(text);
    if (found == texts.constEnd()) {
        if (texts.size() >= kMaxCachedTexts) {
            texts.clear();
        }
        found = texts.insert(text, ShapeLine(text, font));
    }
    return *found;
}

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

void PaintLayer(QPainter& painter, const PlacedLayer& layer, LayerTextCache* texts)
{
    const double px = layer.pixelTwips;
    // Glyph runs land on drawText's pixels on a raster device at pixel ratio 1 only; at other
    // ratios (and on vector outputs) the labels are drawn as text.
    if (painter.paintEngine() == nullptr || painter.paintEngine()->type() != QPaintEngine::Raster ||
        painter.device()->devicePixelRatio() != 1) {
        texts = nullptr;
    }
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
            DrawLabel(painter,
                      QPointF((line.x1 + line.x2) / 2 + 4 * px, (line.y1 + line.y2) / 2),
                      line.label, texts);
        }
    }
    painter.setFont(LayerFont(px, kLabelPixels, true));
    for (const PlacedLayer::Mark& mark : layer.marks) {
        painter.setPen(mark.supersaturated ? kSupersaturatedColor : kStateColor);
        DrawLabel(painter,
                  QPointF(mark.x + (kMarkRadius + 2) * px, mark.y - (kMarkRadius + 1) * px),
                  mark.label, texts);
    }
    painter.restore();
}

}  // namespace hygrova
