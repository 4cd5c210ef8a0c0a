#pragma once

// Measured readings counted per small square cell of the chart picture. A reading's cell is
// where the chart mapping (MapToChart) puts its state, so the layer sits exactly under the
// chart's lines and the pointer's cell holds the readings the readout's state lies among.

#include "measured/measured_log.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace hygrova {

// A cell of the grid: column from the picture's left edge, row from its top edge.
struct DensityCell {
    int column = 0;
    int row = 0;

    friend bool operator==(const DensityCell&, const DensityCell&) = default;
};

// The cell of the picture point (x, y), twips, for cells of `cellTwips` (> 0) a side; none
// outside the picture of pictureWidth x pictureHeight twips (or for a point that is not a
// number).
std::optional<DensityCell> CellAt(float x, float y, float pictureWidth, float pictureHeight,
                                  float cellTwips);

struct DensityGrid {
    int columns = 0;
    int rows = 0;
    float cellTwips = 0;
    std::vector<std::uint32_t> counts;  // row by row, columns * rows
    std::uint32_t maxCount = 0;
    std::uint64_t outside = 0;  // readings off the picture

    std::uint32_t CountAt(const DensityCell& cell) const
    {
        return counts[static_cast<std::size_t>(cell.row) * columns + cell.column];
    }
};

// Counts `readings` per cell of a picture of pictureWidth x pictureHeight twips at the chart
// unit `unit` (twips per g/kg, ChartUnitFor), placing each by MapToChart(d, h). cellTwips > 0.
DensityGrid BuildDensityGrid(std::span<const MeasuredReading> readings, float unit,
                             float pictureWidth, float pictureHeight, float cellTwips);

}  // namespace hygrova
