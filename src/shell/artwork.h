#pragma once

#include <QIcon>
#include <QPixmap>

namespace hygrova {

// The program icon, a 48 x 48 picture of a small h-d chart, drawn at the sizes a window
// manager asks for.
QIcon ProgramIcon();

// The decorative vertical title picture of the main window (71 x 318 device-independent
// pixels, drawn for the given device pixel ratio and shown stretched).
QPixmap TitlePicture(qreal devicePixelRatio);

}  // namespace hygrova
