#pragma once

class QWidget;

namespace hygrova {

// Gives the window an empty title where the window system shows one. Qt puts the program's
// name into the title of a window whose title is empty, on X11 too; this writes the X
// window's title properties empty after Qt has set them. Creates the native window if it
// does not exist yet; call before the window is shown, with its own title empty. Does
// nothing on other platforms, which show an empty title as it is.
void ShowEmptyTitle(QWidget& window);

}  // namespace hygrova
