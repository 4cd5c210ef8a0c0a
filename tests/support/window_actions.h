#pragma once

// What the window tests do as the user does, and what they count of the windows.

#include <QApplication>
#include <QCheckBox>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QWidget>

namespace hygrova::test {

inline void Click(QPushButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

// Clicks a tick box on its indicator, as the user does.
inline void ClickTick(QCheckBox* box)
{
    QStyleOptionButton option;
    option.initFrom(box);
    const QRect indicator =
        box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, indicator.center());
}

// Replaces the text of an entry box as a user does: select all, delete, type. Other than
// ASCII characters (Chinese, full-width digits) arrive the way an input method delivers them,
// as committed text.
inline void Retype(QLineEdit* box, const QString& text)
{
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Delete);
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(box, c.toLatin1());
        } else {
            QInputMethodEvent commit;
            commit.setCommitString(QString(c));
            QCoreApplication::sendEvent(box, &commit);
        }
    }
}

// How many top-level windows of the class exist, shown or hidden.
inline int CountTopLevel(const char* className)
{
    int count = 0;
    for (const QWidget* widget : QApplication::topLevelWidgets()) {
        count += widget->inherits(className) ? 1 : 0;
    }
    return count;
}

}  // namespace hygrova::test
