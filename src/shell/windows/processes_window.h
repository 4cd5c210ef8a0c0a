#pragma once

#include "project/project_types.h"

#include <cstdint>
#include <string>

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTableWidget;

namespace hygrova {

class ProjectHost;

// ProcessesWindow: "过程与混合", the project's operations between its states: processes
// (arrows, with their differences, heat-moisture ratio, sensible and latent parts and, with
// an air flow, the loads), mixes of two airs and lines of a given heat-moisture ratio, made
// here from two chosen states.
class ProcessesWindow : public QWidget {
    Q_OBJECT

public:
    ProcessesWindow(ProjectHost& host, QWidget* owner);

    // Shows the operations as evaluated now and offers the states by their labels, keeping
    // the selections.
    void ShowProject();

    // Controls.
    QTableWidget* OperationTable = nullptr;  // "操作", "类型", "定义", the figures, "说明"
    QComboBox* FirstStateBox = nullptr;      // "状态点1": start of a process or line, first air
    QComboBox* SecondStateBox = nullptr;     // "状态点2": end of a process, second air
    QTabWidget* KindTabs = nullptr;          // "过程", "混合", "热湿比线"
    QLineEdit* FlowBox = nullptr;            // a process's air flow (may stay empty)
    QComboBox* FlowUnitBox = nullptr;        // "m3/h（按起点比容）", "kg/h（干空气）"
    QPushButton* AddProcessButton = nullptr;  // "连成过程"
    QPushButton* SetFlowButton = nullptr;     // "改风量"
    QComboBox* MixBasisBox = nullptr;         // "干空气质量比", "风量(m3/h)"
    QLineEdit* FirstShareBox = nullptr;       // share of the first air
    QLineEdit* SecondShareBox = nullptr;      // share of the second air
    QPushButton* AddMixButton = nullptr;      // "混合"
    QLineEdit* EpsilonBox = nullptr;          // heat-moisture ratio, kJ/kg, or "∞"
    QComboBox* LineEndBox = nullptr;          // "至相对湿度(%)", "至干球温度(℃)", "温差Δt(K)"
    QLineEdit* LineEndValueBox = nullptr;     // the end's value
    QPushButton* AddLineButton = nullptr;     // "画热湿比线"
    QPushButton* DeleteButton = nullptr;      // "删除"
    QPushButton* MoveUpButton = nullptr;      // "上移"
    QPushButton* MoveDownButton = nullptr;    // "下移"
    QPushButton* CopyTableButton = nullptr;   // "复制表格"
    QPushButton* SaveTableButton = nullptr;   // "保存为CSV…"
    QPushButton* CloseButton = nullptr;       // "关闭"
    QLabel* HelpText = nullptr;               // how the figures are defined

public slots:
    void AddProcessButton_Click();
    void SetFlowButton_Click();  // the flow boxes' flow for the selected process
    void AddMixButton_Click();
    void AddLineButton_Click();
    void DeleteButton_Click();
    void MoveUpButton_Click();
    void MoveDownButton_Click();
    void CopyTableButton_Click();
    void SaveTableButton_Click();
    void CloseButton_Click();

private:
    void CreateControls();
    QWidget* CreateProcessPage();
    QWidget* CreateMixPage();
    QWidget* CreateLinePage();
    QPushButton* AddButton(const char* caption, const char* name,
                           void (ProcessesWindow::*handler)());
    // The air flow typed in the process page.
    AirFlow GatherFlow() const;
    // The states chosen in the two boxes (0 where none).
    std::uint32_t ChosenState(const QComboBox& box) const;
    // Tells the keeper of an edit that made `id`, or shows why it was refused.
    void EditDone(const std::string& problem, std::uint32_t id);
    void MoveSelected(int step);

    ProjectHost& m_host;
};

}  // namespace hygrova
