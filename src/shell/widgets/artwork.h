#pragma once

#include <QIcon>
#include <QPixmap>

class QPainter;

namespace hygrova {

// Draws the program icon, a small h-d chart, into the square (0, 0, side, side) of the
// painter. The window icon and the icon files installed with the program are drawn by it.
void PaintProgramIcon(QPainter& painter, qreal side);

// The program icon, a 48 x 48 picture of a small h-d chart, drawn at the sizes a window
// manager asks for.
QIcon ProgramIcon();

// The decorative vertical title picture of the main window (71 x 318 device-independent
// pixels, drawn for the given device pixel ratio and shown stretched).
QPixmap TitlePicture(qreal devicePixelRatio);

}  // namespace hygrova
