#pragma once

#include "query/state_point.h"
#include "query/tick_rule.h"
#include "shell/platform/skin_engine.h"

#include <array>
#include <cstdint>

#include <QWidget>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace hygrova {

class QueryHost;

// Form2: query dialog "查询条件" (tick the two known quantities of a state, enter them and
// solve). A small topmost tool window; at most two quantities are ticked at a time and the
// dependent pairs (wet bulb with enthalpy, moisture content with dew point) are kept apart.
// "关闭" only hides it; its title-bar close box destroys it.
class Form2 : public QWidget {
    Q_OBJECT

public:
    explicit Form2(QueryHost& main);

    // Controls. Slot i of the query is the tick box Check1[i] with the entry box Text1[i],
    // numbered as QuerySlot: dry bulb, wet bulb, relative humidity, moisture content,
    // enthalpy, dew point.
    QGroupBox* Frame1 = nullptr;                       // "请输入已知参数"
    std::array<QCheckBox*, kQuerySlotCount> Check1{};  // "干球温度(℃)" .. "露点温度(℃)"
    std::array<QLineEdit*, kQuerySlotCount> Text1{};   // the known values as typed
    QPushButton* Command1 = nullptr;                   // "确定"
    QPushButton* Command2 = nullptr;                   // "重输"
    QPushButton* Command3 = nullptr;                   // "关闭"
    SkinEngine BSE1;

    // The number of ticked boxes, 0..2.
    std::int16_t SelectedCount = 0;

public slots:
    // The click rule; runs after a tick box has changed its state, whether the user or the
    // program changed it.
    void Check1_Click();
    void Command1_Click();  // "确定": solve and show the results
    void Command2_Click();  // "重输": untick everything and empty the entry boxes
    void Command3_Click();  // "关闭": hide, keeping ticks and texts

private:
    void Form_Load();

    void CreateControls();
    void SetTabOrder();
    // Enables or locks each tick box and opens or closes (and empties) each entry box; an
    // entry box that opens takes the focus.
    void ShowSlots(const SlotStates& states);
    // The ticks and texts of the six slots, with the current atmospheric pressure.
    StatePointQuery GatherQuery() const;
    // Carries out what the solver decided for the query: a warning box (and the focus to the
    // entry box it names) or the eight texts written into the results window, which is
    // brought forward and keeps the query's pair as the state it shows.
    void ShowOutcome(const StatePointOutcome& outcome, const StatePointQuery& query);

    QueryHost& m_main;
};

}  // namespace hygrova
