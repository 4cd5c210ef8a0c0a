// Hygrova: the enthalpy-moisture content (h-d) chart of moist air.

#include "shell/windows/form1_main_window.h"
#include "shell/platform/qt_translations.h"
#include "shell/windows/project_workspace.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Hygrova"));
    // Wayland desktops find the program's desktop entry, and with it the icon, by this id.
    QApplication::setDesktopFileName(QStringLiteral("org.example.hygrova.Hygrova"));
    hygrova::InstallQtChineseTranslations(app);
    hygrova::Form1 form1;
    form1.show();
    // `hygrova FILE` (a file manager's "open with") opens the project file once the window is
    // up, so that a file that cannot be read has its message shown over the window.
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1) {
        QTimer::singleShot(0, &form1, [&form1, file = arguments.at(1)] {
            form1.Workspace().OpenProjectAt(file);
        });
    }
    return QApplication::exec();
}
