#include "shell/windows/measured_layer.h"

#include "chart/chart_mapping.h"
#include "common/app_state.h"
#include "measured/density_colors.h"
#include "model/arithmetic_fault.h"
#include "shell/platform/twips.h"
#include "shell/widgets/chart_surface.h"
#include "shell/windows/measured_import_window.h"
#include "shell/windows/zones_window.h"

#include <QAction>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QStandardPaths>

namespace hygrova {
namespace {

QColor ToColor(Rgb rgb)
{
    return QColor(rgb.r, rgb.g, rgb.b);
}

std::optional<QPointF> PictureTwipsOf(float d, float h, float unit, float heightTwips)
{
    try {
        const ChartPoint point = MapToChart(d, h, unit, heightTwips);
        return QPointF(point.x, point.y);
    } catch (const ArithmeticFault&) {
        return std::nullopt;
    }
}

}  // namespace

std::vector<ZoneFigures> FiguresOf(const std::vector<ZoneDefinition>& zones, const MeasuredLog* log)
{
    std::vector<ZoneFigures> figures;
    for (const ZoneDefinition& zone : zones) {
        const ZoneReading reading = ReadZone(zone);
        if (reading.limits) {
            figures.push_back({zone, *reading.limits,
                               log ? CountZone(*log, *reading.limits) : ZoneCount{}});
        }
    }
    return figures;
}

QString ZoneFiguresText(const ZoneFigures& figures)
{
    const ZoneCount& count = figures.count;
    QString text = QStringLiteral("%1：%2 个读数，%3 %")
                       .arg(QString::fromStdString(figures.zone.label))
                       .arg(count.count)
                       .arg(count.share * 100, 0, 'f', 1);
    if (count.hours) {
        text += QStringLiteral("，%1 h").arg(*count.hours, 0, 'f', 1);
    }
    return text;
}

QImage DensityImage(const DensityGrid& grid)
{
    QImage image(grid.columns, grid.rows, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int row = 0; row < grid.rows; ++row) {
        auto* const line = reinterpret_cast<QRgb*>(image.scanLine(row));
        for (int column = 0; column < grid.columns; ++column) {
            if (const std::uint32_t count = grid.CountAt({column, row}); count > 0) {
                const Rgb rgb = ViridisAt(DensityShade(count, grid.maxCount));
                line[column] = qRgb(rgb.r, rgb.g, rgb.b);
            }
        }
    }
    return image;
}

ChartUnderlay MeasuredUnderlay(const MeasuredLog* log, const DensityGrid& grid,
                               const QImage& density, const std::vector<ZoneFigures>& zones,
                               float unit, float widthTwips, float heightTwips,
                               float pressureHpa)
{
    ChartUnderlay underlay;
    if (log && log->readings.size() <= kMostDots) {
        const QRectF picture(0, 0, widthTwips, heightTwips);
        for (const MeasuredReading& reading : log->readings) {
            const auto point = PictureTwipsOf(reading.d, reading.h, unit, heightTwips);
            if (point && picture.contains(*point)) {
                underlay.dots.push_back(*point);
            }
        }
    } else if (log) {
        underlay.density = density;
        underlay.densityRect = QRectF(0, 0, grid.columns * double(grid.cellTwips),
                                      grid.rows * double(grid.cellTwips));
        for (int i = 0; i <= 8; ++i) {
            underlay.scaleColors.push_back(ToColor(ViridisAt(static_cast<float>(i) / 8)));
        }
        underlay.scaleEnds[0] = QStringLiteral("每格 1");
        underlay.scaleEnds[1] = QString::number(grid.maxCount);
    }
    if (log) {
        QString title = QStringLiteral("测量数据：%1 个读数").arg(log->readings.size());
        if (grid.outside > 0) {
            title += QStringLiteral("（%1 个在图外）").arg(grid.outside);
        }
        underlay.legend.push_back(title);
    }
    for (const ZoneFigures& zone : zones) {
        ChartUnderlay::Outline outline;
        for (const ChartState& state : ZoneOutline(zone.limits, pressureHpa)) {
            if (const auto point = PictureTwipsOf(state.d, state.h, unit, heightTwips)) {
                outline.polygon.push_back(*point);
            }
        }
        outline.label = QString::fromStdString(zone.zone.label);
        underlay.outlines.push_back(outline);
        if (log) {
            underlay.legend.push_back(ZoneFiguresText(zone));
        }
    }
    return underlay;
}

MeasuredLayer::MeasuredLayer(QWidget& window, ChartSurface& picture, QMenu& menu)
    : QObject(&window), m_window(window), m_picture(picture)
{
    menu.addSeparator();
    menu_import = menu.addAction(QStringLiteral("导入测量数据…"));
    menu_zones = menu.addAction(QStringLiteral("测量区域…"));
    menu_clear = menu.addAction(QStringLiteral("清除测量数据"));
    menu_import->setObjectName(QStringLiteral("menu_import"));
    menu_zones->setObjectName(QStringLiteral("menu_zones"));
    menu_clear->setObjectName(QStringLiteral("menu_clear"));
    menu_clear->setEnabled(false);
    connect(menu_import, &QAction::triggered, this, &MeasuredLayer::menu_import_Click);
    connect(menu_zones, &QAction::triggered, this, &MeasuredLayer::menu_zones_Click);
    connect(menu_clear, &QAction::triggered, this, &MeasuredLayer::menu_clear_Click);
    LabelCell = new QLabel(&picture);
    LabelCell->setObjectName(QStringLiteral("LabelCell"));
    LabelCell->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    LabelCell->hide();
    connect(&picture, &ChartSurface::MouseMoved, this, &MeasuredLayer::Picture1_MouseMove);
}

MeasuredImportWindow* MeasuredLayer::ImportWindow() const
{
    return m_import;
}

ZonesWindow* MeasuredLayer::ZoneWindow() const
{
    return m_zoneWindow;
}

void MeasuredLayer::Draw(float unit, float pressureHpa)
{
    m_unit = unit;
    m_pressureHpa = pressureHpa;
    const float width = m_picture.WidthTwips();
    const float height = m_picture.HeightTwips();
    FitGrid(unit);
    LabelCell->setGeometry(m_picture.width() - 262,
                           static_cast<int>(kLegendBottom * m_picture.height()) + 2, 256, 16);
    LabelCell->setVisible(m_log != nullptr);
    if (!m_log && m_zones.empty()) {
        return;
    }
    m_picture.DrawUnderlay(MeasuredUnderlay(m_log.get(), m_grid, m_density, m_figures, unit,
                                            width, height, pressureHpa));
}

void MeasuredLayer::FitGrid(float unit)
{
    const GridKey key{m_log.get(), unit, m_picture.WidthTwips(), m_picture.HeightTwips(),
                      kDensityCellPx * static_cast<float>(TwipsPerPixel(&m_picture))};
    if (key == m_gridKey) {
        return;
    }
    m_gridKey = key;
    m_grid = m_log ? BuildDensityGrid(m_log->readings, unit, key.width, key.height, key.cell)
                   : DensityGrid{};
    m_density = m_log && m_log->readings.size() > kMostDots ? DensityImage(m_grid) : QImage();
}

void MeasuredLayer::Refresh()
{
    if (m_unit == 0) {
        return;  // no chart yet
    }
    Draw(m_unit, m_pressureHpa);
    if (!m_log && m_zones.empty()) {
        m_picture.DrawUnderlay({});
    }
    if (m_zoneWindow) {
        m_zoneWindow->ShowFigures(m_figures);
    }
}

void MeasuredLayer::SetZones(std::vector<ZoneDefinition> zones)
{
    m_zones = std::move(zones);
    m_figures = FiguresOf(m_zones, m_log.get());
    Refresh();
}

void MeasuredLayer::ApplyZones(std::vector<ZoneDefinition> zones)
{
    SetZones(std::move(zones));
    if (ZonesApplied) {
        ZonesApplied(m_zones);
    }
}

void MeasuredLayer::Show(std::shared_ptr<const MeasuredLog> log)
{
    m_log = std::move(log);
    m_gridKey = {};  // a new log may sit where a freed one was
    m_figures = FiguresOf(m_zones, m_log.get());
    menu_clear->setEnabled(m_log != nullptr);
    Refresh();
}

void MeasuredLayer::menu_import_Click()
{
    const QString path = QFileDialog::getOpenFileName(
        &m_window, QStringLiteral("导入测量数据"),
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
        QStringLiteral("测量记录 (*.csv *.txt *.tsv);;所有文件 (*)"));
    if (!path.isEmpty()) {
        ImportFile(path);
    }
}

void MeasuredLayer::ImportFile(const QString& path)
{
    if (m_import) {
        m_import->close();
    }
    m_import = new MeasuredImportWindow(&m_window);
    connect(m_import, &MeasuredImportWindow::Imported, this, &MeasuredLayer::Show);
    LogOptions options;
    options.jobs = 2;
    options.pressureHpa = TheAppState().AtmosphericPressure;
    m_import->Start(path, options);
    m_import->show();
}

void MeasuredLayer::menu_clear_Click()
{
    Show(nullptr);
}

void MeasuredLayer::menu_zones_Click()
{
    if (!m_zoneWindow) {
        m_zoneWindow = new ZonesWindow(*this, &m_window);
    }
    m_zoneWindow->ShowFigures(m_figures);
    m_zoneWindow->show();
    m_zoneWindow->raise();
}

void MeasuredLayer::Picture1_MouseMove(Qt::MouseButtons, Qt::KeyboardModifiers, float x, float y)
{
    if (!m_log || m_grid.counts.empty()) {
        return;
    }
    const std::optional<DensityCell> cell =
        CellAt(x, y, m_picture.WidthTwips(), m_picture.HeightTwips(), m_grid.cellTwips);
    LabelCell->setText(cell ? QStringLiteral("此格 %1 个读数").arg(m_grid.CountAt(*cell))
                            : QString());
}

}  // namespace hygrova
