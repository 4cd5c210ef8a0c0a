#pragma once

#include "chart/chart_drawing.h"
#include "chart/sheet_geometry.h"
#include "shell/widgets/layer_drawing.h"
#include "shell/widgets/chart_underlay.h"

#include <vector>

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainterPath>
#include <QRectF>
#include <QString>
#include <QTransform>

class QGroupBox;
class QLabel;
class QPainter;
class QWidget;

namespace hygrova {

class ChartSurface;

// The widgets that show the chart on screen, which a sheet is taken from.
struct ChartWidgets {
    const QWidget* area = nullptr;          // holds the picture and the labels beside it
    const ChartSurface* picture = nullptr;  // the chart picture, in `area`
    std::vector<const QLabel*> besideLabels;  // scale labels in `area`, which the picture covers
    std::vector<const QLabel*> onLabels;      // scale labels on the picture
    const QGroupBox* pressureFrame = nullptr;  // on the picture; its caption names the pressure
};

// A text of the chart sheet: a scale label, one character of the vertical temperature
// title, or the pressure caption.
struct SheetText {
    QString text;
    QFont font;  // sized in twips (as its pixel size), so that it scales with the sheet
    QColor color;
    QRectF rect;         // twips in the sheet
    int flags = 0;       // Qt::AlignmentFlag
    bool boxed = false;  // drawn on a white box, as the relative-humidity labels are
    // Where the screen shows the label when the picture or a control covers part of it,
    // twips in the sheet; empty when the label shows whole.
    QPainterPath visiblePart;
};

// The chart as it leaves the window: the picture with its lines and marks, the scale labels
// around and on it, and the pressure caption, all in twips on a sheet whose origin is its
// top-left corner. Built from what the main window shows, so every output shows what the
// screen shows: a label the screen hides stays out, one it cuts off is cut off the same way;
// the readout boxes and the buttons stay behind.
struct ChartSheet {
    QString title;      // the chart's title (ChartTitle)
    double width = 0;   // twips
    double height = 0;  // twips
    QRectF picture;     // the chart picture, twips in the sheet
    // One pixel of the screen, twips: the width of every line and of a mark's outline.
    double pixelTwips = 15;
    std::vector<ChartSegment> segments;  // the display list cut to the picture, picture twips
    std::vector<ChartMark> marks;        // picture twips
    ChartUnderlay underlay;              // under the lines, picture twips
    std::vector<SheetText> besideTexts;  // labels beside the picture, which it covers
    std::vector<SheetText> onTexts;      // labels on the picture and the pressure caption
    QImage retained;                     // the picture's retained image, as on screen
    PlacedLayer layer;                   // the project's layer over the picture, picture twips
};

// The chart's title, which names its files and documents: "焓湿图 <pressure> Pa".
// pressureHpa: hPa.
QString ChartTitle(float pressureHpa);

// The chart sheet of the chart as it is on screen now.
ChartSheet CaptureChartSheet(const ChartWidgets& chart);

// The one conversion from sheet twips to output units: x' = scale * x + left, likewise y.
QTransform SheetToOutput(const SheetPlacement& placement);

// Paints the sheet at the placement: the labels beside the picture, the white picture with
// the lines in their order and the marks, the project's layer, then the labels on it and the
// caption. A given
// `picture` image stands in for the white picture, its lines and its marks, pixel for pixel
// (the placement must then map one of its pixels to one output pixel).
void PaintChartSheet(QPainter& painter, const ChartSheet& sheet, const SheetPlacement& placement,
                     const QImage* picture = nullptr);

// The picture drawn as the screen draws it, at `scale` image pixels per screen pixel: lines
// traced one screen pixel wide into the pixels, marks antialiased. At the screen's own pixel
// ratio it is the picture's retained image.
QImage PictureImage(const ChartSheet& sheet, double scale);

}  // namespace hygrova
