#include "shell/widgets/chart_surface.h"

#include "shell/platform/twips.h"
#include "shell/widgets/image_canvas.h"

#include <algorithm>
#include <cmath>

#include <QMouseEvent>
#include <QPainter>

namespace hygrova {
namespace {

// The fill color of a solid circle. The program never sets one of its own; red makes a
// plotted state a red disc.
constexpr Rgb kFillColor{255, 0, 0};

QColor ToQColor(Rgb c)
{
    return QColor(c.r, c.g, c.b);
}

// The width of every chart line in the image, device pixels: one logical pixel, so that lines
// keep their weight on high-density screens.
int LineWeight(const QImage& image)
{
    return std::max(1, static_cast<int>(std::lround(image.devicePixelRatio())));
}

// Makes the pixels of the rectangle (device pixels) transparent.
void ClearPixels(QImage& image, QRect rect)
{
    rect &= image.rect();
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
        std::fill(row + rect.left(), row + rect.right() + 1, 0u);
    }
}

}  // namespace

void DrawChartLines(QImage& image, const std::vector<ChartSegment>& segments, double twipsPerPixel)
{
    DrawHairlines(CanvasOf(image), segments, image.devicePixelRatio() / twipsPerPixel,
                  LineWeight(image));
}

void DrawChartMark(QImage& image, const ChartMark& mark, double twipsPerPixel)
{
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QPen pen(ToQColor(mark.outline));
    pen.setWidth(LineWeight(image));
    pen.setCosmetic(true);
    painter.setPen(pen);
    painter.setBrush(mark.fill ? QBrush(ToQColor(*mark.fill)) : QBrush(Qt::NoBrush));
    painter.drawEllipse(QPointF(mark.x / twipsPerPixel, mark.y / twipsPerPixel),
                        mark.radius / twipsPerPixel, mark.radius / twipsPerPixel);
}

ChartSurface::ChartSurface(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    FitImage();
}

double ChartSurface::TwipsPerPx() const
{
    return TwipsPerPixel(this);
}

float ChartSurface::WidthTwips() const
{
    return static_cast<float>(width() * TwipsPerPx());
}

float ChartSurface::HeightTwips() const
{
    return static_cast<float>(height() * TwipsPerPx());
}

void ChartSurface::SetGeometryTwips(float left, float top, float width, float height)
{
    setGeometry(ToPixels(left, top, width, height, TwipsPerPx()));
}

void ChartSurface::FitImage()
{
    const qreal ratio = devicePixelRatioF();
    const QSize devicePixels = (QSizeF(size()) * ratio).toSize().expandedTo(QSize(1, 1));
    if (m_image.size() == devicePixels && m_image.devicePixelRatio() == ratio) {
        return;
    }
    QImage image(devicePixels, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    if (!m_image.isNull()) {
        QPainter painter(&image);
        painter.drawImage(QPointF(0, 0), m_image);
    }
    m_image = std::move(image);
    // Painted when the widget is next painted, unless a newly placed layer comes first: a
    // resize places the layer anew right after, and it is painted once.
    m_layerStale = true;
}

void ChartSurface::SetLayer(PlacedLayer layer)
{
    // Every redraw of the chart places the layer again; mostly nothing in it has moved.
    if (layer == m_layer) {
        return;
    }
    m_layer = std::move(layer);
    RenderLayer();
    update();
}

void ChartSurface::RenderLayer()
{
    m_layerStale = false;
    if (m_layer.IsEmpty()) {
        m_layerImage = QImage();
        return;
    }
    if (m_layerImage.size() != m_image.size()) {
        m_layerImage = QImage(m_image.size(), QImage::Format_ARGB32_Premultiplied);
        m_layerImage.fill(Qt::transparent);
    } else {
        // Only what the last painting covered needs clearing: a design is mostly a small
        // part of the chart.
        ClearPixels(m_layerImage, m_layerBounds);
    }
    m_layerImage.setDevicePixelRatio(m_image.devicePixelRatio());
    m_layerBounds = PaintLayerOnImage(m_layerImage, m_layer, TwipsPerPx(), m_layerTexts);
}

void ChartSurface::Clear()
{
    FitImage();
    m_image.fill(Qt::white);
    m_drawnSegments.clear();
    m_marks.clear();
    m_underlay = {};
    update();
}

void ChartSurface::DrawUnderlay(ChartUnderlay underlay)
{
    // The underlay goes beneath what is already drawn: the picture is painted again from
    // white, the underlay first, then the lines and the marks kept as data.
    FitImage();
    m_image.fill(Qt::white);
    m_underlay = std::move(underlay);
    {
        QPainter painter(&m_image);
        painter.setRenderHint(QPainter::Antialiasing);
        const double tpp = TwipsPerPx();
        painter.scale(1.0 / tpp, 1.0 / tpp);  // logical pixels; the image's ratio does the rest
        PaintUnderlay(painter, m_underlay, QRectF(0, 0, WidthTwips(), HeightTwips()), tpp);
    }
    DrawChartLines(m_image, m_drawnSegments, TwipsPerPx());
    for (const ChartMark& mark : m_marks) {
        DrawChartMark(m_image, mark, TwipsPerPx());
    }
    update();
}

void ChartSurface::DrawLine(float x1, float y1, float x2, float y2, Rgb color)
{
    FitImage();
    const double scale = m_image.devicePixelRatio() / TwipsPerPx();
    DrawHairline(CanvasOf(m_image), x1 * scale, y1 * scale, x2 * scale, y2 * scale, color,
                 LineWeight(m_image));
    update();
}

void ChartSurface::DrawSegments(const std::vector<ChartSegment>& segments)
{
    FitImage();
    DrawChartLines(m_image, segments, TwipsPerPx());
    m_drawnSegments.insert(m_drawnSegments.end(), segments.begin(), segments.end());
    update();
}

void ChartSurface::DrawCircle(float x, float y, float radius, Rgb outline)
{
    FitImage();
    const ChartMark mark{
        x, y, radius, outline,
        m_fillStyle == FillStyle::Solid ? std::optional(kFillColor) : std::nullopt};
    DrawChartMark(m_image, mark, TwipsPerPx());
    m_marks.push_back(mark);
    update();
}

void ChartSurface::paintEvent(QPaintEvent* event)
{
    FitImage();
    QPainter painter(this);
    const QRectF source(QPointF(event->rect().topLeft()) * m_image.devicePixelRatio(),
                        QSizeF(event->rect().size()) * m_image.devicePixelRatio());
    painter.drawImage(event->rect(), m_image, source);
    if (m_layerStale) {
        RenderLayer();
    }
    if (!m_layerImage.isNull()) {
        // The layer's image is clear beyond what it covers.
        const qreal ratio = m_layerImage.devicePixelRatio();
        const QRect covered = source.toAlignedRect() & m_layerBounds;
        if (!covered.isEmpty()) {
            const QRectF target(QPointF(covered.topLeft()) / ratio, QSizeF(covered.size()) / ratio);
            painter.drawImage(target, m_layerImage, covered);
        }
    }
}

void ChartSurface::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    FitImage();
}

void ChartSurface::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF position = event->position();
    // Without a button held, movement over the readout panel or a scale label belongs to
    // that control, not to the chart; while dragging from the chart every position counts.
    if (event->buttons() == Qt::NoButton && childAt(position.toPoint()) != nullptr) {
        event->ignore();
        return;
    }
    const double tpp = TwipsPerPx();
    emit MouseMoved(event->buttons(), event->modifiers(), static_cast<float>(position.x() * tpp),
                    static_cast<float>(position.y() * tpp));
}

}  // namespace hygrova
