#pragma once

// What every secondary window does as it is made: its frame's setup, and its rows of buttons.

#include <initializer_list>
#include <vector>

#include <QPointF>
#include <QRectF>
#include <Qt>

class QPushButton;
class QString;
class QWidget;

namespace hygrova {

// The frame of the query dialog and the results window: a fixed-size tool window with a small
// caption bar and only a close box.
inline constexpr Qt::WindowFlags kToolWindowFlags =
    Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;

// The frame of the main window's dialogs: a fixed-size dialog with a close box and no
// maximise box. Being dialogs, the window manager keeps them above their owner
// (KeepAboveOwner).
inline constexpr Qt::WindowFlags kOwnedDialogFlags =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
    Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;

// Sets up a tool window (the query dialog, the results window) before its controls are made:
// its title-bar close box destroys it, it carries `caption`, and its client area has the
// fixed size of its design place (twips on the screen; PlaceClientAt puts it there), in the
// windows' light blue.
void SetUpToolWindow(QWidget& window, const QString& caption, double left, double top, double width,
                     double height);

// Sets up a dialog of the main window (the settings dialog, the About window) before its
// controls are made: closing destroys it, it is named `name`, carries `caption` and the
// owner's icon, and its client area has the fixed size width x height twips.
void SetUpOwnedDialog(QWidget& dialog, const QWidget& owner, const QString& name,
                      const QString& caption, double width, double height);

// Buttons named Command1, Command2, ... with these captions, the first at `first` (twips in
// the parent), each next one `step` twips further. None is a default button: Enter in an
// entry box presses none of them.
std::vector<QPushButton*> AddButtons(QWidget* parent, std::initializer_list<const char*> captions,
                                     const QRectF& first, QPointF step);

}  // namespace hygrova
