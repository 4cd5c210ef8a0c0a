#pragma once

#include <QPointer>
#include <QWidget>

namespace hygrova {

// Shows a window that may be hidden or behind others and brings it to the front.
inline void ShowAndRaise(QWidget& window)
{
    window.show();
    window.raise();
    window.activateWindow();
}

// Unloads a window if it exists: its close handler runs, then it is destroyed. Unloading a
// window that is not open has no effect.
template <typename Window>
void Unload(QPointer<Window>& window)
{
    if (window) {
        window->close();
        delete window.data();
    }
}

}  // namespace hygrova
