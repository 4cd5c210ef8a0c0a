// hygrova-calc: the state-point calculation of Hygrova's results window on the command line
// and over files of measurements.

#include "cli/calc_commands.h"
#include "common/standard_pressure.h"
#include "query/pressure_rule.h"
#ifdef HYGROVA_WITH_PROJECT
#include "cli/project_commands.h"
#endif

#include <cmath>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

namespace {

// A pressure limit as the help text shows it, whole Pa.
std::string PaText(float pressurePa)
{
    return std::to_string(std::lround(pressurePa));
}

}  // namespace

int main(int argc, char** argv)
{
    CLI::App app(
        "Computes the state of moist air from two known parameters, with the same "
        "numbers and texts as Hygrova's results window.",
        "hygrova-calc");
    app.set_version_flag("--version", "hygrova-calc " HYGROVA_VERSION);
    app.require_subcommand(1);
    std::string pressurePa(hygrova::kStandardPressureText);

    CLI::App* state = app.add_subcommand(
        "state", "Prints the eight quantities of one state: caption, text and unit per line.");
    std::vector<std::string> assignments;
    bool json = false;
    state->add_option("NAME=VALUE", assignments, "Two known parameters, e.g. tdb=20 rh=50");
    state->add_option("--pressure", pressurePa, "Atmospheric pressure, Pa");
    state->add_flag("--json", json, "Print one JSON object instead of lines");

    CLI::App* batch = app.add_subcommand(
        "batch",
        "Reads CSV rows of two parameters (and optionally p, Pa) and writes the columns "
        "tdb,twb,tdp,rh,d,h,v,pv,message.");
    std::string input = "-";
    unsigned jobs = 1;
    batch->add_option("FILE", input, "Input CSV file; - or nothing reads the standard input");
    batch->add_option("--jobs,-j", jobs, "Threads that solve rows; the order is kept")
        ->check(CLI::Range(1u, 64u));
    batch->add_option("--pressure", pressurePa, "Atmospheric pressure for rows without p, Pa");

    std::string examples =
        "  hygrova-calc state tdb=20 rh=50\n"
        "  hygrova-calc state tdb=20 twb=15 --pressure 90000 --json\n"
        "  hygrova-calc batch measurements.csv --jobs 2 > states.csv\n";
#ifdef HYGROVA_WITH_PROJECT
    hygrova::ProjectCommands design(app, pressurePa);
    examples +=
        "  hygrova-calc mix 'tdb=30 rh=60' 'tdb=24 rh=50' --ratio 1:3\n"
        "  hygrova-calc process 'tdb=30 rh=60' 'tdb=14 rh=95' --flow 10000\n"
        "  hygrova-calc project design.hygrova --json\n";
#endif

    // Set last: subcommands take the footer of their parent when they are added.
    app.footer(
        "Parameters: tdb dry bulb, twb wet bulb and tdp dew point temperature (degrees "
        "Celsius), rh relative humidity (%), d moisture content (g/kg dry air), h enthalpy "
        "(kJ/kg dry air). Pressures in Pa, " +
        PaText(hygrova::kApplyPressureLimits.minimumPa) + " to " +
        PaText(hygrova::kApplyPressureLimits.maximumPa) + ", default " + pressurePa +
        ".\n\nExamples:\n" + examples +
        "\n'hygrova-calc state --help', 'hygrova-calc batch --help' and so on show the options "
        "of each command.");

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        return app.exit(error) == 0 ? 0 : hygrova::kExitUnusable;
    }
#ifdef HYGROVA_WITH_PROJECT
    if (design.Parsed()) {
        return design.Run();
    }
#endif
    if (state->parsed()) {
        return hygrova::RunStateCommand(assignments, pressurePa, json);
    }
    return hygrova::RunBatchCommand(input, jobs, pressurePa);
}
