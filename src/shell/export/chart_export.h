#pragma once

#include "shell/export/chart_sheet.h"

#include <memory>
#include <optional>

#include <QByteArray>
#include <QImage>
#include <QString>

class QMimeData;
class QPrinter;

namespace hygrova {

// The file formats the chart is saved in; a file's suffix chooses one.
enum class ChartFormat { Png, Svg, Pdf };

// The format a file name's suffix stands for (.png, .svg, .pdf, any case); empty for others.
std::optional<ChartFormat> ChartFormatOfName(const QString& fileName);

// The chart as an image at `scale` image pixels per screen pixel (a screen pixel being a
// device-independent pixel, so the sizes are the same on every pixel ratio). The picture is
// drawn as the screen draws it (PictureImage): at the screen's pixel ratio it is the retained
// image pixel for pixel. The image's physical resolution is the screen's logical one times
// the scale, so that it prints at the size the chart has on the screen.
QImage ChartImage(const ChartSheet& sheet, double scale);

// The size of ChartImage(sheet, scale), pixels.
QSize ChartImageSize(const ChartSheet& sheet, double scale);

// The PNG file of ChartImage(sheet, scale).
QByteArray ChartPng(const ChartSheet& sheet, double scale);

// The chart as vectors: every line a segment in its color, the texts as text in their fonts,
// the marks as discs. The SVG's units are twips; the PDF's page is the sheet's size.
QByteArray ChartSvg(const ChartSheet& sheet);
QByteArray ChartPdf(const ChartSheet& sheet);

// Writes the chart into the file in the format its suffix names, a PNG at `pngScale` image
// pixels per screen pixel. The file appears whole or not at all. Returns the text of the
// warning to show when it fails, empty on success: it names the file and the reason, in
// Chinese (a missing folder, a read-only disk, no permission, a full disk).
QString SaveChart(const QString& fileName, const ChartSheet& sheet, double pngScale);

// The clipboard's contents for the chart: the image at the screen's pixel ratio, and the SVG
// alongside (image/svg+xml) for programs that paste vectors.
std::unique_ptr<QMimeData> ChartMimeData(const ChartSheet& sheet);

// Sets the printer to the chart's defaults: A4, landscape.
void SetChartPrinterDefaults(QPrinter& printer);

// Prints the chart on one page, scaled to the printable area and centred.
void PrintChart(QPrinter& printer, const ChartSheet& sheet);

}  // namespace hygrova
