#include "shell/export/chart_export_dialogs.h"

#include "common/number_text.h"
#include "shell/export/chart_export.h"

#include <array>

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QStandardPaths>

namespace hygrova {
namespace {

struct ChartFilter {
    const char* text;
    const char* suffix;
    double scale;  // PNG only: image pixels per screen pixel; 0 for the screen's own ratio
};

constexpr std::array<ChartFilter, 5> kFilters = {{
    {"PNG 图像 (*.png)", "png", 0},
    {"PNG 图像，2 倍大小 (*.png)", "png", 2},
    {"PNG 图像，4 倍大小 (*.png)", "png", 4},
    {"SVG 矢量图 (*.svg)", "svg", 0},
    {"PDF 文档 (*.pdf)", "pdf", 0},
}};

QStringList FilterTexts()
{
    QStringList texts;
    for (const ChartFilter& filter : kFilters) {
        texts << QString::fromUtf8(filter.text);
    }
    return texts;
}

const ChartFilter& FilterNamed(const QString& text)
{
    for (const ChartFilter& filter : kFilters) {
        if (text == QString::fromUtf8(filter.text)) {
            return filter;
        }
    }
    return kFilters.front();
}

QString PicturesFolder()
{
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return QFileInfo(pictures).isDir() ? pictures : QDir::homePath();
}

}  // namespace

QString DefaultChartFileName(float pressureHpa)
{
    const QString pressurePa =
        QString::fromStdString(PlainNumberText(pressureHpa * 100.0f)).trimmed();
    return QStringLiteral("焓湿图 %1 Pa.png").arg(pressurePa);
}

ChartFileChoice AskChartFile(QWidget* parent, float pressureHpa, double screenScale)
{
    QFileDialog dialog(parent, QStringLiteral("保存图表"));
    // Above the query dialog and the results window, which keep themselves on top.
    dialog.setWindowFlag(Qt::WindowStaysOnTopHint);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(FilterTexts());
    dialog.setDefaultSuffix(QStringLiteral("png"));
    dialog.setDirectory(PicturesFolder());
    dialog.selectFile(DefaultChartFileName(pressureHpa));
    // Choosing another format changes the proposed name's suffix to match.
    QObject::connect(
        &dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& text) {
            const QString suffix = QString::fromUtf8(FilterNamed(text).suffix);
            dialog.setDefaultSuffix(suffix);
            const QStringList chosen = dialog.selectedFiles();
            if (!chosen.isEmpty() && !QFileInfo(chosen.front()).isDir()) {
                dialog.selectFile(QFileInfo(chosen.front()).completeBaseName() + '.' + suffix);
            }
        });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    const double scale = FilterNamed(dialog.selectedNameFilter()).scale;
    return {dialog.selectedFiles().front(), scale > 0 ? scale : screenScale};
}

void PreviewAndPrintChart(QWidget* parent, QPrinter& printer, const ChartSheet& sheet)
{
    QPrintPreviewDialog preview(&printer, parent);
    preview.setWindowFlag(Qt::WindowStaysOnTopHint);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&sheet](QPrinter* target) { PrintChart(*target, sheet); });
    preview.exec();
}

}  // namespace hygrova
