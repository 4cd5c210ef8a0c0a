#pragma once

#include "shell/platform/screen_centring.h"
#include "shell/platform/twips.h"
#include "shell/platform/window_state.h"

#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace hygrova {

// Centres the window's outer frame, title bar included, on the primary screen's available
// area, also where the window manager tells its frame only once it has drawn it. The window
// must have its final size.
inline void CentreOnScreen(QWidget& window)
{
    new FrameCentring(window);
}

// Puts the window's client area (not its frame) at the given screen position, with the given
// size, all in twips.
inline void PlaceClientAt(QWidget& window, double left, double top, double width, double height)
{
    window.setGeometry(ToPixels(left, top, width, height, TwipsPerPixel(&window)));
}

// Brings a minimized window back, also where only the window manager knows it minimized.
inline void Unminimize(QWidget& window)
{
    RestoreMinimized(window);
}

// Shows a window that may be hidden, minimized or behind others and puts it above them,
// leaving the activation where it is: a window that appears anew does not take the keyboard.
inline void ShowAbove(QWidget& window)
{
    Unminimize(window);
    const bool quiet = window.testAttribute(Qt::WA_ShowWithoutActivating);
    window.setAttribute(Qt::WA_ShowWithoutActivating);
    window.show();
    window.setAttribute(Qt::WA_ShowWithoutActivating, quiet);
    window.raise();
}

// Shows a window that may be hidden, minimized or behind others, brings it to the front and
// makes it the active window.
inline void ShowAndRaise(QWidget& window)
{
    Unminimize(window);
    window.show();
    window.raise();
    window.activateWindow();
}

// Hides a window that stays loaded so that its next showing gives the keyboard to the control
// a new window gives it to, the first of its tab order, rather than to the control that had
// it: often the button that hid it, which the space bar would then press again.
inline void HideForNextShowing(QWidget& window)
{
    for (QWidget* w = window.nextInFocusChain(); w != &window; w = w->nextInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(&window)) {
            w->setFocus(Qt::TabFocusReason);
            break;
        }
    }
    window.hide();
}

// Keeps a window above the window it belongs to: the window manager stacks it over its owner
// and raises it with the owner, so that a click on the owner does not bury it. Nothing else
// of the owner's is shared. The window must be a dialog (Qt::Dialog): Qt tells an X11 window
// manager the owner of dialogs only.
inline void KeepAboveOwner(QWidget& window, QWidget& owner)
{
    window.winId();
    owner.winId();
    window.windowHandle()->setTransientParent(owner.windowHandle());
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
