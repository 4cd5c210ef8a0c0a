#include "shell/windows/processes_window.h"

#include "shell/widgets/entry_text.h"
#include "shell/widgets/id_table.h"
#include "shell/widgets/warning_box.h"
#include "shell/windows/project_file_dialogs.h"
#include "shell/windows/project_host.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace hygrova {
namespace {

QString Qs(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QStringList ColumnCaptions()
{
    QStringList captions{QStringLiteral("操作"), QStringLiteral("类型"), QStringLiteral("定义")};
    for (const FigureColumn& figure : kFigureColumns) {
        captions << Qs(figure.caption);
    }
    captions << QStringLiteral("说明");
    return captions;
}

QComboBox* ChoiceBox(QWidget* parent, const QStringList& entries)
{
    auto* box = new QComboBox(parent);
    box->addItems(entries);
    return box;
}

}  // namespace

ProcessesWindow::ProcessesWindow(ProjectHost& host, QWidget* owner)
    : QWidget(owner, Qt::Window), m_host(host)
{
    setObjectName(QStringLiteral("ProcessesWindow"));
    setWindowTitle(QStringLiteral("过程与混合"));
    CreateControls();
    ShowProject();
}

QPushButton* ProcessesWindow::AddButton(const char* caption, const char* name,
                                        void (ProcessesWindow::*handler)())
{
    auto* button = new QPushButton(QString::fromUtf8(caption), this);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, handler);
    return button;
}

QWidget* ProcessesWindow::CreateProcessPage()
{
    auto* page = new QWidget;
    FlowBox = new QLineEdit(page);
    FlowBox->setPlaceholderText(QStringLiteral("可不填"));
    FlowUnitBox = ChoiceBox(page, {QStringLiteral("m3/h（按起点比容）"),
                                   QStringLiteral("kg/h（干空气）")});
    AddProcessButton =
        AddButton("连成过程(&P)", "AddProcessButton", &ProcessesWindow::AddProcessButton_Click);
    SetFlowButton = AddButton("改风量(&F)", "SetFlowButton", &ProcessesWindow::SetFlowButton_Click);
    auto* row = new QHBoxLayout(page);
    row->addWidget(new QLabel(QStringLiteral("状态点1 → 状态点2，风量："), page));
    row->addWidget(FlowBox);
    row->addWidget(FlowUnitBox);
    row->addWidget(AddProcessButton);
    row->addWidget(SetFlowButton);
    row->addStretch();
    return page;
}

QWidget* ProcessesWindow::CreateMixPage()
{
    auto* page = new QWidget;
    MixBasisBox =
        ChoiceBox(page, {QStringLiteral("干空气质量比"), QStringLiteral("风量(m3/h)")});
    // Equal parts until the user types others.
    FirstShareBox = new QLineEdit(QStringLiteral("1"), page);
    SecondShareBox = new QLineEdit(QStringLiteral("1"), page);
    AddMixButton = AddButton("混合(&M)", "AddMixButton", &ProcessesWindow::AddMixButton_Click);
    auto* row = new QHBoxLayout(page);
    row->addWidget(new QLabel(QStringLiteral("状态点1 与 状态点2 按"), page));
    row->addWidget(MixBasisBox);
    row->addWidget(FirstShareBox);
    row->addWidget(new QLabel(QStringLiteral(":"), page));
    row->addWidget(SecondShareBox);
    row->addWidget(AddMixButton);
    row->addStretch();
    return page;
}

QWidget* ProcessesWindow::CreateLinePage()
{
    auto* page = new QWidget;
    EpsilonBox = new QLineEdit(page);
    EpsilonBox->setPlaceholderText(QStringLiteral("kJ/kg，或 ∞"));
    LineEndBox = ChoiceBox(page, {QStringLiteral("至相对湿度(%)"), QStringLiteral("至干球温度(℃)"),
                                  QStringLiteral("温差Δt(K)")});
    LineEndValueBox = new QLineEdit(page);
    AddLineButton = AddButton("画热湿比线(&E)", "AddLineButton", &ProcessesWindow::AddLineButton_Click);
    auto* row = new QHBoxLayout(page);
    row->addWidget(new QLabel(QStringLiteral("过状态点1，热湿比ε："), page));
    row->addWidget(EpsilonBox);
    row->addWidget(LineEndBox);
    row->addWidget(LineEndValueBox);
    row->addWidget(AddLineButton);
    row->addStretch();
    return page;
}

