#pragma once

// A table of the project's windows: one row per state or operation, the row's id kept in its
// first cell, whole rows selected one at a time.

#include <cstdint>
#include <optional>
#include <vector>

#include <QStringList>

class QTableWidget;
class QWidget;

namespace hygrova {

// A table with these column captions; cells are read-only unless SetRow makes them editable.
QTableWidget* MakeIdTable(QWidget* parent, const QStringList& captions);

// Fills the table's row `row` with the texts (one per column) and keeps `id` in its first
// cell; the cells of `editable` columns take typing. Numbers (a text starting with a blank,
// a digit or a sign) are right-aligned.
void SetIdRow(QTableWidget& table, int row, std::uint32_t id, const QStringList& texts,
              const std::vector<int>& editable = {});

// The id of the selected row, and its row; none when no row is selected.
std::optional<std::uint32_t> SelectedId(const QTableWidget& table);
// Selects the row holding `id`, if any, and scrolls to it.
void SelectId(QTableWidget& table, std::uint32_t id);
// The id kept in the row.
std::uint32_t IdOfRow(const QTableWidget& table, int row);

// A width for a window whose layout holds the table: wide enough to show every column whole
// by its caption where the primary screen has room, and never narrower than `least`.
int WidthShowingColumns(const QTableWidget& table, QWidget& window, int least);

}  // namespace hygrova
