#pragma once

// The questions the program asks before it drops or removes a project's work, through one
// replaceable function as the warnings go through ShowWarningBox: tests swap in an answerer
// so that nothing blocks.

#include <functional>

#include <QStringList>

class QString;
class QWidget;

namespace hygrova {

// A modal question with the given buttons, the first the default and the last the one that
// cancels (also when the box is closed). Gives the index of the button pressed.
int AskQuestion(QWidget* parent, const QString& question, const QStringList& buttons);

// The answers to "save the changes?": "保存", "不保存", "取消".
enum class SaveAnswer { Save, Discard, Cancel };
SaveAnswer AskToSave(QWidget* parent, const QString& question);

using QuestionHandler =
    std::function<int(QWidget* parent, const QString& question, const QStringList& buttons)>;

// Replaces the question box (an empty handler restores it); returns the previous handler.
QuestionHandler SetQuestionHandler(QuestionHandler handler);

}  // namespace hygrova
