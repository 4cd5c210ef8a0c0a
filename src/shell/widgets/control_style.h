#pragma once

#include <QColor>
#include <QFont>

class QGroupBox;
class QWidget;

namespace hygrova {

// Colors the windows share.
inline const QColor kFormBackground(192, 192, 255);  // light blue of the windows
inline const QColor kBoxBackground(255, 255, 192);   // pale yellow of the value boxes
inline const QColor kBlack(0, 0, 0);
inline const QColor kBlue(0, 0, 255);
inline const QColor kGreen(0, 128, 0);
inline const QColor kRed(255, 0, 0);
inline const QColor kWhite(255, 255, 255);

// The color of a control's caption or text.
void SetTextColor(QWidget* control, const QColor& color);

// A filled background; controls inside keep their own boxes' colors.
void SetBackground(QWidget* control, const QColor& color);

// Text and background of an entry or value box.
void SetBoxColors(QWidget* box, const QColor& text, const QColor& background);

// Text and background of an entry box while it is disabled.
void SetDisabledBoxColors(QWidget* box, const QColor& text, const QColor& background);

// Draws the frame's border as a plain line, so that the frame shows exactly its own
// background color: the platform style tints the inside of a group box.
void UsePlainFrame(QGroupBox* frame);

// 宋体 at the given size. 宋体 is a Ming (serif) face; where it is not installed, an installed
// Ming face of the same kind stands in.
QFont SongtiFont(qreal pointSize, bool italic = false);

// Lowers the control's font in half-point steps, not below 6 pt, until its caption fits the
// control (wrapped, for a label that wraps). The designed geometry stays; only installed
// fonts wider than the design's make this necessary.
void FitFontToControl(QWidget* control);

}  // namespace hygrova
