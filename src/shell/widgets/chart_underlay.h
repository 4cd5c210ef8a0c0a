#pragma once

// What lies under the chart's lines and marks: the measured readings as density cells or
// dots, the outlines of the zones and the layer's legend. Kept as data in picture twips, like
// the display list, so that the screen and every export paint the same thing.

#include <vector>

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QString>

class QPainter;

namespace hygrova {

// The legend's lower edge, as a share of the picture's height: the main window's readout
// panel covers the picture below about 0.75 of it.
inline constexpr double kLegendBottom = 0.72;

struct ChartUnderlay {
    struct Outline {
        QPolygonF polygon;  // picture twips, closed
        QString label;      // drawn at its first vertex
    };
    // The density cells as one pixel each (transparent where a cell is empty), scaled up
    // without smoothing onto `densityRect`: one image draws as fast as any rectangle.
    QImage density;
    QRectF densityRect;  // picture twips
    std::vector<QPointF> dots;  // single readings, picture twips
    std::vector<Outline> outlines;
    // The legend's lines, top to bottom; with `scale` set, a color bar from the first to the
    // last color of `scaleColors` follows the first line, its ends labelled by `scaleEnds`.
    std::vector<QString> legend;
    std::vector<QColor> scaleColors;
    QString scaleEnds[2];

    bool IsEmpty() const
    {
        return density.isNull() && dots.empty() && outlines.empty() && legend.empty();
    }
};

// Paints the underlay with `painter` mapped to picture twips; pixelTwips is one screen pixel
// in twips, the unit of line widths, dot sizes and the legend's text. The legend sits in the
// picture's right edge, beyond the saturation curve, where the chart has no lines.
void PaintUnderlay(QPainter& painter, const ChartUnderlay& underlay, const QRectF& pictureTwips,
                   double pixelTwips);

}  // namespace hygrova
