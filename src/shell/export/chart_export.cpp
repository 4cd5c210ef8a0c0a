#include "shell/export/chart_export.h"

#include "shell/export/png_encoding.h"

#include <cmath>

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QMimeData>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <QStorageInfo>
#include <QSvgGenerator>

namespace hygrova {
namespace {

constexpr double kTwipsPerInch = 1440;
constexpr double kTwipsPerPoint = 20;
// The PDF's own resolution, dots per inch: the unit its coordinates are rounded to.
constexpr int kPdfResolution = 1200;

// The sheet one to one: output units are twips.
constexpr SheetPlacement kTwipsPlacement{1, 0, 0};

constexpr double kMetresPerInch = 0.0254;

QString FailureText(const QString& fileName, const QString& reason)
{
    return QStringLiteral("无法保存图表“%1”：%2。").arg(QDir::toNativeSeparators(fileName), reason);
}

// Room a file takes on a disk beyond its bytes: the blocks and records of the file system.
constexpr qint64 kFileOverheadBytes = 64 * 1024;

// Why a file of that many bytes could not be written there, in the user's words: the usual
// causes, looked for in the folder and its disk, else that writing failed.
QString WriteFailureReason(const QString& fileName, qint64 bytes)
{
    const QFileInfo file(fileName);
    const QFileInfo folder(file.absolutePath());
    if (!folder.isDir()) {
        return QStringLiteral("文件夹不存在");
    }
    const QStorageInfo disk(folder.absoluteFilePath());
    if (disk.isValid() && disk.isReadOnly()) {
        return QStringLiteral("文件夹所在的磁盘只能读取，不能写入");
    }
    if (!folder.isWritable() || (file.exists() && !file.isWritable())) {
        return QStringLiteral("没有在该文件夹中写入文件的权限");
    }
    if (disk.isValid() && disk.bytesAvailable() < bytes + kFileOverheadBytes) {
        return QStringLiteral("磁盘空间不足");
    }
    return QStringLiteral("写入文件时出错");
}

}  // namespace

std::optional<ChartFormat> ChartFormatOfName(const QString& fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == QLatin1String("png")) {
        return ChartFormat::Png;
    }
    if (suffix == QLatin1String("svg")) {
        return ChartFormat::Svg;
    }
    if (suffix == QLatin1String("pdf")) {
        return ChartFormat::Pdf;
    }
    return std::nullopt;
}

QSize ChartImageSize(const ChartSheet& sheet, double scale)
{
    return QSize(static_cast<int>(std::ceil(sheet.width / sheet.pixelTwips * scale - 1e-6)),
                 static_cast<int>(std::ceil(sheet.height / sheet.pixelTwips * scale - 1e-6)));
}

QImage ChartImage(const ChartSheet& sheet, double scale)
{
    QImage image(ChartImageSize(sheet, scale), QImage::Format_RGB32);
    image.fill(Qt::white);
    const int dotsPerMetre =
        static_cast<int>(std::lround(scale * kTwipsPerInch / sheet.pixelTwips / kMetresPerInch));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    const QImage picture = PictureImage(sheet, scale);
    QPainter painter(&image);
    PaintChartSheet(painter, sheet, {scale / sheet.pixelTwips, 0, 0}, &picture);
    return image;
}

QByteArray ChartPng(const ChartSheet& sheet, double scale)
{
    return EncodePng(ChartImage(sheet, scale));
}

QByteArray ChartSvg(const ChartSheet& sheet)
{
    QBuffer buffer;
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    // Drawn in twips; shown at the size the chart has on the screen.
    generator.setViewBox(QRectF(0, 0, sheet.width, sheet.height));
    generator.setResolution(static_cast<int>(std::lround(kTwipsPerInch / sheet.pixelTwips)));
    generator.setSize(ChartImageSize(sheet, 1));
    generator.setTitle(sheet.title);
    generator.setDescription(QStringLiteral("Hygrova"));
    QPainter painter(&generator);
    PaintChartSheet(painter, sheet, kTwipsPlacement);
    painter.end();
    return buffer.data();
}

QByteArray ChartPdf(const ChartSheet& sheet)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(kPdfResolution);
    writer.setCreator(QStringLiteral("Hygrova"));
    writer.setTitle(sheet.title);
    writer.setPageLayout(
        QPageLayout(QPageSize(QSizeF(sheet.width / kTwipsPerPoint, sheet.height / kTwipsPerPoint),
                              QPageSize::Point, QString(), QPageSize::ExactMatch),
                    QPageLayout::Portrait, QMarginsF()));
    QPainter painter(&writer);
    PaintChartSheet(painter, sheet, {kPdfResolution / kTwipsPerInch, 0, 0});
    painter.end();
    return buffer.data();
}

QString SaveChart(const QString& fileName, const ChartSheet& sheet, double pngScale)
{
    const std::optional<ChartFormat> format = ChartFormatOfName(fileName);
    if (!format) {
        return FailureText(fileName,
                           QStringLiteral("不支持这种文件类型，请使用 .png、.svg 或 .pdf"));
    }
    QByteArray data;
    switch (*format) {
        case ChartFormat::Png:
            data = ChartPng(sheet, pngScale);
            break;
        case ChartFormat::Svg:
            data = ChartSvg(sheet);
            break;
        case ChartFormat::Pdf:
            data = ChartPdf(sheet);
            break;
    }
    // Written beside the target and renamed over it at the end, so a failure leaves no part.
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit()) {
        file.cancelWriting();
        return FailureText(fileName, WriteFailureReason(fileName, data.size()));
    }
    return QString();
}

std::unique_ptr<QMimeData> ChartMimeData(const ChartSheet& sheet)
{
    auto data = std::make_unique<QMimeData>();
    data->setImageData(ChartImage(sheet, sheet.retained.devicePixelRatio()));
    data->setData(QStringLiteral("image/svg+xml"), ChartSvg(sheet));
    return data;
}

void SetChartPrinterDefaults(QPrinter& printer)
{
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Landscape);
}

void PrintChart(QPrinter& printer, const ChartSheet& sheet)
{
    printer.setDocName(sheet.title);
    QPainter painter(&printer);
    if (!painter.isActive()) {
        return;  // the printer could not start; it reports that itself
    }
    const QRectF area = printer.pageLayout().paintRectPixels(printer.resolution());
    PaintChartSheet(painter, sheet,
                    FitSheet(sheet.width, sheet.height, 0, 0, area.width(), area.height()));
}

}  // namespace hygrova
