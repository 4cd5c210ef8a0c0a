#include "shell/widgets/layout_helpers.h"

#include "common/app_state.h"
#include "common/layout_tag.h"
#include "model/checked_math.h"
#include "shell/platform/twips.h"

#include <QMainWindow>
#include <QVariant>
#include <QWidget>

namespace hygrova {
namespace {

// The window's client area: the central widget of a main window (below its menu bar), the
// window itself otherwise.
QWidget& ClientArea(QWidget& window)
{
    if (auto* main = qobject_cast<QMainWindow*>(&window); main && main->centralWidget()) {
        return *main->centralWidget();
    }
    return window;
}

// The window's controls: every named widget inside the client area. The unnamed widgets
// that composite Qt widgets build for themselves are not controls of the window.
QList<QWidget*> Controls(QWidget& window)
{
    QList<QWidget*> controls;
    for (QWidget* child : ClientArea(window).findChildren<QWidget*>()) {
        const QString name = child->objectName();
        if (!name.isEmpty() && !name.startsWith(QLatin1String("qt_"))) {
            controls.append(child);
        }
    }
    return controls;
}

}  // namespace

void KeepOnTop(QWidget& window)
{
    const bool wasVisible = window.isVisible();
    const QRect geometry = window.geometry();
    window.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    if (wasVisible) {
        // Changing a window flag hides a visible window; bring it back where it was.
        window.setGeometry(geometry);
        window.show();
    }
}

void RecordLayout(QWidget& window, AppState& state)
{
    const QWidget& client = ClientArea(window);
    const double tpp = TwipsPerPixel(&window);
    state.DesignScaleWidth = static_cast<std::int32_t>(RoundHalfEven(client.width() * tpp));
    state.DesignScaleHeight = static_cast<std::int32_t>(RoundHalfEven(client.height() * tpp));
    for (QWidget* control : Controls(window)) {
        const QRectF g = GeometryInTwips(*control);
        const std::string tag = FormatLayoutTag({g.x(), g.y(), g.width(), g.height()});
        control->setProperty(kTagProperty, QString::fromStdString(tag));
    }
}

void ScaleLayout(QWidget& window, const AppState& state)
{
    const QWidget& client = ClientArea(window);
    const double tpp = TwipsPerPixel(&window);
    const auto innerWidth = static_cast<float>(client.width() * tpp);
    const auto innerHeight = static_cast<float>(client.height() * tpp);
    const double sx = Divide(innerWidth, state.DesignScaleWidth);
    const double sy = Divide(innerHeight, state.DesignScaleHeight);
    for (QWidget* control : Controls(window)) {
        // A control created after the layout was recorded has no Tag and keeps its place.
        const QVariant tag = control->property(kTagProperty);
        if (!tag.isValid()) {
            continue;
        }
        const auto record = ParseLayoutTag(tag.toString().toStdString());
        if (!record) {
            continue;
        }
        const auto [left, top, width, height] = *record;
        control->setGeometry(ToPixels(sx * left, sy * top, sx * width, sy * height, tpp));
    }
}

}  // namespace hygrova
