#pragma once

// The project's layer on the chart picture: the overlay of an evaluated project (marks with
// their labels, arrows of processes and lines of given heat-moisture ratio, mixing lines)
// placed with the chart mapping, and painted the same way on the screen and in every export.

#include "project/project_overlay.h"

#include <vector>

#include <QFont>
#include <QGlyphRun>
#include <QHash>
#include <QList>
#include <QRect>
#include <QString>

class QImage;
class QPainter;

namespace hygrova {

// The overlay placed on the picture, twips of the picture.
struct PlacedLayer {
    struct Mark {
        float x = 0;
        float y = 0;
        QString label;
        bool supersaturated = false;
        bool operator==(const Mark&) const = default;
    };
    struct Line {
        float x1 = 0;
        float y1 = 0;
        float x2 = 0;
        float y2 = 0;
        OverlayLineKind kind = OverlayLineKind::Process;
        bool arrowHead = true;
        QString label;
        bool operator==(const Line&) const = default;
    };
    std::vector<Mark> marks;
    std::vector<Line> lines;
    // One screen pixel, twips: the unit of the layer's pen widths, mark sizes and fonts.
    double pixelTwips = 15;
    bool IsEmpty() const { return marks.empty() && lines.empty(); }
    bool operator==(const PlacedLayer&) const = default;
};

// The layer's labels shaped once, for painting them again and again on a raster device (the
// screen): shaping a text costs more than drawing its glyphs, and the labels rarely change.
class LayerTextCache {
public:
    // The glyphs of a single-line text in a font, placed from the left end of its baseline
    // as QPainter::drawText places them.
    const QList<QGlyphRun>& Glyphs(const QString& text, const QFont& font);

private:
    struct FontTexts {
        QFont font;
        QHash<QString, QList<QGlyphRun>> texts;
    };
    std::vector<FontTexts> m_fonts;
};

// Places the overlay with the chart mapping: unit, twips per g/kg (ChartUnit, 0 before the
// chart is drawn: nothing is placed); pictureHeightTwips: the picture's height. A state whose
// place overflows single precision is left out, as "描点" leaves it out.
PlacedLayer PlaceLayer(const ChartOverlay& overlay, float unit, float pictureHeightTwips,
                       double pixelTwips);

// Paints the layer with the painter mapping picture twips to its device: lines first, then
// the marks, then the labels, so that no line covers a label. For every output: the exports
// (copy, PNG, SVG, PDF, print) draw with it.
void PaintLayer(QPainter& painter, const PlacedLayer& layer);

// The labels alone, as PaintLayer draws them last. With a cache, a raster painter at pixel
// ratio 1 draws the labels shaped there, to the same pixels; other outputs always get the
// labels as text.
void PaintLayerLabels(QPainter& painter, const PlacedLayer& layer, LayerTextCache* texts = nullptr);

// The screen's layer: PaintLayer's shapes laid straight into the pixels of an image of
// Format_ARGB32_Premultiplied (see coverage_raster.h), then the labels from the cache.
// twipsPerPixel: twips per logical pixel of the image. Returns the part of the image it may
// have painted, device pixels.
QRect PaintLayerOnImage(QImage& image, const PlacedLayer& layer, double twipsPerPixel,
                        LayerTextCache& texts);

}  // namespace hygrova
