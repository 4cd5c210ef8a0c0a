#include "shell/windows/project_file_dialogs.h"

#include "project/atomic_file.h"
#include "project/project_table.h"
#include "shell/widgets/warning_box.h"

#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QStandardPaths>

namespace hygrova {
namespace {

const QString kProjectFilter = QStringLiteral("Hygrova 项目 (*.hygrova)");
const QString kTableFilter = QStringLiteral("CSV 表格 (*.csv)");

QString DocumentsFolder()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return folder.isEmpty() ? QDir::homePath() : folder;
}

// Qt's own file dialog, above the topmost windows; the chosen file or empty.
QString AskFile(QWidget* parent, const QString& caption, QFileDialog::AcceptMode mode,
                const QString& filter, const QString& proposed)
{
    QFileDialog dialog(parent, caption);
    dialog.setWindowFlag(Qt::WindowStaysOnTopHint);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile
                                                       : QFileDialog::ExistingFile);
    dialog.setNameFilter(filter);
    const QFileInfo place(proposed);
    if (mode == QFileDialog::AcceptSave) {
        dialog.setDefaultSuffix(place.suffix());
        dialog.setDirectory(place.absolutePath());
        dialog.selectFile(place.fileName());
    } else {
        dialog.setDirectory(proposed);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().front();
}

}  // namespace

QString AskProjectFileToSave(QWidget* parent, const QString& proposed)
{
    const QString name = proposed.isEmpty()
                             ? DocumentsFolder() + QStringLiteral("/焓湿图设计.hygrova")
                             : proposed;
    return AskFile(parent, QStringLiteral("保存项目"), QFileDialog::AcceptSave, kProjectFilter,
                   name);
}

QString AskProjectFileToOpen(QWidget* parent, const QString& folder)
{
    return AskFile(parent, QStringLiteral("打开项目"), QFileDialog::AcceptOpen, kProjectFilter,
                   folder.isEmpty() ? DocumentsFolder() : folder);
}

void CopyProjectTable(const ProjectEvaluation& evaluation)
{
    QGuiApplication::clipboard()->setText(QString::fromStdString(ProjectTableTsv(evaluation)));
}

void SaveProjectTableAsked(QWidget* parent, const ProjectEvaluation& evaluation)
{
    const QString path =
        AskFile(parent, QStringLiteral("保存表格"), QFileDialog::AcceptSave, kTableFilter,
                DocumentsFolder() + QStringLiteral("/状态点与过程.csv"));
    if (path.isEmpty()) {
        return;
    }
    const std::string problem =
        WriteFileAtomically(QFile::encodeName(path).toStdString(), ProjectTableCsv(evaluation));
    if (!problem.empty()) {
        ShowWarningBox(parent, QString::fromStdString(problem));
    }
}

}  // namespace hygrova
