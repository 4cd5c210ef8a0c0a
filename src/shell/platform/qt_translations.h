#pragma once

class QCoreApplication;

namespace hygrova {

// Loads Qt's own Chinese texts (Simplified Chinese, qtbase_zh_CN from Qt's translations
// folder), so that the standard dialogs and menus Qt supplies speak the program's language:
// the warning box's "确定", the entry boxes' right-click menu, file and print dialogs. The
// program's interface is Chinese whatever the system's language, so they are loaded always.
// Returns false when the translations are not installed; Qt's English texts stay then.
bool InstallQtChineseTranslations(QCoreApplication& application);

}  // namespace hygrova
