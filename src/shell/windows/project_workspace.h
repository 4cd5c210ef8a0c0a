#pragma once

#include "shell/windows/project_host.h"

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>

class QAction;

namespace hygrova {

class Form1;
class MeasuredLayer;
class ProcessesWindow;
class StatesWindow;

// The main window's air-handling design: it keeps the project, its file and the windows that
// edit it, draws the project's layer on the chart, and adds the project's commands to the
// chart's context menu. The chart, the menu bar and the specified windows stay as they are:
// with an empty project the layer is empty and nothing of this shows on the chart.
class ProjectWorkspace : public QObject, public ProjectHost {
    Q_OBJECT

public:
    // The project's windows are the main window's children and go with it.
    explicit ProjectWorkspace(Form1& main);

    // ProjectHost.
    Project& CurrentProject() override { return m_project; }
    const ProjectEvaluation& Evaluation() const override { return m_evaluation; }
    void ProjectEdited() override;
    std::optional<KnownPair> ResultsPair() override;
    void ShowProcessesWindow() override;

    // The zones of the measured data are kept in the design's file: the project takes the
    // zones the user applies, and an opened project gives the layer its zones.
    void KeepZonesOf(MeasuredLayer& measured);
    // The main window drew its chart again: the project takes the chart's pressure and look
    // (the settings dialog may have changed them) and the layer is placed anew.
    void ChartRedrawn();
    // The readout panel's caption shows a new pressure, as typed (Pa).
    void NotePressureText(const QString& pressureText);
    // The chart's context menu opens at this point of the picture (pixels).
    void NoteMenuPoint(const QPoint& picturePoint) { m_menuPoint = picturePoint; }
    // Whether the program may close: true when nothing unsaved would be lost, or the user
    // saved or dropped it; false when the user cancelled.
    bool MayClose();

    // Saves the project to `path`; a failure shows the warning box. Gives whether it saved.
    bool SaveProjectAt(const QString& path);
    // Opens the project file at `path` in place of the present project and shows it: the
    // chart takes its pressure, colors and spacings. A file that cannot be read shows the
    // reader's message and leaves the present project as it was. Gives whether it opened.
    bool OpenProjectAt(const QString& path);
    // The file the project was last saved to or opened from; empty for a new project.
    const QString& ProjectPath() const { return m_path; }
    StatesWindow* ExistingStatesWindow() const;
    ProcessesWindow* ExistingProcessesWindow() const;

    // The context menu's commands, after the chart's three.
    QAction* menu_add_state = nullptr;     // "在此处添加状态点"
    QAction* menu_states = nullptr;        // "状态点…"
    QAction* menu_processes = nullptr;     // "过程与混合…"
    QAction* menu_show_layer = nullptr;    // "显示状态点图层", checkable
    QAction* menu_clear_layer = nullptr;   // "清除状态点图层"
    QAction* menu_save_project = nullptr;  // "保存项目…", Ctrl+S
    QAction* menu_open_project = nullptr;  // "打开项目…", Ctrl+O

public slots:
    void menu_add_state_Click();
    void menu_states_Click();
    void menu_processes_Click();
    void menu_show_layer_Toggle(bool shown);
    void menu_clear_layer_Click();
    void menu_save_project_Click();
    void menu_open_project_Click();

private:
    void CreateMenuCommands();
    StatesWindow& States();
    ProcessesWindow& Processes();
    // Asks whether to save unsaved work before it is dropped; false when the user cancels
    // (or the save failed), true when nothing is unsaved or it was saved or dropped.
    bool UnsavedWorkSettled();
    // Takes a project in place of the present one and shows it.
    void ReplaceProject(Project project, const QString& path);
    // Places the layer on the chart as the project stands now (empty while hidden).
    void PlaceLayerOnChart();

    Form1& m_main;
    Project m_project;
    ProjectEvaluation m_evaluation;
    QString m_path;
    // The pressure the readout panel names, as typed (Pa); the project takes it.
    QString m_pressureText;
    QPoint m_menuPoint;
    bool m_layerShown = true;
    QPointer<StatesWindow> m_states;
    QPointer<ProcessesWindow> m_processes;
};

}  // namespace hygrova
