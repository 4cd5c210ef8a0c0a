#pragma once

#include <functional>

class QString;
class QWidget;

namespace hygrova {

// Every input-error message and fault description of the program goes through this one
// function: a modal message box with the exclamation icon, a single OK button and an empty
// title. Tests replace the box with a recorder so that nothing blocks.
void ShowWarningBox(QWidget* parent, const QString& message);

using WarningBoxHandler = std::function<void(QWidget* parent, const QString& message)>;

// Replaces the message box (an empty handler restores it); returns the previous handler.
WarningBoxHandler SetWarningBoxHandler(WarningBoxHandler handler);

}  // namespace hygrova
