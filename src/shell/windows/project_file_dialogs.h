#pragma once

// The files of the project's windows: the file dialogs that name a project file or a table
// file (Qt's own, in the program's language, above the windows that keep themselves on top),
// and the table of states and operations on the clipboard or in a CSV file.

#include <QString>

class QWidget;

namespace hygrova {

struct ProjectEvaluation;

// A project file's name chosen to save to, ending in ".hygrova"; empty when cancelled.
// `proposed`: the file's present name, or empty for a new project (the documents folder).
QString AskProjectFileToSave(QWidget* parent, const QString& proposed);
// A project file chosen to open; empty when cancelled.
QString AskProjectFileToOpen(QWidget* parent, const QString& folder);

// The table (ProjectTableTsv) on the clipboard, as plain text for a spreadsheet.
void CopyProjectTable(const ProjectEvaluation& evaluation);
// The table as CSV (ProjectTableCsv) in a file the user chooses, written whole or not at
// all; a failure shows the warning box with the reason.
void SaveProjectTableAsked(QWidget* parent, const ProjectEvaluation& evaluation);

}  // namespace hygrova
