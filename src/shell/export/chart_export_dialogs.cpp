#include "shell/export/chart_export_dialogs.h"

#include "shell/export/chart_export.h"
#include "shell/export/chart_sheet.h"
#include "shell/widgets/warning_box.h"

#include <array>
#include <optional>

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>

namespace hygrova {
namespace {

struct ChartFileType {
    const char* text;  // with %1, the size in pixels, for a PNG
    const char* suffix;
    double scale;  // PNG: image pixels per screen pixel
};

constexpr std::array<ChartFileType, 5> kFileTypes = {{
    {"PNG 图像，%1 (*.png)", "png", 1},
    {"PNG 图像，2 倍大小，%1 (*.png)", "png", 2},
    {"PNG 图像，4 倍大小，%1 (*.png)", "png", 4},
    {"SVG 矢量图 (*.svg)", "svg", 1},
    {"PDF 文档 (*.pdf)", "pdf", 1},
}};

// The share of the screen's available area the print preview takes.
constexpr double kPreviewShare = 0.8;

QStringList FilterTexts(const ChartSheet& sheet)
{
    QStringList texts;
    for (const ChartFileType& type : kFileTypes) {
        const QSize size = ChartImageSize(sheet, type.scale);
        texts << QString::fromUtf8(type.text).arg(
            QStringLiteral("%1 × %2 像素").arg(size.width()).arg(size.height()));
    }
    return texts;
}

QString PicturesFolder()
{
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return QFileInfo(pictures).isDir() ? pictures : QDir::homePath();
}

// Qt's file dialog keeps its history and looks in a settings file of Qt's own each time it
// closes. Its settings are sent to a folder inside the program's file, which cannot exist,
// so that nothing is written.
void KeepQtSettingsOffDisk()
{
    const QString nowhere = QCoreApplication::applicationFilePath() + QStringLiteral("/settings");
    for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat}) {
        QSettings::setPath(format, QSettings::UserScope, nowhere);
    }
}

struct ChartFileChoice {
    QString fileName;
    int fileType;
};

// Asks where to save the chart, proposing `proposed` (a path) and the file type.
std::optional<ChartFileChoice> AskChartFile(QWidget* parent, const ChartSheet& sheet,
                                            const QString& proposed, int fileType)
{
    KeepQtSettingsOffDisk();
    QFileDialog dialog(parent, QStringLiteral("保存图表"));
    // Above the query dialog and the results window, which keep themselves on top.
    dialog.setWindowFlag(Qt::WindowStaysOnTopHint);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    const QStringList filters = FilterTexts(sheet);
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.value(fileType));
    dialog.setDefaultSuffix(QString::fromUtf8(kFileTypes[fileType].suffix));
    dialog.setDirectory(QFileInfo(proposed).absolutePath());
    dialog.selectFile(QFileInfo(proposed).fileName());
    // Choosing another file type changes the proposed name's suffix to match.
    QObject::connect(
        &dialog, &QFileDialog::filterSelected, &dialog, [&dialog, &filters](const QString& text) {
            const QString suffix =
                QString::fromUtf8(kFileTypes[std::max<qsizetype>(0, filters.indexOf(text))].suffix);
            dialog.setDefaultSuffix(suffix);
            const QStringList chosen = dialog.selectedFiles();
            if (!chosen.isEmpty() && !QFileInfo(chosen.front()).isDir()) {
                dialog.selectFile(QFileInfo(chosen.front()).completeBaseName() + '.' + suffix);
            }
        });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    const auto chosenType = static_cast<int>(filters.indexOf(dialog.selectedNameFilter()));
    return ChartFileChoice{dialog.selectedFiles().front(), std::max(0, chosenType)};
}

}  // namespace

QString DefaultChartFileName(float pressureHpa)
{
    return ChartTitle(pressureHpa) + QStringLiteral(".png");
}

void SaveChartAsked(QWidget* parent, const ChartSheet& sheet, ChartFileMemory& memory)
{
    const QString folder = memory.folder.isEmpty() ? PicturesFolder() : memory.folder;
    QString proposed = QDir(folder).filePath(sheet.title + '.' +
                                             QString::fromUtf8(kFileTypes[memory.fileType].suffix));
    while (const std::optional<ChartFileChoice> choice =
               AskChartFile(parent, sheet, proposed, memory.fileType)) {
        memory = {QFileInfo(choice->fileName).absolutePath(), choice->fileType};
        const QString failure =
            SaveChart(choice->fileName, sheet, kFileTypes[choice->fileType].scale);
        if (failure.isEmpty()) {
            return;
        }
        ShowWarningBox(parent, failure);
        proposed = choice->fileName;
    }
}

void PreviewAndPrintChart(QWidget* parent, QPrinter& printer, const ChartSheet& sheet)
{
    QPrintPreviewDialog preview(&printer, parent);
    preview.setWindowFlag(Qt::WindowStaysOnTopHint);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        preview.resize(screen->availableGeometry().size() * kPreviewShare);
    }
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&sheet](QPrinter* target) { PrintChart(*target, sheet); });
    preview.exec();
}

}  // namespace hygrova
