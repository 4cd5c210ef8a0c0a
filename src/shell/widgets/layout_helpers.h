#pragma once

// Module2: helpers that work on a whole window.

class QWidget;

namespace hygrova {

struct AppState;

// Puts the window into the topmost band, above all ordinary windows; its position and size
// stay as they are. Lasts as long as the window exists.
void KeepOnTop(QWidget& window);

// Records the inner size of the window in the state's design size (twips, rounded to the
// nearest integer, ties to even) and the design geometry of every control in the control's
// Tag. Controls are the named widgets inside the window's client area, nested ones included;
// menu commands have no geometry and are skipped.
void RecordLayout(QWidget& window, AppState& state);

// Moves and sizes every control in proportion to the change of the window's inner size since
// RecordLayout, always from the recorded geometry, so nothing drifts over many resizes. A
// control whose Tag cannot be read is left alone. Throws ArithmeticFault when no design size
// was recorded (a zero design width or height).
void ScaleLayout(QWidget& window, const AppState& state);

// The name of the dynamic property that holds a control's layout record.
inline constexpr const char* kTagProperty = "Tag";

}  // namespace hygrova
