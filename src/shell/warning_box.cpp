#include "shell/warning_box.h"

#include <utility>

#include <QMessageBox>
#include <QString>

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
    QMessageBox box(QMessageBox::Warning, QString(), message, QMessageBox::Ok, parent);
    box.exec();
}

WarningBoxHandler SetWarningBoxHandler(WarningBoxHandler handler)
{
    return std::exchange(Handler(), std::move(handler));
}

}  // namespace hygrova
