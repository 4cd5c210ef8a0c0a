#include "shell/widgets/layer_drawing.h"

#include "chart/chart_mapping.h"
#include "chart/coverage_raster.h"
#include "model/arithmetic_fault.h"
#include "shell/widgets/image_canvas.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

#include <QFont>
#include <QImage>
#include <QRect>
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

QColor MarkColor(const PlacedLayer::Mark& mark)
{
    return mark.supersaturated ? kSupersaturatedColor : kStateColor;
}

Ink InkOf(const QColor& color)
{
    return {{static_cast<std::uint8_t>(color.red()), static_cast<std::uint8_t>(color.green()),
             static_cast<std::uint8_t>(color.blue())},
            static_cast<std::uint8_t>(color.alpha())};
}

// Where a label's baseline starts: below and right of the middle of its line, or up and right
// of its mark. A mix puts its state in the middle of the line between its two states; its
// label above and the line's below keep clear of each other.
QPointF LineLabelAt(const PlacedLayer::Line& line, double px)
{
    return QPointF((line.x1 + line.x2) / 2 + 4 * px,
                   (line.y1 + line.y2) / 2 + (kLineLabelPixels + 3) * px);
}

QPointF MarkLabelAt(const PlacedLayer::Mark& mark, double px)
{
    return QPointF(mark.x + (kMarkRadius + 2) * px, mark.y - (kMarkRadius + 1) * px);
}

// The arrow head's corners at a process's end, twips: its tip on the end; none for a line
// shorter than a pixel.
std::optional<std::array<QPointF, 3>> ArrowHead(const PlacedLayer::Line& line, double px)
{
    const double dx = line.x2 - line.x1;
    const double dy = line.y2 - line.y1;
    const double length = std::hypot(dx, dy);
    if (length < px) {
        return std::nullopt;
    }
    const double ux = dx / length;
    const double uy = dy / length;
    const QPointF tip(line.x2, line.y2);
    const QPointF base = tip - QPointF(ux, uy) * (kArrowLength * px);
    const QPointF side = QPointF(-uy, ux) * (kArrowHalfWidth * px);
    return std::array<QPointF, 3>{tip, base + side, base - side};
}

// The layer's shapes in painting order, twips of the picture, handed to a painter of either
// kind: each line (dashed unless it is a process) with its arrow head, then each mark (a dot,
// or a hollow ring for a state beyond saturation, kept where its mix put it). The screen and
// the exports take their shapes from this one walk.
template <typename Shapes>
void WalkShapes(const PlacedLayer& layer, Shapes& shapes)
{
    const double px = layer.pixelTwips;
    for (const PlacedLayer::Line& line : layer.lines) {
        const QColor color = LineColor(line.kind);
        shapes.Line(QPointF(line.x1, line.y1), QPointF(line.x2, line.y2), kLineWidth * px, color,
                    line.kind != OverlayLineKind::Process);
        if (line.arrowHead) {
            if (const auto corners = ArrowHead(line, px)) {
                shapes.Triangle(*corners, color);
            }
        }
    }
    for (const PlacedLayer::Mark& mark : layer.marks) {
        const double r = kMarkRadius * px;
        if (mark.supersaturated) {
            shapes.Ring(QPointF(mark.x, mark.y), r + px, kLineWidth * px, kSupersaturatedColor);
        } else {
            shapes.Disc(QPointF(mark.x, mark.y), r, kStateColor);
        }
    }
}

// The shapes drawn with QPainter, for every output.
struct PainterShapes {
    QPainter& painter;

    void Line(QPointF from, QPointF to, double width, const QColor& color, bool dashed)
    {
        QPen pen(color, width);
        pen.setCapStyle(Qt::FlatCap);
        if (dashed) {
            pen.setStyle(Qt::DashLine);
        }
        painter.setPen(pen);
        painter.drawLine(from, to);
    }
    void Triangle(const std::array<QPointF, 3>& corners, const QColor& color)
    {
        QPainterPath head;
        head.moveTo(corners[0]);
        head.lineTo(corners[1]);
        head.lineTo(corners[2]);
        head.closeSubpath();
        painter.fillPath(head, color);
    }
    void Disc(QPointF centre, double radius, const QColor& color)
    {
        painter.setPen(Qt::NoPen);
        painter.setBrush(color);
        painter.drawEllipse(centre, radius, radius);
    }
    void Ring(QPointF centre, double radius, double width, const QColor& color)
    {
        painter.setPen(QPen(color, width));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(centre, radius, radius);
    }
};

// The same shapes laid straight into the pixels of a premultiplied ARGB image (see
// coverage_raster.h), noting the device pixels they may cover.
struct PixelShapes {
    PixelCanvas canvas;
    double scale;  // device pixels per twip
    QRectF covered;

    PixelPoint At(QPointF p) const { return {p.x() * scale, p.y() * scale}; }
    void Cover(PixelPoint p, double reach)
    {
        covered |= QRectF(p.x - reach, p.y - reach, 2 * reach, 2 * reach);
    }

