#pragma once

#include <QString>

class QPrinter;
class QWidget;

namespace hygrova {

struct ChartSheet;

// What the save dialog keeps for the rest of the run, in memory only: the folder and the file
// type the user last chose.
struct ChartFileMemory {
    QString folder;  // empty until the first choice: the user's pictures folder
    int fileType = 0;
};

// The name the save dialog proposes: the chart's title with ".png".
QString DefaultChartFileName(float pressureHpa);

// Saves the chart in a file the user chooses in Qt's own file dialog (the same on every
// desktop, in the program's language): opened in the folder and with the file type last
// chosen (the pictures folder and PNG at first) at the chart's title; the file types are PNG
// at the chart's size on the screen, twice and four times that, each with its size in
// pixels, SVG and PDF. Where the file cannot be written, the warning box says why and the
// dialog opens again at the same name, until the chart is saved or the user cancels. Neither
// the dialog nor Qt keeps settings of its own in a file.
void SaveChartAsked(QWidget* parent, const ChartSheet& sheet, ChartFileMemory& memory);

// The print preview of the chart on the printer's page, at a size that shows it readably;
// its print button opens the print dialog.
void PreviewAndPrintChart(QWidget* parent, QPrinter& printer, const ChartSheet& sheet);

}  // namespace hygrova
