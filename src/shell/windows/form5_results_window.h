#pragma once

#include "common/state_texts.h"
#include "query/state_point.h"
#include "shell/platform/skin_engine.h"

#include <array>

#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace hygrova {

class QueryHost;

// Form5: results window "查询结果" (the eight quantities of the state the query solved, with
// the commands to mark it on the chart and to clear the chart). A small topmost tool window;
// "关闭" only hides it, its title-bar close box destroys it.
class Form5 : public QWidget {
    Q_OBJECT

public:
    explicit Form5(QueryHost& main);

    // Controls.
    QGroupBox* Frame1 = nullptr;      // no caption; holds the captions and result boxes
    QLabel* Label1 = nullptr;         // "干球温度(℃)"
    QLabel* Label2 = nullptr;         // "湿球温度(℃)"
    QLabel* Label3 = nullptr;         // "露点温度(℃)"
    QLabel* Label4 = nullptr;         // "相对湿度(%)"
    QLabel* Label5 = nullptr;         // "含湿量(g/kg干)"
    QLabel* Label6 = nullptr;         // "焓(kJ/kg干)"
    QLabel* Label7 = nullptr;         // "比容(m3/kg干)"
    QLabel* Label8 = nullptr;         // "水蒸气分压(Pa)"
    // Only Text5 and Text6, the pair the plot reads, take typing; the other six show the state
    // of that pair.
    QLineEdit* Text1 = nullptr;       // dry-bulb temperature, deg C
    QLineEdit* Text2 = nullptr;       // wet-bulb temperature, deg C
    QLineEdit* Text3 = nullptr;       // dew point, deg C (empty when the air holds no vapour)
    QLineEdit* Text4 = nullptr;       // relative humidity, %
    QLineEdit* Text5 = nullptr;       // moisture content, g/kg dry air
    QLineEdit* Text6 = nullptr;       // enthalpy, kJ/kg dry air
    QLineEdit* Text7 = nullptr;       // specific volume, m3/kg dry air
    QLineEdit* Text8 = nullptr;       // vapour pressure, Pa
    QPushButton* Command1 = nullptr;  // "描点"
    QPushButton* Command2 = nullptr;  // "清除"
    QPushButton* Command3 = nullptr;  // "关闭"
    SkinEngine BSE1;

    // The eight result boxes, Text1..Text8.
    std::array<QLineEdit*, 8> ResultBoxes() const;
    // Writes the texts of a solved state into the result boxes, the dew point first.
    void ShowResults(const StateTexts& results);

public slots:
    void Command1_Click();  // "描点": mark the state of Text5 and Text6 on the chart
    void Command2_Click();  // "清除": redraw the chart without marks, empty the boxes
    void Command3_Click();  // "关闭": hide, keeping the results
    // Text5 or Text6 typed in: the other six boxes show the state of the typed pair.
    void TypedPair_Change();

private:
    void Form_Load();

    void CreateControls();
    // The query for the pair in Text5 and Text6 as typed, at the current atmospheric pressure.
    StatePointQuery GatherTypedPair() const;
    // Writes the solved state into the six boxes other than Text5 and Text6, or empties them
    // when the pair gave a warning or a fault: they never show another state.
    void ShowTypedPairState(const StatePointOutcome& outcome);

    QueryHost& m_main;
};

}  // namespace hygrova
