#include "shell/windows/zones_window.h"

#include "shell/windows/measured_layer.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace hygrova {
namespace {

enum Column { kName, kDryBulb, kHumidity, kMoisture, kCount, kShare, kHours, kColumns };

QString CellText(const QTableWidget& grid, int row, int column)
{
    const QTableWidgetItem* item = grid.item(row, column);
    return item ? item->text().trimmed() : QString();
}

void SetReadOnly(QTableWidget& grid, int row, int column, const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    grid.setItem(row, column, item);
}

}  // namespace

ZonesWindow::ZonesWindow(MeasuredLayer& layer, QWidget* parent) : QDialog(parent), m_layer(layer)
{
    setObjectName(QStringLiteral("ZonesWindow"));
    setWindowTitle(QStringLiteral("测量区域"));
    Grid1 = new QTableWidget(0, kColumns, this);
    Grid1->setHorizontalHeaderLabels({QStringLiteral("名称"), QStringLiteral("干球温度(℃)"),
                                      QStringLiteral("相对湿度(%)"),
                                      QStringLiteral("含湿量(g/kg干)"), QStringLiteral("读数"),
                                      QStringLiteral("占比(%)"), QStringLiteral("小时")});
    Grid1->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    Label1 = new QLabel(QStringLiteral("界限写作“下限:上限”，如 20:26；含湿量可空。"), this);
    Command1 = new QPushButton(QStringLiteral("添加"), this);
    Command2 = new QPushButton(QStringLiteral("删除"), this);
    Command3 = new QPushButton(QStringLiteral("应用"), this);
    Command4 = new QPushButton(QStringLiteral("复制"), this);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {Command1, Command2, Command3, Command4}) {
        buttons->addWidget(button);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Grid1);
    layout->addWidget(Label1);
    layout->addLayout(buttons);
    resize(640, 260);
    connect(Command1, &QPushButton::clicked, this, &ZonesWindow::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &ZonesWindow::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &ZonesWindow::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &ZonesWindow::Command4_Click);
}

void ZonesWindow::ShowFigures(const std::vector<ZoneFigures>& zones)
{
    Grid1->setRowCount(static_cast<int>(zones.size()));
    m_figureLines.clear();
    for (int row = 0; row < static_cast<int>(zones.size()); ++row) {
        const ZoneFigures& zone = zones[static_cast<std::size_t>(row)];
        const ZoneDefinition& text = zone.zone;
        Grid1->setItem(row, kName, new QTableWidgetItem(QString::fromStdString(text.label)));
        Grid1->setItem(row, kDryBulb, new QTableWidgetItem(QString::fromStdString(text.tdb)));
        Grid1->setItem(row, kHumidity, new QTableWidgetItem(QString::fromStdString(text.rh)));
        Grid1->setItem(row, kMoisture, new QTableWidgetItem(QString::fromStdString(text.d)));
        const bool measured = m_layer.Log() != nullptr;
        SetReadOnly(*Grid1, row, kCount, measured ? QString::number(zone.count.count) : QString());
        SetReadOnly(*Grid1, row, kShare,
                    measured ? QString::number(zone.count.share * 100, 'f', 1) : QString());
        SetReadOnly(*Grid1, row, kHours,
                    zone.count.hours ? QString::number(*zone.count.hours, 'f', 1) : QString());
        if (measured) {
            m_figureLines.push_back(ZoneFiguresText(zone));
        }
    }
}

void ZonesWindow::Command1_Click()
{
    const int row = Grid1->rowCount();
    Grid1->insertRow(row);
    Grid1->setItem(row, kName, new QTableWidgetItem(QStringLiteral("区域%1").arg(row + 1)));
    Grid1->setItem(row, kDryBulb, new QTableWidgetItem(QStringLiteral("20:26")));
    Grid1->setItem(row, kHumidity, new QTableWidgetItem(QStringLiteral("30:60")));
    Grid1->setItem(row, kMoisture, new QTableWidgetItem(QString()));
}

void ZonesWindow::Command2_Click()
{
    if (Grid1->currentRow() >= 0) {
        Grid1->removeRow(Grid1->currentRow());
    }
}

void ZonesWindow::Command3_Click()
{
    std::vector<ZoneDefinition> zones;
    for (int row = 0; row < Grid1->rowCount(); ++row) {
        ZoneDefinition zone{CellText(*Grid1, row, kName).toStdString(),
                            CellText(*Grid1, row, kDryBulb).toStdString(),
                            CellText(*Grid1, row, kHumidity).toStdString(),
                            CellText(*Grid1, row, kMoisture).toStdString()};
        if (const ZoneReading reading = ReadZone(zone); !reading.limits) {
            Label1->setText(QStringLiteral("第 %1 行的 %2 应为“下限:上限”，如 20:26。")
                                .arg(row + 1)
                                .arg(QString::fromStdString(reading.badField)));
            return;
        }
        zones.push_back(std::move(zone));
    }
    Label1->setText(QString());
    m_layer.ApplyZones(std::move(zones));
}

void ZonesWindow::Command4_Click()
{
    QStringList lines;
    for (const QString& line : m_figureLines) {
        lines << line;
    }
    QGuiApplication::clipboard()->setText(lines.join(QLatin1Char('\n')));
}

}  // namespace hygrova
