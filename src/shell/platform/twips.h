#pragma once

#include <QRect>
#include <QRectF>

class QWidget;

namespace hygrova {

// Twips (1/1440 inch) are the unit of every position and size of the program; Qt works in
// device-independent pixels. These helpers convert at the boundary, with the logical DPI of
// the screen the widget is on (15 twips per pixel at 96 DPI). The painter handles the device
// pixel ratio on high-DPI screens.

// Twips per device-independent pixel for the widget's screen (the primary screen if it has none).
double TwipsPerPixel(const QWidget* widget = nullptr);

// Twips to whole pixels, halves away from zero.
int ToPixels(double twips, double twipsPerPixel);

// A rectangle given in twips (left, top, width, height) in whole pixels.
QRect ToPixels(double left, double top, double width, double height, double twipsPerPixel);

// The widget's geometry in twips of its parent (or of the screen for a window).
QRectF GeometryInTwips(const QWidget& widget);

}  // namespace hygrova