    void Line(QPointF from, QPointF to, double width, const QColor& color, bool dashed)
    {
        const double w = width * scale;
        // Qt's dash line: dashes of four pen widths, gaps of two.
        PaintWideLine(canvas, At(from), At(to), w, InkOf(color),
                      dashed ? Dashes{4 * w, 2 * w} : Dashes{});
        Cover(At(from), w);
        Cover(At(to), w);
    }
    void Triangle(const std::array<QPointF, 3>& corners, const QColor& color)
    {
        const std::array<PixelPoint, 3> at{At(corners[0]), At(corners[1]), At(corners[2])};
        PaintTriangle(canvas, at, InkOf(color));
        for (const PixelPoint& corner : at) {
            Cover(corner, 2);  // a sharp tip's antialiased edge reaches past the corner
        }
    }
    void Disc(QPointF centre, double radius, const QColor& color)
    {
        PaintDisc(canvas, At(centre), radius * scale, InkOf(color));
        Cover(At(centre), radius * scale + 1);
    }
    void Ring(QPointF centre, double radius, double width, const QColor& color)
    {
        PaintRing(canvas, At(centre), radius * scale, width * scale, InkOf(color));
        Cover(At(centre), (radius + width) * scale + 1);
    }
};

// A laid-out text may break lines and expands tabs where a drawn one does not: such a label is
// drawn as it is.
bool DrawsAlike(const QString& text)
{
    return std::none_of(text.begin(), text.end(), [](QChar c) {
        return c.category() == QChar::Other_Control || c.category() == QChar::Separator_Line ||
               c.category() == QChar::Separator_Paragraph;
    });
}

// Draws labels in the painter's font, each with its baseline starting at a point. From a
// cache, the glyphs of consecutive labels in one font and color go out as one glyph run:
// drawn glyph by glyph in the same order, to the same pixels, without a call for each label.
class LabelPainter {
public:
    LabelPainter(QPainter& painter, LayerTextCache* texts) : m_painter(painter), m_texts(texts) {}
    ~LabelPainter() { Flush(); }
    LabelPainter(const LabelPainter&) = delete;
    LabelPainter& operator=(const LabelPainter&) = delete;

    void Draw(QPointF at, const QString& text, const QColor& color)
    {
        if (m_texts == nullptr || !DrawsAlike(text)) {
            Flush();
            m_painter.setPen(color);
            m_painter.drawText(at, text);
            return;
        }
        for (const QGlyphRun& run : m_texts->Glyphs(text, m_painter.font())) {
            if (color != m_color || run.rawFont() != m_run.rawFont() ||
                run.flags() != m_run.flags()) {
                Flush();
                m_color = color;
                m_run = run;
                m_run.setGlyphIndexes({});
                m_run.setPositions({});
            }
            m_indexes += run.glyphIndexes();
            for (const QPointF& position : run.positions()) {
                m_positions.push_back(at + position);
            }
        }
    }

    // Draws the glyphs gathered so far; before the font changes, and at the end.
    void Flush()
    {
        if (m_indexes.isEmpty()) {
            return;
        }
        m_run.setRawData(m_indexes.constData(), m_positions.constData(),
                         static_cast<int>(m_indexes.size()));
        m_painter.setPen(m_color);
        m_painter.drawGlyphRun(QPointF(0, 0), m_run);
        m_indexes.clear();
        m_positions.clear();
    }

private:
    QPainter& m_painter;
    LayerTextCache* m_texts;
    QGlyphRun m_run;
    QColor m_color;
    QList<quint32> m_indexes;
    QList<QPointF> m_positions;
};

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

void PaintLayerLabels(QPainter& painter, const PlacedLayer& layer, LayerTextCache* texts)
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
    painter.setFont(LayerFont(px, kLineLabelPixels, false));
    {
        LabelPainter labels(painter, texts);
        for (const PlacedLayer::Line& line : layer.lines) {
            if (!line.label.isEmpty()) {
                labels.Draw(LineLabelAt(line, px), line.label, LineColor(line.kind));
            }
        }
    }
    painter.setFont(LayerFont(px, kLabelPixels, true));
    {
        LabelPainter labels(painter, texts);
        for (const PlacedLayer::Mark& mark : layer.marks) {
            labels.Draw(MarkLabelAt(mark, px), mark.label, MarkColor(mark));
        }
    }
    painter.restore();
}

void PaintLayer(QPainter& painter, const PlacedLayer& layer)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    PainterShapes shapes{painter};
    WalkShapes(layer, shapes);
    painter.restore();
    PaintLayerLabels(painter, layer);
}

QRect PaintLayerOnImage(QImage& image, const PlacedLayer& layer, double twipsPerPixel,
                        LayerTextCache& texts)
{
    // PaintLayer's shapes laid straight into the pixels: the screen's layer is painted again
    // on every edit, resize and change of pressure, and a general path rasterizer takes most
    // of the chart's redraw time for a design of a few hundred lines.
    PixelShapes shapes{CanvasOf(image), image.devicePixelRatio() / twipsPerPixel, {}};
    WalkShapes(layer, shapes);
    // The labels' room, generously: an em for each character and one more.
    const double px = layer.pixelTwips;
    const auto coverLabel = [&](QPointF twips, const QString& text, int pixels) {
        const PixelPoint p = shapes.At(twips);
        const double em = pixels * px * shapes.scale;
        shapes.covered |= QRectF(p.x - px * shapes.scale, p.y - 1.3 * em,
                                 (static_cast<double>(text.size()) + 1) * em, 1.8 * em);
    };
    for (const PlacedLayer::Line& line : layer.lines) {
        if (!line.label.isEmpty()) {
            coverLabel(LineLabelAt(line, px), line.label, kLineLabelPixels);
        }
    }
    for (const PlacedLayer::Mark& mark : layer.marks) {
        coverLabel(MarkLabelAt(mark, px), mark.label, kLabelPixels);
    }
    QPainter painter(&image);
    painter.scale(1 / twipsPerPixel, 1 / twipsPerPixel);
    PaintLayerLabels(painter, layer, &texts);
    return shapes.covered.toAlignedRect() & image.rect();
}

}  // namespace hygrova
