#include "shell/widgets/warning_box.h"

#include "shell/platform/window_frame.h"
#include "shell/platform/window_state.h"

#include <utility>

#include <QMessageBox>
#include <QPointer>
#include <QString>
#include <QTimer>

namespace hygrova {
namespace {

WarningBoxHandler& Handler()
{
    static WarningBoxHandler handler;
    return handler;
}

}  // namespace

void ShowWarningBox(QWidget* parent, const QString& message)
{
    if (Handler()) {
        Handler()(parent, message);
        return;
    }
    const QPointer<QWidget> owner = parent != nullptr ? parent->window() : nullptr;
    QMessageBox box(QMessageBox::Warning, QString(), message, QMessageBox::Ok, parent);
    // The title is emptied once the box is up: a native window created ahead of the show
    // would not be given the keyboard by the window manager.
    QTimer::singleShot(0, &box, [&box] { ShowEmptyTitle(box); });
    box.exec();
    // When the box goes, the window manager may hand the activation to another window of the
    // program. The window the box spoke for takes it back, so that the keyboard focus the
    // caller then sets lands where the message points.
    if (owner && owner->isVisible()) {
        ActivateWindow(*owner);
    }
}

WarningBoxHandler SetWarningBoxHandler(WarningBoxHandler handler)
{
    return std::exchange(Handler(), std::move(handler));
}

}  // namespace hygrova
