#include "shell/platform/twips.h"

#include <cmath>

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace hygrova {

namespace {
constexpr double kTwipsPerInch = 1440.0;
}

double TwipsPerPixel(const QWidget* widget)
{
    const QScreen* screen = widget != nullptr ? widget->screen() : nullptr;
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    const double dpi = screen != nullptr ? screen->logicalDotsPerInch() : 96.0;
    return kTwipsPerInch / (dpi > 0.0 ? dpi : 96.0);
}

int ToPixels(double twips, double twipsPerPixel)
{
    return static_cast<int>(std::round(twips / twipsPerPixel));
}

QRect ToPixels(double left, double top, double width, double height, double twipsPerPixel)
{
    return QRect(ToPixels(left, twipsPerPixel), ToPixels(top, twipsPerPixel),
                 ToPixels(width, twipsPerPixel), ToPixels(height, twipsPerPixel));
}

QRectF GeometryInTwips(const QWidget& widget)
{
    const double tpp = TwipsPerPixel(&widget);
    const QRect g = widget.geometry();
    return QRectF(g.x() * tpp, g.y() * tpp, g.width() * tpp, g.height() * tpp);
}

}  // namespace hygrova
