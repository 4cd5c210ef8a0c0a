#pragma once

#include "measured/density_grid.h"
#include "measured/measured_log.h"
#include "measured/zone.h"
#include "shell/widgets/chart_underlay.h"

#include <functional>
#include <memory>
#include <vector>

#include <QObject>
#include <QPointer>

class QAction;
class QLabel;
class QMenu;
class QWidget;

namespace hygrova {

class ChartSurface;
class MeasuredImportWindow;
class ZonesWindow;

// Readings at or below this count are drawn as dots; more as density cells.
inline constexpr std::size_t kMostDots = 2000;
// The side of a density cell, screen pixels.
inline constexpr float kDensityCellPx = 4;

// The zones with their figures over a log, in the zones' order.
struct ZoneFigures {
    ZoneDefinition zone;
    ZoneLimits limits;
    ZoneCount count;
};
std::vector<ZoneFigures> FiguresOf(const std::vector<ZoneDefinition>& zones, const MeasuredLog* log);

// A zone's figures for the legend and the clipboard: "舒适区：123 个读数，23.4 %，2052.5 h".
QString ZoneFiguresText(const ZoneFigures& figures);

// The grid's cells as one pixel each: the scale's color of the cell's count, transparent
// for an empty cell.
QImage DensityImage(const DensityGrid& grid);

// The chart's measured-data layer for a log at a picture of widthTwips x heightTwips and
// the chart unit `unit`: density cells (`density`, the grid's DensityImage; or dots for a few
// readings) placed by the chart mapping, the zones' outlines at `pressureHpa`, and the legend.
ChartUnderlay MeasuredUnderlay(const MeasuredLog* log, const DensityGrid& grid,
                               const QImage& density, const std::vector<ZoneFigures>& zones,
                               float unit, float widthTwips, float heightTwips,
                               float pressureHpa);

// The measured data of the main window: the commands "导入测量数据…", "清除测量数据" and
// "测量区域…" in the chart's context menu, the log and its zones, the layer they make under
// the chart, and the count of readings in the cell under the pointer.
class MeasuredLayer : public QObject {
    Q_OBJECT

public:
    // Adds the commands to `menu`; `window` owns the dialogs, `picture` shows the layer.
    MeasuredLayer(QWidget& window, ChartSurface& picture, QMenu& menu);

    // Paints the layer for the chart just sized (unit: twips per g/kg); called by the chart's
    // draw before its lines.
    void Draw(float unit, float pressureHpa);

    const MeasuredLog* Log() const { return m_log.get(); }
    const std::vector<ZoneDefinition>& Zones() const { return m_zones; }
    void SetZones(std::vector<ZoneDefinition> zones);
    // Zones the user applied in the zones window: shown, and handed to ZonesApplied.
    void ApplyZones(std::vector<ZoneDefinition> zones);
    // Told the zones whenever the user applies them; the design keeps them in its file.
    std::function<void(const std::vector<ZoneDefinition>&)> ZonesApplied;
    // Takes a log read (the import window's outcome) and shows it.
    void Show(std::shared_ptr<const MeasuredLog> log);
    // The import window and the zones window while they exist, else null.
    MeasuredImportWindow* ImportWindow() const;
    ZonesWindow* ZoneWindow() const;

    QAction* menu_import = nullptr;  // "导入测量数据…"
    QAction* menu_clear = nullptr;   // "清除测量数据"
    QAction* menu_zones = nullptr;   // "测量区域…"
    QLabel* LabelCell = nullptr;     // on the picture: the readings in the cell under the pointer

public slots:
    void menu_import_Click();
    void menu_clear_Click();
    void menu_zones_Click();
    // Starts an import of `path` (what the file dialog gives).
    void ImportFile(const QString& path);

private slots:
    void Picture1_MouseMove(Qt::MouseButtons, Qt::KeyboardModifiers, float x, float y);

private:
    // Paints the layer again under what the picture holds, at the chart's present unit.
    void Refresh();
    // Counts the log's readings into cells for the picture at `unit`, unless the grid of
    // this log, unit, picture and cell size is at hand.
    void FitGrid(float unit);

    // What the density grid was counted for: a redraw at the same is served from it.
    struct GridKey {
        const MeasuredLog* log = nullptr;
        float unit = 0, width = 0, height = 0, cell = 0;
        friend bool operator==(const GridKey&, const GridKey&) = default;
    };

    QWidget& m_window;
    ChartSurface& m_picture;
    std::shared_ptr<const MeasuredLog> m_log;
    std::vector<ZoneDefinition> m_zones;
    std::vector<ZoneFigures> m_figures;  // of m_zones over m_log
    DensityGrid m_grid;
    QImage m_density;  // DensityImage(m_grid), when the log is drawn as density
    GridKey m_gridKey;
    float m_unit = 0;
    float m_pressureHpa = 0;
    QPointer<MeasuredImportWindow> m_import;
    QPointer<ZonesWindow> m_zoneWindow;
};

}  // namespace hygrova
