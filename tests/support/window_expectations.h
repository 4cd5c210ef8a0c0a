#pragma once

// Expectations that several window tests share.

#include "common/app_state.h"

#include <cstdlib>

#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>
#include <QScreen>
#include <QWidget>

#include <gtest/gtest.h>

namespace hygrova::test {

// The pressure, colors and spacings the program starts with.
inline void ExpectStartSettings(const AppState& state)
{
    EXPECT_FLOAT_EQ(state.AtmosphericPressure, 1013.25f);
    EXPECT_EQ(state.IsothermColor, 7);
    EXPECT_EQ(state.EnthalpyLineColor, 2);
    EXPECT_EQ(state.MoistureLineColor, 0);
    EXPECT_EQ(state.RhLineColor, 9);
    EXPECT_EQ(state.IsothermSpacing, 1);
    EXPECT_EQ(state.EnthalpyLineSpacing, 1);
    EXPECT_EQ(state.MoistureLineSpacing, 1);
}

// The window centred on the primary screen, up to the window frame, which only the window
// system knows.
inline void ExpectCentredOnScreen(const QWidget& window)
{
    const QPoint offCentre = window.frameGeometry().center() -
                             QGuiApplication::primaryScreen()->availableGeometry().center();
    EXPECT_LE(std::abs(offCentre.x()), 4);
    EXPECT_LE(std::abs(offCentre.y()), 4);
}

// Whether the box shows its text whole: the same picture scrolled to the text's start as to its
// end, or, for a text too long for the smallest font, the whole text as the box's tooltip.
inline testing::AssertionResult ShowsWhole(QLineEdit* box)
{
    const int cursor = box->cursorPosition();
    box->setCursorPosition(0);
    const QImage start = box->grab().toImage();
    box->end(false);
    const bool unscrolled = box->grab().toImage() == start;
    box->setCursorPosition(cursor);
    if (unscrolled || box->toolTip() == box->text()) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure()
           << box->objectName().toStdString() << ": \"" << box->text().toStdString()
           << "\" scrolls at " << box->font().pointSizeF() << " pt, without a tooltip";
}

}  // namespace hygrova::test
