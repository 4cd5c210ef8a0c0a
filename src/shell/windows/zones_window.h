#pragma once

#include <vector>

#include <QDialog>

class QLabel;
class QPushButton;
class QTableWidget;

namespace hygrova {

class MeasuredLayer;
struct ZoneFigures;

// The zones window: a table of zones (name, dry-bulb and relative-humidity limits, optional
// moisture limits) with each zone's readings, share and hours; "应用" draws them, "复制" puts
// the figures on the clipboard.
class ZonesWindow : public QDialog {
    Q_OBJECT

public:
    ZonesWindow(MeasuredLayer& layer, QWidget* parent = nullptr);

    // Fills the table with the zones and their figures.
    void ShowFigures(const std::vector<ZoneFigures>& zones);

    QTableWidget* Grid1 = nullptr;     // one zone per row
    QLabel* Label1 = nullptr;          // what is wrong with a limit
    QPushButton* Command1 = nullptr;   // "添加"
    QPushButton* Command2 = nullptr;   // "删除"
    QPushButton* Command3 = nullptr;   // "应用"
    QPushButton* Command4 = nullptr;   // "复制"

public slots:
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();

private:
    MeasuredLayer& m_layer;
    std::vector<QString> m_figureLines;  // for the clipboard
};

}  // namespace hygrova
