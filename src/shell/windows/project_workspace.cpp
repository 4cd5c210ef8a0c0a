#include "shell/windows/project_workspace.h"

#include "chart/chart_mapping.h"
#include "common/app_state.h"
#include "model/arithmetic_fault.h"
#include "project/project_file.h"
#include "shell/platform/twips.h"
#include "shell/widgets/chart_surface.h"
#include "shell/widgets/layer_drawing.h"
#include "shell/widgets/question_box.h"
#include "shell/widgets/warning_box.h"
#include "shell/widgets/window_helpers.h"
#include "shell/windows/form1_main_window.h"
#include "shell/windows/form5_results_window.h"
#include "shell/windows/measured_layer.h"
#include "shell/windows/processes_window.h"
#include "shell/windows/project_file_dialogs.h"
#include "shell/windows/states_window.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QMenu>

namespace hygrova {
namespace {

const QString kSaveQuestion = QStringLiteral("状态点和过程已修改，是否保存项目？");

ChartLook LookOf(const AppState& state)
{
    return {state.MoistureLineColor,   state.EnthalpyLineColor,   state.RhLineColor,
            state.IsothermColor,       state.MoistureLineSpacing, state.EnthalpyLineSpacing,
            state.IsothermSpacing};
}

void ApplyLook(const ChartLook& look, AppState& state)
{
    state.MoistureLineColor = look.moistureLineColor;
    state.EnthalpyLineColor = look.enthalpyLineColor;
    state.RhLineColor = look.rhLineColor;
    state.IsothermColor = look.isothermColor;
    state.MoistureLineSpacing = look.moistureLineSpacing;
    state.EnthalpyLineSpacing = look.enthalpyLineSpacing;
    state.IsothermSpacing = look.isothermSpacing;
}

std::string FileName(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

}  // namespace

ProjectWorkspace::ProjectWorkspace(Form1& main) : QObject(&main), m_main(main)
{
    m_evaluation = EvaluateProject(m_project);
    CreateMenuCommands();
}

void ProjectWorkspace::KeepZonesOf(MeasuredLayer& measured)
{
    // The zones window checks the zones as the file's reader does.
    measured.ZonesApplied = [this](const std::vector<ZoneDefinition>& zones) {
        m_project.SetZones(zones);
    };
}

void ProjectWorkspace::CreateMenuCommands()
{
    QMenu& menu = *m_main.ChartMenu;
    menu.addSeparator();
    menu_add_state = menu.addAction(QStringLiteral("在此处添加状态点"));
    menu_states = menu.addAction(QStringLiteral("状态点…"));
    menu_processes = menu.addAction(QStringLiteral("过程与混合…"));
    menu_show_layer = menu.addAction(QStringLiteral("显示状态点图层"));
    menu_show_layer->setCheckable(true);
    menu_show_layer->setChecked(true);
    menu_clear_layer = menu.addAction(QStringLiteral("清除状态点图层"));
    menu.addSeparator();
    menu_save_project = menu.addAction(QStringLiteral("保存项目…"));
    menu_open_project = menu.addAction(QStringLiteral("打开项目…"));
    const std::pair<QAction*, const char*> names[] = {
        {menu_add_state, "menu_add_state"},       {menu_states, "menu_states"},
        {menu_processes, "menu_processes"},       {menu_show_layer, "menu_show_layer"},
        {menu_clear_layer, "menu_clear_layer"},   {menu_save_project, "menu_save_project"},
        {menu_open_project, "menu_open_project"}};
    for (const auto& [action, name] : names) {
        action->setObjectName(QString::fromLatin1(name));
    }
    // Like the chart's own keys, these work anywhere in the active main window.
    for (const auto& [action, key] : {std::pair{menu_save_project, Qt::Key_S},
                                      std::pair{menu_open_project, Qt::Key_O}}) {
        action->setShortcut(QKeySequence(Qt::CTRL | key));
        action->setShortcutContext(Qt::WindowShortcut);
        m_main.addAction(action);
    }
    connect(menu_add_state, &QAction::triggered, this, &ProjectWorkspace::menu_add_state_Click);
    connect(menu_states, &QAction::triggered, this, &ProjectWorkspace::menu_states_Click);
    connect(menu_processes, &QAction::triggered, this, &ProjectWorkspace::menu_processes_Click);
    connect(menu_show_layer, &QAction::toggled, this, &ProjectWorkspace::menu_show_layer_Toggle);
    connect(menu_clear_layer, &QAction::triggered, this,
            &ProjectWorkspace::menu_clear_layer_Click);
    connect(menu_save_project, &QAction::triggered, this,
            &ProjectWorkspace::menu_save_project_Click);
    connect(menu_open_project, &QAction::triggered, this,
            &ProjectWorkspace::menu_open_project_Click);
}

StatesWindow& ProjectWorkspace::States()
{
    if (!m_states) {
        m_states = new StatesWindow(*this, &m_main);
    }
    return *m_states;
}

ProcessesWindow& ProjectWorkspace::Processes()
{
    if (!m_processes) {
        m_processes = new ProcessesWindow(*this, &m_main);
    }
    return *m_processes;
}

StatesWindow* ProjectWorkspace::ExistingStatesWindow() const
{
    return m_states;
}

ProcessesWindow* ProjectWorkspace::ExistingProcessesWindow() const
{
    return m_processes;
}

void ProjectWorkspace::ProjectEdited()
{
    m_evaluation = EvaluateProject(m_project);
    PlaceLayerOnChart();
    if (m_states) {
        m_states->ShowProject();
    }
    if (m_processes) {
        m_processes->ShowProject();
    }
}

void ProjectWorkspace::PlaceLayerOnChart()
{
    ChartSurface& picture = *m_main.Picture1;
    if (!m_layerShown) {
        picture.SetLayer({});
        return;
    }
    picture.SetLayer(PlaceLayer(OverlayOf(m_evaluation), TheAppState().ChartUnit,
                                picture.HeightTwips(), TwipsPerPixel(&picture)));
}

std::optional<KnownPair> ProjectWorkspace::ResultsPair()
{
    const Form5* results = m_main.ExistingResultsWindow();
    return results != nullptr ? results->ShownPair() : std::nullopt;
}

void ProjectWorkspace::ShowProcessesWindow()
{
    ShowAndRaise(Processes());
}

void ProjectWorkspace::ChartRedrawn()
{
    const std::uint64_t revision = m_project.Revision();
    m_project.SetLook(LookOf(TheAppState()));
    if (!m_pressureText.isEmpty()) {
        m_project.SetPressure(m_pressureText.toStdString());
    }
    if (m_project.Revision() != revision) {
        ProjectEdited();
    } else {
        PlaceLayerOnChart();
    }
}

void ProjectWorkspace::NotePressureText(const QString& pressureText)
{
    m_pressureText = pressureText.trimmed();
}

bool ProjectWorkspace::UnsavedWorkSettled()
{
    if (m_project.IsEmpty() || !m_project.IsModified()) {
        return true;
    }
    switch (AskToSave(&m_main, kSaveQuestion)) {
    case SaveAnswer::Save: {
        const QString path =
            m_path.isEmpty() ? AskProjectFileToSave(&m_main, m_path) : m_path;
        return !path.isEmpty() && SaveProjectAt(path);
    }
    case SaveAnswer::Discard:
        return true;
    case SaveAnswer::Cancel:
        break;
    }
    return false;
}

bool ProjectWorkspace::MayClose()
{
    if (!UnsavedWorkSettled()) {
        return false;
    }
    // The project's windows belong to the main window and go with it.
    for (QWidget* window : {static_cast<QWidget*>(m_states), static_cast<QWidget*>(m_processes)}) {
        if (window != nullptr) {
            window->hide();
        }
    }
    return true;
}

bool ProjectWorkspace::SaveProjectAt(const QString& path)
{
    const std::string problem = SaveProjectFile(FileName(path), m_project);
    if (!problem.empty()) {
        ShowWarningBox(&m_main, QString::fromStdString(problem));
        return false;
    }
    m_path = path;
    return true;
}

bool ProjectWorkspace::OpenProjectAt(const QString& path)
{
    ProjectReading reading = OpenProjectFile(FileName(path));
    if (!reading.project) {
        ShowWarningBox(&m_main, QString::fromStdString(reading.problem));
        return false;
    }
    ReplaceProject(std::move(*reading.project), path);
    return true;
}

void ProjectWorkspace::ReplaceProject(Project project, const QString& path)
{
    m_project = std::move(project);
    m_path = path;
    AppState& state = TheAppState();
    ApplyLook(m_project.Look(), state);
    state.AtmosphericPressure = m_project.PressureHpa();
    m_main.Measured->SetZones(m_project.Zones());
    m_main.ShowPressureCaption(QString::fromStdString(m_project.PressureText()));
    m_main.RedrawChart();
    ProjectEdited();
}

void ProjectWorkspace::menu_add_state_Click()
{
    const float unit = TheAppState().ChartUnit;
    ChartSurface& picture = *m_main.Picture1;
    const double tpp = TwipsPerPixel(&picture);
    EditOutcome outcome;
    try {
        const ChartState at =
            MapFromChart(static_cast<float>(m_menuPoint.x() * tpp),
                         static_cast<float>(m_menuPoint.y() * tpp), unit, picture.HeightTwips());
        outcome = m_project.AddStateAtChart(at.d, at.h);
    } catch (const ArithmeticFault& fault) {
        outcome.problem = fault.what();
    }
    if (!outcome.problem.empty()) {
        ShowWarningBox(&m_main, QString::fromStdString(outcome.problem));
        return;
    }
    menu_show_layer->setChecked(true);
    ProjectEdited();
    ShowAbove(States());
}

void ProjectWorkspace::menu_states_Click()
{
    ShowAndRaise(States());
}

void ProjectWorkspace::menu_processes_Click()
{
    ShowProcessesWindow();
}

void ProjectWorkspace::menu_show_layer_Toggle(bool shown)
{
    m_layerShown = shown;
    PlaceLayerOnChart();
}

void ProjectWorkspace::menu_clear_layer_Click()
{
    if (!UnsavedWorkSettled()) {
        return;
    }
    // A new, empty project at the chart's pressure and look; nothing in it is unsaved.
    Project empty;
    empty.SetLook(m_project.Look());
    empty.SetPressure(m_project.PressureText());
    empty.MarkSaved();
    m_project = std::move(empty);
    m_path.clear();
    ProjectEdited();
}

void ProjectWorkspace::menu_save_project_Click()
{
    const QString path = AskProjectFileToSave(&m_main, m_path);
    if (!path.isEmpty()) {
        SaveProjectAt(path);
    }
}

void ProjectWorkspace::menu_open_project_Click()
{
    if (!UnsavedWorkSettled()) {
        return;
    }
    const QString path =
        AskProjectFileToOpen(&m_main, m_path.isEmpty() ? QString() : QFileInfo(m_path).path());
    if (!path.isEmpty()) {
        OpenProjectAt(path);
    }
}

}  // namespace hygrova