void ProcessesWindow::CreateControls()
{
    OperationTable = MakeIdTable(this, ColumnCaptions());
    OperationTable->setObjectName(QStringLiteral("OperationTable"));
    OperationTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    OperationTable->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    OperationTable->horizontalHeader()->setStretchLastSection(true);

    FirstStateBox = new QComboBox(this);
    FirstStateBox->setObjectName(QStringLiteral("FirstStateBox"));
    SecondStateBox = new QComboBox(this);
    SecondStateBox->setObjectName(QStringLiteral("SecondStateBox"));
    for (QComboBox* box : {FirstStateBox, SecondStateBox}) {
        box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        box->setMinimumContentsLength(4);
    }
    KindTabs = new QTabWidget(this);
    KindTabs->addTab(CreateProcessPage(), QStringLiteral("过程(&1)"));
    KindTabs->addTab(CreateMixPage(), QStringLiteral("混合(&2)"));
    KindTabs->addTab(CreateLinePage(), QStringLiteral("热湿比线(&3)"));

    DeleteButton = AddButton("删除(&D)", "DeleteButton", &ProcessesWindow::DeleteButton_Click);
    MoveUpButton = AddButton("上移(&U)", "MoveUpButton", &ProcessesWindow::MoveUpButton_Click);
    MoveDownButton = AddButton("下移(&W)", "MoveDownButton", &ProcessesWindow::MoveDownButton_Click);
    CopyTableButton =
        AddButton("复制表格(&C)", "CopyTableButton", &ProcessesWindow::CopyTableButton_Click);
    SaveTableButton =
        AddButton("保存为CSV(&V)…", "SaveTableButton", &ProcessesWindow::SaveTableButton_Click);
    CloseButton = AddButton("关闭", "CloseButton", &ProcessesWindow::CloseButton_Click);
    HelpText = new QLabel(Qs(kProcessFiguresHelp), this);
    HelpText->setWordWrap(true);
    HelpText->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* stateRow = new QHBoxLayout;
    stateRow->addWidget(new QLabel(QStringLiteral("状态点1："), this));
    stateRow->addWidget(FirstStateBox);
    stateRow->addWidget(new QLabel(QStringLiteral("状态点2："), this));
    stateRow->addWidget(SecondStateBox);
    stateRow->addStretch();
    auto* commandRow = new QHBoxLayout;
    for (QPushButton* b :
         {DeleteButton, MoveUpButton, MoveDownButton, CopyTableButton, SaveTableButton}) {
        commandRow->addWidget(b);
    }
    commandRow->addStretch();
    commandRow->addWidget(CloseButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(OperationTable, 1);
    layout->addLayout(stateRow);
    layout->addWidget(KindTabs);
    layout->addLayout(commandRow);
    layout->addWidget(HelpText);
    resize(WidthShowingColumns(*OperationTable, *this, 1100), 560);
}

void ProcessesWindow::ShowProject()
{
    const ProjectEvaluation& evaluation = m_host.Evaluation();
    const std::optional<std::uint32_t> selected = SelectedId(*OperationTable);
    OperationTable->setRowCount(static_cast<int>(evaluation.operations.size()));
    for (int row = 0; row < OperationTable->rowCount(); ++row) {
        const OperationRow& operation = evaluation.operations[row];
        QStringList texts{Qs(operation.title), Qs(operation.kindName), Qs(operation.definition)};
        for (const std::string& figure : operation.figures) {
            texts << Qs(figure);
        }
        texts << Qs(operation.problem);
        SetIdRow(*OperationTable, row, operation.id, texts);
    }
    if (selected) {
        SelectId(*OperationTable, *selected);
    }
    for (QComboBox* box : {FirstStateBox, SecondStateBox}) {
        const QVariant chosen = box->currentData();
        box->clear();
        for (const StateRow& state : evaluation.states) {
            box->addItem(Qs(state.label), QVariant::fromValue<quint32>(state.id));
        }
        const int index = box->findData(chosen);
        box->setCurrentIndex(index >= 0 ? index : (box == SecondStateBox ? 1 : 0));
    }
}

std::uint32_t ProcessesWindow::ChosenState(const QComboBox& box) const
{
    return box.currentIndex() >= 0 ? box.currentData().value<quint32>() : 0;
}

void ProcessesWindow::EditDone(const std::string& problem, std::uint32_t id)
{
    if (!problem.empty()) {
        ShowWarningBox(this, QString::fromStdString(problem));
        return;
    }
    m_host.ProjectEdited();
    if (id != 0) {
        SelectId(*OperationTable, id);
    }
}

AirFlow ProcessesWindow::GatherFlow() const
{
    return {EntryText(FlowBox->text()), FlowUnitBox->currentIndex() == 1
                                            ? FlowUnit::KilogramsPerHour
                                            : FlowUnit::CubicMetresPerHour};
}

void ProcessesWindow::AddProcessButton_Click()
{
    const AirFlow flow = GatherFlow();
    const EditOutcome outcome = m_host.CurrentProject().AddProcess(
        ChosenState(*FirstStateBox), ChosenState(*SecondStateBox), flow);
    EditDone(outcome.problem, outcome.id);
}

void ProcessesWindow::SetFlowButton_Click()
{
    const std::optional<std::uint32_t> id = SelectedId(*OperationTable);
    if (!id) {
        ShowWarningBox(this, QStringLiteral("请先在表中选择一个过程！"));
        return;
    }
    const AirFlow flow = GatherFlow();
    EditDone(m_host.CurrentProject().SetProcessFlow(*id, flow), *id);
}

void ProcessesWindow::AddMixButton_Click()
{
    const MixAmounts amounts{
        MixBasisBox->currentIndex() == 1 ? MixBasis::Flows : MixBasis::MassRatio,
        EntryText(FirstShareBox->text()), EntryText(SecondShareBox->text())};
    const EditOutcome outcome = m_host.CurrentProject().AddMix(
        ChosenState(*FirstStateBox), ChosenState(*SecondStateBox), amounts);
    EditDone(outcome.problem, 0);
}

void ProcessesWindow::AddLineButton_Click()
{
    constexpr LineEnd kEnds[] = {LineEnd::RelHumidity, LineEnd::DryBulb,
                                 LineEnd::TemperatureChange};
    const EpsilonLine line{EntryText(EpsilonBox->text()), kEnds[LineEndBox->currentIndex()],
                           EntryText(LineEndValueBox->text())};
    const EditOutcome outcome =
        m_host.CurrentProject().AddEpsilonLine(ChosenState(*FirstStateBox), line);
    EditDone(outcome.problem, 0);
}

void ProcessesWindow::DeleteButton_Click()
{
    if (const std::optional<std::uint32_t> id = SelectedId(*OperationTable)) {
        m_host.CurrentProject().DeleteOperation(*id);
        m_host.ProjectEdited();
    }
}

void ProcessesWindow::MoveSelected(int step)
{
    const std::optional<std::uint32_t> id = SelectedId(*OperationTable);
    const int row = id ? OperationTable->selectedItems().front()->row() : 0;
    if (!id || row + step < 0) {
        return;
    }
    m_host.CurrentProject().MoveOperation(*id, static_cast<std::size_t>(row + step));
    m_host.ProjectEdited();
    SelectId(*OperationTable, *id);
}

void ProcessesWindow::MoveUpButton_Click()
{
    MoveSelected(-1);
}

void ProcessesWindow::MoveDownButton_Click()
{
    MoveSelected(1);
}

void ProcessesWindow::CopyTableButton_Click()
{
    CopyProjectTable(m_host.Evaluation());
}

void ProcessesWindow::SaveTableButton_Click()
{
    SaveProjectTableAsked(this, m_host.Evaluation());
}

void ProcessesWindow::CloseButton_Click()
{
    hide();
}

}  // namespace hygrova
