#include "shell/windows/states_window.h"

#include "common/state_texts.h"
#include "query/state_point.h"
#include "shell/widgets/entry_text.h"
#include "shell/widgets/id_table.h"
#include "shell/widgets/question_box.h"
#include "shell/widgets/warning_box.h"
#include "shell/windows/project_file_dialogs.h"
#include "shell/windows/project_host.h"

#include <algorithm>

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTableWidget>
#include <QVBoxLayout>

namespace hygrova {
namespace {

enum StateColumn : int { kLabelColumn = 0, kNoteColumn = 1 + kStateQuantityCount, kOriginColumn };

const QColor kSupersaturatedText(200, 0, 0);

QStringList ColumnCaptions()
{
    QStringList captions{QStringLiteral("名称")};
    for (const QuantityCaption& quantity : kQuantityCaptions) {
        captions << QString::fromUtf8(quantity.caption.data(),
                                      static_cast<qsizetype>(quantity.caption.size()));
    }
    captions << QStringLiteral("备注") << QStringLiteral("说明");
    return captions;
}

// The parameters a pair is typed in, in the query's order (QuerySlot).
QComboBox* SlotBox(QWidget* parent, int slot)
{
    auto* box = new QComboBox(parent);
    for (const StateQuantity quantity : kSlotQuantities) {
        const std::string_view caption = kQuantityCaptions[quantity].caption;
        box->addItem(
            QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())));
    }
    box->setCurrentIndex(slot);
    return box;
}

QString Qs(const std::string& text)
{
    return QString::fromStdString(text);
}

}  // namespace

StatesWindow::StatesWindow(ProjectHost& host, QWidget* owner)
    : QWidget(owner, Qt::Window), m_host(host)
{
    setObjectName(QStringLiteral("StatesWindow"));
    setWindowTitle(QStringLiteral("状态点"));
    CreateControls();
    ShowProject();
}

