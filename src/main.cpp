// Hygrova: the enthalpy-moisture content (h-d) chart of moist air.

#include "shell/windows/form1_main_window.h"
#include "shell/platform/qt_translations.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Hygrova"));
    // Wayland desktops find the program's desktop entry, and with it the icon, by this id.
    QApplication::setDesktopFileName(QStringLiteral("org.example.hygrova.Hygrova"));
    hygrova::InstallQtChineseTranslations(app);
    hygrova::Form1 form1;
    form1.show();
    return QApplication::exec();
}
