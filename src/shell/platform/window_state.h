#pragma once

#include <QObject>

class QWidget;

namespace hygrova {

// What the window manager has made of a top-level window, asked of the window system itself.
// Qt's own idea of it can lag behind: it learns a window manager's changes only from the
// events it has handled so far, and it misses a minimize that follows closely on a restore
// the program asked for (it then still takes the window for restored). Without X11, and for
// windows without a native window, these are Qt's own window states.

// Whether the window is minimized (an icon, not on the screen).
bool IsMinimizedBySystem(const QWidget& window);

// Whether the window manager sizes the window itself now: minimized, maximized in either
// direction, or full screen.
bool IsSizedBySystem(const QWidget& window);

// Brings a minimized window back to the screen: through Qt where it knows the window
// minimized, else (under X11) by mapping the window again, which asks the window manager to
// leave the iconic state.
void RestoreMinimized(QWidget& window);

// Makes the window the active one, as Qt's activateWindow() does, and asks the window
// manager once more with the present time: Qt asks with the time of the last event it has
// handled, which xfwm4 hands on to the X server, and the server ignores a focus change older
// than the last one (such as the window manager's own when a message box goes). Should the
// window manager still give another window of the program the focus a moment later, the
// window asks again, once.
void ActivateWindow(QWidget& window);

// Whether a pointer button is held down now, as when the user drags a window's frame.
bool PointerButtonHeld();

// Brings a window that has no minimize box of its own straight back, together with what the
// window manager minimized with it, whenever a window manager minimizes it all the same
// (Openbox and KWin offer to, and Openbox then minimizes the window's owner too). Made a
// child of the window.
class StaysOnScreen : public QObject {
    Q_OBJECT

public:
    explicit StaysOnScreen(QWidget& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& m_window;
};

}  // namespace hygrova