void StatesWindow::CreateControls()
{
    StateTable = MakeIdTable(this, ColumnCaptions());
    StateTable->setObjectName(QStringLiteral("StateTable"));
    StateTable->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    StateTable->horizontalHeader()->setStretchLastSection(true);
    connect(StateTable, &QTableWidget::itemChanged, this, &StatesWindow::StateTable_ItemChanged);

    SupersaturatedNote = new QLabel(
        QStringLiteral("红色名称的状态点在饱和线之外（相对湿度超过 100%），按其定义保留，"
                       "图上以空心圆表示。"),
        this);
    SupersaturatedNote->setWordWrap(true);
    SupersaturatedNote->setStyleSheet(QStringLiteral("color: rgb(200, 0, 0)"));
    SupersaturatedNote->hide();

    FirstSlotBox = SlotBox(this, kDryBulbSlot);
    SecondSlotBox = SlotBox(this, kRelHumiditySlot);
    FirstValueBox = new QLineEdit(this);
    SecondValueBox = new QLineEdit(this);
    const auto button = [this](const char* caption, const char* name,
                               void (StatesWindow::*handler)()) {
        auto* b = new QPushButton(QString::fromUtf8(caption), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, handler);
        return b;
    };
    AddPairButton = button("添加(&A)", "AddPairButton", &StatesWindow::AddPairButton_Click);
    TakeResultButton =
        button("取查询结果(&R)", "TakeResultButton", &StatesWindow::TakeResultButton_Click);
    RenameButton = button("重命名(&N)", "RenameButton", &StatesWindow::RenameButton_Click);
    DeleteButton = button("删除(&D)", "DeleteButton", &StatesWindow::DeleteButton_Click);
    MoveUpButton = button("上移(&U)", "MoveUpButton", &StatesWindow::MoveUpButton_Click);
    MoveDownButton = button("下移(&W)", "MoveDownButton", &StatesWindow::MoveDownButton_Click);
    ProcessesButton =
        button("过程与混合(&P)…", "ProcessesButton", &StatesWindow::ProcessesButton_Click);
    CopyTableButton = button("复制表格(&C)", "CopyTableButton", &StatesWindow::CopyTableButton_Click);
    SaveTableButton = button("保存为CSV(&V)…", "SaveTableButton", &StatesWindow::SaveTableButton_Click);
    CloseButton = button("关闭", "CloseButton", &StatesWindow::CloseButton_Click);
    // Enter in a value box adds the pair.
    connect(FirstValueBox, &QLineEdit::returnPressed, this, &StatesWindow::AddPairButton_Click);
    connect(SecondValueBox, &QLineEdit::returnPressed, this, &StatesWindow::AddPairButton_Click);

    auto* pairRow = new QHBoxLayout;
    pairRow->addWidget(new QLabel(QStringLiteral("已知参数："), this));
    for (QWidget* w : std::initializer_list<QWidget*>{FirstSlotBox, FirstValueBox, SecondSlotBox,
                                                      SecondValueBox, AddPairButton,
                                                      TakeResultButton}) {
        pairRow->addWidget(w);
    }
    pairRow->addStretch();
    auto* commandRow = new QHBoxLayout;
    for (QPushButton* b : {RenameButton, DeleteButton, MoveUpButton, MoveDownButton,
                           ProcessesButton, CopyTableButton, SaveTableButton}) {
        commandRow->addWidget(b);
    }
    commandRow->addStretch();
    commandRow->addWidget(CloseButton);
    // The keyboard goes through the controls as they stand, row by row.
    QWidget* previous = StateTable;
    for (QWidget* next : std::initializer_list<QWidget*>{
             FirstSlotBox, FirstValueBox, SecondSlotBox, SecondValueBox, AddPairButton,
             TakeResultButton, RenameButton, DeleteButton, MoveUpButton, MoveDownButton,
             ProcessesButton, CopyTableButton, SaveTableButton, CloseButton}) {
        setTabOrder(previous, next);
        previous = next;
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(StateTable, 1);
    layout->addWidget(SupersaturatedNote);
    layout->addLayout(pairRow);
    layout->addLayout(commandRow);
    resize(WidthShowingColumns(*StateTable, *this, 1000), 420);
}

void StatesWindow::ShowProject()
{
    const std::optional<std::uint32_t> selected = SelectedId(*StateTable);
    const ProjectEvaluation& evaluation = m_host.Evaluation();
    m_filling = true;
    StateTable->setRowCount(static_cast<int>(evaluation.states.size()));
    bool anySupersaturated = false;
    for (int row = 0; row < StateTable->rowCount(); ++row) {
        const StateRow& state = evaluation.states[row];
        QStringList texts{Qs(state.label)};
        for (const std::string& text : state.texts) {
            texts << Qs(text);
        }
        QString origin = Qs(state.origin);
        for (const std::string* extra : {&state.problem, &state.remark}) {
            if (!extra->empty()) {
                origin += QStringLiteral("；") + Qs(*extra);
            }
        }
        texts << Qs(state.note) << origin;
        SetIdRow(*StateTable, row, state.id, texts, {kLabelColumn, kNoteColumn});
        if (!state.remark.empty()) {
            anySupersaturated = true;
            StateTable->item(row, kLabelColumn)->setForeground(kSupersaturatedText);
            StateTable->item(row, kOriginColumn)->setForeground(kSupersaturatedText);
        }
    }
    m_filling = false;
    SupersaturatedNote->setVisible(anySupersaturated);
    if (selected) {
        SelectId(*StateTable, *selected);
    }
}

void StatesWindow::EditDone(const std::string& problem)
{
    if (!problem.empty()) {
        ShowWarningBox(this, Qs(problem));
    }
    m_host.ProjectEdited();
}

void StatesWindow::AddPairButton_Click()
{
    int first = FirstSlotBox->currentIndex();
    int second = SecondSlotBox->currentIndex();
    std::string firstText = EntryText(FirstValueBox->text());
    std::string secondText = EntryText(SecondValueBox->text());
    if (first > second) {
        std::swap(first, second);
        std::swap(firstText, secondText);
    }
    const EditOutcome outcome =
        m_host.CurrentProject().AddTypedState({first, firstText, second, secondText});
    EditDone(outcome.problem);
    if (outcome.id != 0) {
        SelectId(*StateTable, outcome.id);
        FirstValueBox->clear();
        SecondValueBox->clear();
        FirstValueBox->setFocus();
    }
}

void StatesWindow::TakeResultButton_Click()
{
    const std::optional<KnownPair> pair = m_host.ResultsPair();
    if (!pair) {
        ShowWarningBox(this, QStringLiteral("查询结果窗口中没有状态点，请先查询！"));
        return;
    }
    const EditOutcome outcome = m_host.CurrentProject().AddTypedState(*pair);
    EditDone(outcome.problem);
    if (outcome.id != 0) {
        SelectId(*StateTable, outcome.id);
    }
}

void StatesWindow::RenameButton_Click()
{
    const QList<QTableWidgetItem*> selected = StateTable->selectedItems();
    if (!selected.isEmpty()) {
        StateTable->editItem(StateTable->item(selected.front()->row(), kLabelColumn));
    }
}

void StatesWindow::DeleteButton_Click()
{
    const std::optional<std::uint32_t> id = SelectedId(*StateTable);
    if (!id) {
        return;
    }
    Project& project = m_host.CurrentProject();
    const std::vector<StateId> dependents = project.StatesDependingOn(*id);
    if (!dependents.empty()) {
        QStringList labels;
        for (const StateId dependent : dependents) {
            labels << Qs(project.FindState(dependent)->label);
        }
        const QString question =
            QStringLiteral("删除状态点 %1 将同时删除用到它的操作和由这些操作得出的状态点 %2。"
                           "是否删除？")
                .arg(Qs(project.FindState(*id)->label), labels.join(QStringLiteral("、")));
        if (AskQuestion(this, question, {QStringLiteral("删除"), QStringLiteral("取消")}) != 0) {
            return;
        }
    }
    project.DeleteState(*id);
    m_host.ProjectEdited();
}

void StatesWindow::MoveSelected(int step)
{
    const std::optional<std::uint32_t> id = SelectedId(*StateTable);
    const int row = id ? StateTable->selectedItems().front()->row() : 0;
    if (!id || row + step < 0) {
        return;
    }
    m_host.CurrentProject().MoveState(*id, static_cast<std::size_t>(row + step));
    m_host.ProjectEdited();
    SelectId(*StateTable, *id);
}

void StatesWindow::MoveUpButton_Click()
{
    MoveSelected(-1);
}

void StatesWindow::MoveDownButton_Click()
{
    MoveSelected(1);
}

void StatesWindow::ProcessesButton_Click()
{
    m_host.ShowProcessesWindow();
}

void StatesWindow::CopyTableButton_Click()
{
    CopyProjectTable(m_host.Evaluation());
}

void StatesWindow::SaveTableButton_Click()
{
    SaveProjectTableAsked(this, m_host.Evaluation());
}

void StatesWindow::CloseButton_Click()
{
    hide();
}

void StatesWindow::StateTable_ItemChanged(QTableWidgetItem* item)
{
    if (m_filling || (item->column() != kLabelColumn && item->column() != kNoteColumn)) {
        return;
    }
    const StateId id = IdOfRow(*StateTable, item->row());
    Project& project = m_host.CurrentProject();
    const std::string text = item->text().toStdString();
    const std::string problem = item->column() == kLabelColumn ? project.RenameState(id, text)
                                                               : project.SetStateNote(id, text);
    // The table is still inside the edit, whose item the new rows would replace: the rows
    // are shown again once the edit is over.
    QTimer::singleShot(0, this, [this, problem] { EditDone(problem); });
}

}  // namespace hygrova
