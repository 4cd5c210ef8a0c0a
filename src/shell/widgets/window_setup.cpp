#include "shell/widgets/window_setup.h"

#include "shell/platform/twips.h"
#include "shell/widgets/control_style.h"

#include <QPushButton>
#include <QWidget>

namespace hygrova {

void SetUpToolWindow(QWidget& window, const QString& caption, double left, double top, double width,
                     double height)
{
    window.setAttribute(Qt::WA_DeleteOnClose);
    window.setWindowTitle(caption);
    window.setFixedSize(ToPixels(left, top, width, height, TwipsPerPixel(&window)).size());
    SetBackground(&window, kFormBackground);
}

void SetUpOwnedDialog(QWidget& dialog, const QWidget& owner, const QString& name,
                      const QString& caption, double width, double height)
{
    dialog.setAttribute(Qt::WA_DeleteOnClose);
    dialog.setObjectName(name);
    dialog.setWindowTitle(caption);
    dialog.setWindowIcon(owner.windowIcon());
    const double tpp = TwipsPerPixel(&dialog);
    dialog.setFixedSize(ToPixels(width, tpp), ToPixels(height, tpp));
}

std::vector<QPushButton*> AddButtons(QWidget* parent, std::initializer_list<const char*> captions,
                                     const QRectF& first, QPointF step)
{
    const double tpp = TwipsPerPixel(parent);
    std::vector<QPushButton*> buttons;
    QRectF place = first;
    for (const char* caption : captions) {
        auto* button = new QPushButton(QString::fromUtf8(caption), parent);
        button->setObjectName(QStringLiteral("Command%1").arg(buttons.size() + 1));
        button->setGeometry(ToPixels(place.x(), place.y(), place.width(), place.height(), tpp));
        button->setAutoDefault(false);
        buttons.push_back(button);
        place.translate(step);
    }
    return buttons;
}

}  // namespace hygrova
