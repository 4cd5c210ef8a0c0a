#include "cli/project_commands.h"

#include "cli/calc_commands.h"
#include "cli/project_texts.h"
#include "cli/state_command.h"
#include "project/project_file.h"
#include "project/project_table.h"
#include "query/pressure_rule.h"

#include <cstdio>
#include <string_view>

#include <CLI/CLI.hpp>

namespace hygrova {
namespace {

void PrintError(std::string_view message)
{
    std::fprintf(stderr, "%.*s\n", static_cast<int>(message.size()), message.data());
}

// A project of the two states given on the command line, or the exit status of the reason
// there is none (after its message).
struct TwoStates {
    Project project;
    StateId first = 0;
    StateId second = 0;
    int status = 0;
};

TwoStates AddTwoStates(const std::vector<std::string>& arguments, const std::string& pressurePa)
{
    TwoStates states;
    if (const std::string problem = states.project.SetPressure(pressurePa); !problem.empty()) {
        PrintError(problem);
        states.status = kExitProblem;
        return states;
    }
    StateId* const ids[] = {&states.first, &states.second};
    for (std::size_t i = 0; i < 2; ++i) {
        const PairArgument argument =
            PairFromArgument(arguments[i], states.project.PressureHpa());
        if (!argument.problem.empty()) {
            PrintError("hygrova-calc: '" + arguments[i] + "': " + argument.problem);
            states.status = kExitUnusable;
            return states;
        }
        const EditOutcome added = argument.warning.empty()
                                      ? states.project.AddTypedState(argument.pair)
                                      : EditOutcome{0, argument.warning};
        if (!added.problem.empty()) {
            PrintError("'" + arguments[i] + "': " + added.problem);
            states.status = kExitProblem;
            return states;
        }
        *ids[i] = added.id;
    }
    return states;
}

}  // namespace

ProjectCommands::ProjectCommands(CLI::App& app, std::string& pressurePa) : m_pressurePa(pressurePa)
{
    const char* const stateHelp = "Two states, each as one argument 'NAME=VALUE NAME=VALUE'";
    m_mix = app.add_subcommand(
        "mix", "Prints the mixed state of two airs as the state command does: caption, text and "
               "unit per line.");
    m_mix->add_option("STATE", m_states, stateHelp)->expected(2)->required()->type_name("");
    CLI::Option* ratio =
        m_mix->add_option("--ratio", m_ratio, "Dry-air masses first:second, e.g. 1:3; or --flows")
            ->type_name("A:B");
    CLI::Option* flows =
        m_mix->add_option("--flows", m_flows,
                          "Air flows first:second, m3/h at each state's specific volume")
            ->type_name("A:B");
    ratio->excludes(flows);
    m_mix->add_option("--pressure", m_pressurePa, "Atmospheric pressure, Pa")
        ->type_name("PA")
        ->capture_default_str();
    m_mix->add_flag("--json", m_json, "Print one JSON object instead of lines");

    m_process = app.add_subcommand(
        "process", "Prints the differences of a process from the first state to the second: dt, "
                   "dd, dh, the heat-moisture ratio, the sensible and latent parts, and with a "
                   "flow the loads.");
    m_process->add_option("STATE", m_states, stateHelp)->expected(2)->required()->type_name("");
    m_process->add_option("--flow", m_flow,
                          "Air flow in --flow-unit; without it no loads are printed")
        ->type_name("F");
    m_process->add_option("--flow-unit", m_flowUnit,
                          "m3/h at the inlet state's specific volume, or kg/h of dry air")
        ->type_name("UNIT")
        ->check(CLI::IsMember({"m3/h", "kg/h"}).description(""))
        ->capture_default_str();
    m_process->add_option("--pressure", m_pressurePa, "Atmospheric pressure, Pa")
        ->type_name("PA")
        ->capture_default_str();
    m_process->add_flag("--json", m_json, "Print one JSON object instead of lines");

    m_project = app.add_subcommand(
        "project", "Prints a project file's states and operations as the windows show them: a "
                   "tab-separated table, or JSON.");
    m_project->add_option("FILE", m_file, "Project file (.hygrova)")->required()->type_name("");
    m_project->add_flag("--json", m_json, "Print one JSON document instead of the table");
}

bool ProjectCommands::Parsed() const
{
    return m_mix->parsed() || m_process->parsed() || m_project->parsed();
}

int ProjectCommands::Run() const
{
    if (m_mix->parsed()) {
        return RunMix();
    }
    return m_process->parsed() ? RunProcess() : RunProject();
}

int ProjectCommands::RunMix() const
{
    if (m_ratio.empty() == m_flows.empty()) {
        PrintError("hygrova-calc: mix takes --ratio A:B or --flows A:B");
        return kExitUnusable;
    }
    const bool byRatio = !m_ratio.empty();
    const auto shares = SplitShares(byRatio ? m_ratio : m_flows);
    if (!shares) {
        PrintError(std::string("hygrova-calc: ") + (byRatio ? "--ratio" : "--flows") +
                   " takes two numbers as A:B, e.g. 1:3");
        return kExitUnusable;
    }
    TwoStates states = AddTwoStates(m_states, m_pressurePa);
    if (states.status != 0) {
        return states.status;
    }
    const MixAmounts amounts = {byRatio ? MixBasis::MassRatio : MixBasis::Flows, shares->first,
                                shares->second};
    const EditOutcome mix = states.project.AddMix(states.first, states.second, amounts);
    if (!mix.problem.empty()) {
        PrintError(mix.problem);
        return kExitProblem;
    }
    const ProjectEvaluation evaluation = EvaluateProject(states.project);
    const StateRow& row = evaluation.states.back();
    if (!row.remark.empty()) {
        PrintError(row.remark);
    }
    return PrintOutput(m_json ? StateJson(row.texts) : StateLines(row.texts));
}

int ProjectCommands::RunProcess() const
{
    TwoStates states = AddTwoStates(m_states, m_pressurePa);
    if (states.status != 0) {
        return states.status;
    }
    const AirFlow flow = {m_flow, m_flowUnit == "kg/h" ? FlowUnit::KilogramsPerHour
                                                       : FlowUnit::CubicMetresPerHour};
    const EditOutcome process = states.project.AddProcess(states.first, states.second, flow);
    if (!process.problem.empty()) {
        PrintError(process.problem);
        return kExitProblem;
    }
    const ProjectEvaluation evaluation = EvaluateProject(states.project);
    const OperationRow& row = evaluation.operations.back();
    if (!row.problem.empty()) {
        PrintError(row.problem);
        return kExitProblem;
    }
    return PrintOutput(m_json ? ProcessJson(row.figures) : ProcessLines(row.figures));
}

int ProjectCommands::RunProject() const
{
    const ProjectReading reading = OpenProjectFile(m_file);
    if (!reading.project) {
        PrintError("hygrova-calc: " + reading.problem);
        return kExitUnusable;
    }
    const ProjectEvaluation evaluation = EvaluateProject(*reading.project);
    const int status = PrintOutput(m_json ? EvaluationJson(*reading.project, evaluation)
                                          : ProjectTableTsv(evaluation));
    std::size_t failed = 0;
    for (const StateRow& row : evaluation.states) {
        failed += row.problem.empty() ? 0 : 1;
    }
    for (const OperationRow& row : evaluation.operations) {
        failed += row.problem.empty() ? 0 : 1;
    }
    if (failed > 0) {
        PrintError("hygrova-calc: " + std::to_string(failed) +
                   " states or operations have no results; their problems are in the output");
        return status == 0 ? kExitProblem : status;
    }
    return status;
}

}  // namespace hygrova
