#pragma once

// The project's layer on the chart picture: the overlay of an evaluated project (marks with
// their labels, arrows of processes and lines of given heat-moisture ratio, mixing lines)
// placed with the chart mapping, and painted the same way on the screen and in every export.

#include "project/project_overlay.h"

#include <vector>

#include <QString>

class QPainter;

namespace hygrova {

// The overlay placed on the picture, twips of the picture.
struct PlacedLayer {
    struct Mark {
        float x = 0;
        float y = 0;
        QString label;
        bool supersaturated = false;
    };
    struct Line {
        float x1 = 0;
        float y1 = 0;
        float x2 = 0;
        float y2 = 0;
        OverlayLineKind kind = OverlayLineKind::Process;
        bool arrowHead = true;
        QString label;
    };
    std::vector<Mark> marks;
    std::vector<Line> lines;
    // One screen pixel, twips: the unit of the layer's pen widths, mark sizes and fonts.
    double pixelTwips = 15;
    bool IsEmpty() const { return marks.empty() && lines.empty(); }
};

// Places the overlay with the chart mapping: unit, twips per g/kg (ChartUnit, 0 before the
// chart is drawn: nothing is placed); pictureHeightTwips: the picture's height. A state whose
// place overflows single precision is left out, as "描点" leaves it out.
PlacedLayer PlaceLayer(const ChartOverlay& overlay, float unit, float pictureHeightTwips,
                       double pixelTwips);

// Paints the layer with the painter mapping picture twips to its device: lines first, then
// the marks, then the labels, so that no line covers a label.
void PaintLayer(QPainter& painter, const PlacedLayer& layer);

}  // namespace hygrova
