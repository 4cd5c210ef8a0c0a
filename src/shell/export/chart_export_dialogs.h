#pragma once

#include <QString>

class QPrinter;
class QWidget;

namespace hygrova {

struct ChartSheet;

// Where the user chose to save the chart, and the size asked for a PNG, image pixels per
// screen pixel. An empty file name: the user cancelled.
struct ChartFileChoice {
    QString fileName;
    double pngScale = 1;
};

// The name the save dialog proposes: "焓湿图 <pressure> Pa.png". pressureHpa: hPa.
QString DefaultChartFileName(float pressureHpa);

// Asks where to save the chart, in Qt's own file dialog (the same on every desktop, in the
// program's language), opened in the user's pictures folder with the default name; the
// filters offer PNG at the screen's size (`screenScale`, its pixel ratio), twice and four
// times that, SVG and PDF.
ChartFileChoice AskChartFile(QWidget* parent, float pressureHpa, double screenScale);

// The print preview of the chart on the printer's page; its print button opens the print
// dialog.
void PreviewAndPrintChart(QWidget* parent, QPrinter& printer, const ChartSheet& sheet);

}  // namespace hygrova
