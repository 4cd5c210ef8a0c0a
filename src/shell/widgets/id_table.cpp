#include "shell/widgets/id_table.h"

#include <algorithm>

#include <QGuiApplication>
#include <QHeaderView>
#include <QLayout>
#include <QScreen>
#include <QScrollBar>
#include <QTableWidget>

namespace hygrova {
namespace {

bool LooksNumeric(const QString& text)
{
    return !text.isEmpty() && (text.front() == ' ' || text.front().isDigit() ||
                               text.front() == '-' || text.front() == '+');
}

}  // namespace

QTableWidget* MakeIdTable(QWidget* parent, const QStringList& captions)
{
    auto* table = new QTableWidget(0, static_cast<int>(captions.size()), parent);
    table->setHorizontalHeaderLabels(captions);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::AnyKeyPressed);
    table->verticalHeader()->setVisible(false);
    table->horizontalHeader()->setStretchLastSection(true);
    table->setWordWrap(false);
    return table;
}

void SetIdRow(QTableWidget& table, int row, std::uint32_t id, const QStringList& texts,
              const std::vector<int>& editable)
{
    for (int column = 0; column < texts.size() && column < table.columnCount(); ++column) {
        auto* item = new QTableWidgetItem(texts[column]);
        Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
        if (std::find(editable.begin(), editable.end(), column) != editable.end()) {
            flags |= Qt::ItemIsEditable;
        }
        item->setFlags(flags);
        if (LooksNumeric(texts[column])) {
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        }
        if (column == 0) {
            item->setData(Qt::UserRole, QVariant::fromValue<quint32>(id));
        }
        table.setItem(row, column, item);
    }
}

std::uint32_t IdOfRow(const QTableWidget& table, int row)
{
    const QTableWidgetItem* item = table.item(row, 0);
    return item != nullptr ? item->data(Qt::UserRole).value<quint32>() : 0;
}

std::optional<std::uint32_t> SelectedId(const QTableWidget& table)
{
    const QList<QTableWidgetItem*> selected = table.selectedItems();
    if (selected.isEmpty()) {
        return std::nullopt;
    }
    return IdOfRow(table, selected.front()->row());
}

void SelectId(QTableWidget& table, std::uint32_t id)
{
    for (int row = 0; row < table.rowCount(); ++row) {
        if (IdOfRow(table, row) == id) {
            table.selectRow(row);
            table.scrollToItem(table.item(row, 0));
            return;
        }
    }
}

int WidthShowingColumns(const QTableWidget& table, QWidget& window, int least)
{
    window.ensurePolished();  // the captions' width in the font they will show in
    int width = 2 * table.frameWidth() + table.verticalScrollBar()->sizeHint().width();
    for (int column = 0; column < table.columnCount(); ++column) {
        width += table.horizontalHeader()->sectionSizeHint(column);
    }
    if (const QLayout* layout = window.layout()) {
        width += layout->contentsMargins().left() + layout->contentsMargins().right();
    }
    // Room for the window manager's frame at both sides.
    constexpr int kFrameRoom = 16;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        width = std::min(width, screen->availableGeometry().width() - 2 * kFrameRoom);
    }
    return std::max(width, least);
}

}  // namespace hygrova
