#pragma once

// What the window tests do as the user does, and what they count of the windows.

#include <QApplication>
#include <QCheckBox>
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
