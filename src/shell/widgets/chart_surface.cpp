#include "shell/widgets/chart_surface.h"

#include "shell/platform/twips.h"

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

// A pen of the chart lines' weight, in device pixels.
QPen LinePen(Rgb color, int weight)
{
    QPen pen(ToQColor(color));
    pen.setWidth(weight);
    pen.setCosmetic(true);
    return pen;
}

}  // namespace

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
    DrawHairlines(Canvas(), m_drawnSegments, m_image.devicePixelRatio() / TwipsPerPx(),
                  LineWeight());
    QPainter painter(&m_image);
    for (const ChartMark& mark : m_marks) {
        PaintMark(painter, mark);
    }
    update();
}

void ChartSurface::PaintMark(QPainter& painter, const ChartMark& mark) const
{
    const double tpp = TwipsPerPx();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(LinePen(mark.outline, LineWeight()));
    painter.setBrush(mark.fill ? QBrush(ToQColor(*mark.fill)) : QBrush(Qt::NoBrush));
    painter.drawEllipse(QPointF(mark.x / tpp, mark.y / tpp), mark.radius / tpp, mark.radius / tpp);
}

int ChartSurface::LineWeight() const
{
    return std::max(1, static_cast<int>(std::lround(m_image.devicePixelRatio())));
}

PixelCanvas ChartSurface::Canvas()
{
    FitImage();
    return PixelCanvas{reinterpret_cast<std::uint32_t*>(m_image.bits()), m_image.width(),
                       m_image.height(),
                       static_cast<int>(m_image.bytesPerLine() / sizeof(std::uint32_t))};
}

void ChartSurface::DrawLine(float x1, float y1, float x2, float y2, Rgb color)
{
    const PixelCanvas canvas = Canvas();
    const double scale = m_image.devicePixelRatio() / TwipsPerPx();
    DrawHairline(canvas, x1 * scale, y1 * scale, x2 * scale, y2 * scale, color, LineWeight());
    update();
}

void ChartSurface::DrawSegments(const std::vector<ChartSegment>& segments)
{
    // Lines are traced straight into the image, in device pixels.
    const PixelCanvas canvas = Canvas();
    DrawHairlines(canvas, segments, m_image.devicePixelRatio() / TwipsPerPx(), LineWeight());
    m_drawnSegments.insert(m_drawnSegments.end(), segments.begin(), segments.end());
    update();
}

void ChartSurface::DrawCircle(float x, float y, float radius, Rgb outline)
{
    FitImage();
    m_marks.push_back(
        {x, y, radius, outline,
         m_fillStyle == FillStyle::Solid ? std::optional(kFillColor) : std::nullopt});
    QPainter painter(&m_image);
    PaintMark(painter, m_marks.back());
    update();
}

void ChartSurface::paintEvent(QPaintEvent* event)
{
    FitImage();
    QPainter painter(this);
    painter.drawImage(event->rect(), m_image,
                      QRectF(QPointF(event->rect().topLeft()) * m_image.devicePixelRatio(),
                             QSizeF(event->rect().size()) * m_image.devicePixelRatio()));
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
