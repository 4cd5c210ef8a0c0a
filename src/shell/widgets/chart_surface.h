#pragma once

#include "chart/chart_drawing.h"
#include "chart/line_raster.h"
#include "chart/palette.h"
#include "chart/sheet_geometry.h"
#include "shell/widgets/layer_drawing.h"
#include "shell/widgets/chart_underlay.h"

#include <vector>

#include <QImage>
#include <QWidget>

class QPainter;

namespace hygrova {

// The chart picture's own drawing, into an image with its device pixel ratio set: the display
// list traced straight into the pixels, each line one logical pixel wide (see DrawHairlines),
// and a plotted mark as an antialiased circle with an outline of that width.
// Coordinates in twips of the picture; twipsPerPixel: twips per logical pixel.
void DrawChartLines(QImage& image, const std::vector<ChartSegment>& segments, double twipsPerPixel);
void DrawChartMark(QImage& image, const ChartMark& mark, double twipsPerPixel);

// Picture1: the white chart picture of the main window. What is drawn on it stays in a
// retained image, at the screen's device pixel ratio, until it is cleared; painting the
// widget only copies that image, so the chart and the plotted points survive being covered.
// All coordinates are twips in the picture; lines are clipped to it. The readout panel and
// the scale labels inside the chart are child widgets and sit on top of the image.
class ChartSurface : public QWidget {
    Q_OBJECT

public:
    enum class FillStyle { Transparent, Solid };

    explicit ChartSurface(QWidget* parent = nullptr);

    // Erases everything drawn: lines and plotted points.
    void Clear();
    // One straight segment in the given color, drawn like the chart's lines.
    void DrawLine(float x1, float y1, float x2, float y2, Rgb color);
    // The chart's display list, in order, so that later lines paint over earlier ones.
    void DrawSegments(const std::vector<ChartSegment>& segments);
    // A circle with the given outline; its interior takes the fill color when the fill
    // style is solid.
    void DrawCircle(float x, float y, float radius, Rgb outline);
    void SetFillStyle(FillStyle style) { m_fillStyle = style; }
    // Paints what lies under the chart's lines (measured readings, zones, their legend) and
    // keeps it until the next Clear; the chart's lines are drawn after it.
    void DrawUnderlay(ChartUnderlay underlay);
    const ChartUnderlay& Underlay() const { return m_underlay; }

    float WidthTwips() const;
    float HeightTwips() const;
    // Moves and sizes the picture, in twips of its container.
    void SetGeometryTwips(float left, float top, float width, float height);

    // The retained image (device pixels), for checks of what was drawn.
    const QImage& RetainedImage() const { return m_image; }

    // What is on the picture as data, kept until the next Clear, so that the chart can leave
    // the window as drawn: the display lists drawn, in order, and the plotted marks.
    const std::vector<ChartSegment>& DrawnSegments() const { return m_drawnSegments; }
    const std::vector<ChartMark>& Marks() const { return m_marks; }

    // The project's layer, shown over everything drawn. It is kept apart from the retained
    // image, so that clearing the chart and "描点" leave it alone; an empty layer shows nothing.
    // A layer equal to the one shown changes nothing.
    void SetLayer(PlacedLayer layer);
    const PlacedLayer& Layer() const { return m_layer; }

signals:
    // The pointer moved over the picture (or, with a button held, anywhere while dragging
    // from it); position in twips of the picture.
    void MouseMoved(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, float xTwips,
                    float yTwips);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    // Matches the image to the widget's size and pixel ratio, keeping what was drawn.
    void FitImage();
    double TwipsPerPx() const;
    // Paints the layer into its own transparent image of the retained image's size, kept
    // until the layer or the image's size changes.
    void RenderLayer();

    QImage m_image;
    std::vector<ChartSegment> m_drawnSegments;
    std::vector<ChartMark> m_marks;
    ChartUnderlay m_underlay;
    FillStyle m_fillStyle = FillStyle::Transparent;
    PlacedLayer m_layer;
    QImage m_layerImage;
    QRect m_layerBounds;        // what the layer's painting covered, device pixels
    bool m_layerStale = false;  // the picture was resized since the layer was painted
    LayerTextCache m_layerTexts;
};

}  // namespace hygrova
