#pragma once

#include "shell/platform/skin_engine.h"

#include <QWidget>

class QFrame;
class QLabel;
class QPushButton;

namespace hygrova {

// Form4: the About window: the program's name, version, authors and three notes on its use.
// The main window is disabled while it is open; closing it, by "确定" or by the close box,
// enables the main window again and destroys the window, so every opening starts anew.
class Form4 : public QWidget {
    Q_OBJECT

public:
    // Creates and loads the window for the main window, centred on the screen, not yet shown.
    explicit Form4(QWidget& main);

    QLabel* Picture1 = nullptr;       // the program icon, 48 x 48
    QLabel* Label1 = nullptr;         // "Hygrova"
    QLabel* Label2 = nullptr;         // "版本: 1.0"
    QLabel* Label3 = nullptr;         // the authors and the project page, two lines
    QFrame* Line2 = nullptr;          // gray half of the separator
    QFrame* Line1 = nullptr;          // white half of the separator, one pixel below
    QLabel* Label4 = nullptr;         // "注意事项："
    QLabel* Label5 = nullptr;         // "1.本软件所查询数据结果仅供参考，..."
    QLabel* Label6 = nullptr;         // "2.本软件旨在学习交流之用，..."
    QLabel* Label7 = nullptr;         // "3.若有任何问题或建议，欢迎与作者联系。"
    QPushButton* Command1 = nullptr;  // "确定"
    SkinEngine BSE1;

public slots:
    void Command1_Click();  // "确定"

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();
    void Form_Unload();

    void CreateControls();

    // The main window, which waits for this window disabled.
    QWidget& m_main;
};

}  // namespace hygrova
