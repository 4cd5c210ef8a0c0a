#pragma once

#include <string>

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;

namespace hygrova {

class ProjectHost;

// StatesWindow: "状态点", the project's states, each with its label, the eight quantities as
// the results window writes them, a note and how it is defined; states are added from the
// results window or by typing a pair, and renamed, annotated, deleted and reordered here.
class StatesWindow : public QWidget {
    Q_OBJECT

public:
    StatesWindow(ProjectHost& host, QWidget* owner);

    // Shows the project's states as evaluated now, keeping the selected state selected.
    void ShowProject();

    // Controls.
    QTableWidget* StateTable = nullptr;    // "名称", the eight quantities, "备注", "说明"
    QLabel* SupersaturatedNote = nullptr;  // shown while a state lies beyond saturation
    QComboBox* FirstSlotBox = nullptr;     // the first known parameter of a typed pair
    QLineEdit* FirstValueBox = nullptr;    // its value
    QComboBox* SecondSlotBox = nullptr;    // the second known parameter
    QLineEdit* SecondValueBox = nullptr;   // its value
    QPushButton* AddPairButton = nullptr;  // "添加"
    QPushButton* TakeResultButton = nullptr;  // "取查询结果"
    QPushButton* RenameButton = nullptr;      // "重命名"
    QPushButton* DeleteButton = nullptr;      // "删除"
    QPushButton* MoveUpButton = nullptr;      // "上移"
    QPushButton* MoveDownButton = nullptr;    // "下移"
    QPushButton* ProcessesButton = nullptr;   // "过程与混合…"
    QPushButton* CopyTableButton = nullptr;   // "复制表格"
    QPushButton* SaveTableButton = nullptr;   // "保存为CSV…"
    QPushButton* CloseButton = nullptr;       // "关闭"

public slots:
    void AddPairButton_Click();     // add the state of the typed pair
    void TakeResultButton_Click();  // add the state the results window shows
    void RenameButton_Click();      // edit the selected state's label
    void DeleteButton_Click();      // delete the selected state and what depends on it
    void MoveUpButton_Click();
    void MoveDownButton_Click();
    void ProcessesButton_Click();
    void CopyTableButton_Click();
    void SaveTableButton_Click();
    void CloseButton_Click();
    // A label or a note was typed into the table.
    void StateTable_ItemChanged(QTableWidgetItem* item);

private:
    void CreateControls();
    // Tells the keeper of an edit, or shows why it was refused.
    void EditDone(const std::string& problem);
    // Moves the selected state by `step` places.
    void MoveSelected(int step);

    ProjectHost& m_host;
    // While ShowProject fills the table, its changes are not the user's.
    bool m_filling = false;
};

}  // namespace hygrova
