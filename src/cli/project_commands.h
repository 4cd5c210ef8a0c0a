#pragma once

// The design commands of hygrova-calc, on the process's standard streams:
//   mix 'NAME=VALUE NAME=VALUE' 'NAME=VALUE NAME=VALUE' (--ratio A:B | --flows A:B)
//   process 'NAME=VALUE NAME=VALUE' 'NAME=VALUE NAME=VALUE' [--flow F [--flow-unit kg/h]]
//   project FILE
// each with --pressure PA (mix and process) and --json. Exit statuses as calc_commands.h's.

#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace hygrova {

class ProjectCommands {
public:
    // Adds the three commands to `app`; mix's and process's --pressure write `pressurePa`.
    ProjectCommands(CLI::App& app, std::string& pressurePa);
    ProjectCommands(const ProjectCommands&) = delete;  // CLI11 holds the members' addresses
    ProjectCommands& operator=(const ProjectCommands&) = delete;

    // Whether the command line named one of the three.
    bool Parsed() const;
    // Runs the command named; gives the exit status.
    int Run() const;

private:
    int RunMix() const;
    int RunProcess() const;
    int RunProject() const;

    CLI::App* m_mix = nullptr;
    CLI::App* m_process = nullptr;
    CLI::App* m_project = nullptr;
    std::string& m_pressurePa;
    std::vector<std::string> m_states;  // the two states of mix or process
    std::string m_ratio;                // --ratio A:B, dry-air masses
    std::string m_flows;                // --flows A:B, m3/h
    std::string m_flow;                 // --flow, m3/h at the inlet or kg/h
    std::string m_flowUnit = "m3/h";
    std::string m_file;
    bool m_json = false;
};

}  // namespace hygrova
