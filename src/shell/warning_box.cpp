#include "shell/warning_box.h"

#include "shell/native_title.h"

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
    ShowEmptyTitle(box);
    box.exec();
}

WarningBoxHandler SetWarningBoxHandler(WarningBoxHandler handler)
{
    return std::exchange(Handler(), std::move(handler));
}

}  // namespace hygrova
