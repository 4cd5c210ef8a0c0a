#include "measured/density_grid.h"

#include "chart/chart_mapping.h"
#include "model/arithmetic_fault.h"

#include <algorithm>
#include <cmath>

namespace hygrova {
namespace {

int CellCount(float extentTwips, float cellTwips)
{
    return std::max(1, static_cast<int>(std::ceil(extentTwips / cellTwips)));
}

}  // namespace

std::optional<DensityCell> CellAt(float x, float y, float pictureWidth, float pictureHeight,
                                  float cellTwips)
{
    // Written so that NaN fails every comparison and lands outside.
    if (!(x >= 0 && x < pictureWidth && y >= 0 && y < pictureHeight)) {
        return std::nullopt;
    }
    return DensityCell{static_cast<int>(x / cellTwips), static_cast<int>(y / cellTwips)};
}

DensityGrid BuildDensityGrid(std::span<const MeasuredReading> readings, float unit,
                             float pictureWidth, float pictureHeight, float cellTwips)
{
    DensityGrid grid;
    grid.cellTwips = cellTwips;
    grid.columns = CellCount(pictureWidth, cellTwips);
    grid.rows = CellCount(pictureHeight, cellTwips);
    grid.counts.assign(static_cast<std::size_t>(grid.columns) * grid.rows, 0);
    for (const MeasuredReading& reading : readings) {
        std::optional<DensityCell> cell;
        try {
            const ChartPoint point = MapToChart(reading.d, reading.h, unit, pictureHeight);
            cell = CellAt(point.x, point.y, pictureWidth, pictureHeight, cellTwips);
        } catch (const ArithmeticFault&) {
            // A state whose place overflows single precision is far off the picture.
        }
        if (!cell) {
            ++grid.outside;
            continue;
        }
        std::uint32_t& count = grid.counts[static_cast<std::size_t>(cell->row) * grid.columns +
                                           cell->column];
        grid.maxCount = std::max(grid.maxCount, ++count);
    }
    return grid;
}

}  // namespace hygrova
