// hygrova-calc: the state-point calculation of Hygrova's results window on the command line
// and over measurement logs.

#include "cli/calc_commands.h"
#include "common/standard_pressure.h"
#include "query/pressure_rule.h"
#ifdef HYGROVA_WITH_PROJECT
#include "cli/project_commands.h"
#endif

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

namespace {

// The help as help2man reads it into the manual page: each option's default in its
// description, and with --help-all one sub-section per command listing all of its options.
class HelpFormatter : public CLI::Formatter {
public:
    std::string make_option_opts(const CLI::Option* option) const override
    {
        if (option->get_type_size() == 0) {
            return {};
        }
        const std::string& type = option->get_type_name();
        const bool many = option->get_expected_max() == CLI::detail::expected_max_vector_size;
        return (type.empty() ? "" : " " + type) + (many ? " ..." : "");
    }

    std::string make_option_desc(const CLI::Option* option) const override
    {
        const std::string& fallback = option->get_default_str();
        return option->get_description() +
               (fallback.empty() ? "" : " (default: " + fallback + ")");
    }

    std::string make_subcommands(const CLI::App* app, CLI::AppFormatMode mode) const override
    {
        if (mode != CLI::AppFormatMode::All) {
            return Formatter::make_subcommands(app, mode);
        }
        std::string text;
        for (const CLI::App* command : app->get_subcommands({})) {
            text += "\nOptions of " + app->get_name() + " " + command->get_name() + ":\n";
            for (const CLI::Option* option : command->get_options()) {
                if (option != command->get_help_ptr() && option != command->get_help_all_ptr()) {
                    text += make_option(option, option->get_positional());
                }
            }
        }
        return text;
    }
};

// The flags --decimal-comma and --decimal-point of a command, which exclude each other, with
// when each is the default.
void AddDecimalMarkFlags(CLI::App* command, bool& comma, bool& point,
                         const std::string& commaDefault, const std::string& pointDefault)
{
    const auto help = [](const std::string& mark, const std::string& fallback) {
        return "Numbers have a decimal " + mark + (fallback.empty() ? "" : " (" + fallback + ")");
    };
    CLI::Option* commaFlag =
        command->add_flag("--decimal-comma", comma, help("comma, 20,5", commaDefault));
    command->add_flag("--decimal-point", point, help("point, 20.5", pointDefault))
        ->excludes(commaFlag);
}

// A pressure limit as the help text shows it, whole Pa.
std::string PaText(float pressurePa)
{
    return std::to_string(std::lround(pressurePa));
}

}  // namespace

int main(int argc, char** argv)
{
    using hygrova::DecimalMark;
    CLI::App app(
        "Computes the state of moist air from two known parameters, with the same "
        "numbers and texts as Hygrova's results window.",
        "hygrova-calc");
    app.set_version_flag("--version", "hygrova-calc " HYGROVA_VERSION);
    app.formatter(std::make_shared<HelpFormatter>());  // before the commands, which take it
    app.set_help_all_flag("--help-all", "Print the options of every command and exit");
    app.require_subcommand(1);
    const std::string standardPressurePa(hygrova::kStandardPressureText);

    CLI::App* state = app.add_subcommand(
        "state", "Prints the eight quantities of one state: caption, text and unit per line.");
    hygrova::StateCommand stateCommand{{}, standardPressurePa};
    bool stateDecimalComma = false, stateDecimalPoint = false;
    state->add_option("NAME=VALUE", stateCommand.assignments,
                      "Two known parameters, e.g. tdb=20 rh=50")
        ->type_name("");
    state->add_option("--pressure", stateCommand.pressurePa, "Atmospheric pressure, Pa")
        ->type_name("PA")
        ->capture_default_str();
    state->add_flag("--json", stateCommand.json, "Print one JSON object instead of lines");
    AddDecimalMarkFlags(state, stateDecimalComma, stateDecimalPoint, "", "default");

    CLI::App* batch = app.add_subcommand(
        "batch",
        "Reads a CSV log of two parameters per row (and optionally p, Pa) and writes its other "
        "columns followed by tdb,twb,tdp,rh,d,h,v,pv,message.");
    hygrova::BatchCommand batchCommand;
    batchCommand.pressurePa = standardPressurePa;
    bool decimalComma = false, decimalPoint = false;
    batch->add_option("FILE", batchCommand.input,
                      "Input CSV file; - or nothing reads the standard input")
        ->type_name("")
        ->capture_default_str();
    batch->add_option("--jobs,-j", batchCommand.jobs,
                      "Threads that solve rows, 1 to 64; the order is kept")
        ->type_name("N")
        ->check(CLI::Range(1u, 64u).description(""))
        ->capture_default_str();
    batch->add_option("--pressure", batchCommand.pressurePa,
                      "Atmospheric pressure for rows without p, Pa")
        ->type_name("PA")
        ->capture_default_str();
    batch->add_option("--columns", batchCommand.columns,
                      "Columns of the parameters (and p) by name, e.g. tdb=T_out,rh=RH_out; "
                      "default: the columns named tdb, twb, tdp, rh, d, h and p")
        ->type_name("NAME=COLUMN,...");
    AddDecimalMarkFlags(batch, decimalComma, decimalPoint,
                        "default for semicolon-separated logs",
                        "default for comma- and tab-separated logs");

    std::string examples =
        "  hygrova-calc state tdb=20 rh=50\n"
        "  hygrova-calc state tdb=20 twb=15 --pressure 90000 --json\n"
        "  hygrova-calc batch measurements.csv --jobs 2 > states.csv\n"
        "  hygrova-calc batch logger.csv --columns tdb=T_out,rh=RH_out > states.csv\n";
#ifdef HYGROVA_WITH_PROJECT
    std::string designPressurePa = standardPressurePa;  // mix's and process's --pressure
    hygrova::ProjectCommands design(app, designPressurePa);
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
        PaText(hygrova::kApplyPressureLimits.maximumPa) + ", default " + standardPressurePa + ".\n\nExamples:\n" + examples +
        "\n'hygrova-calc state --help', 'hygrova-calc batch --help' and so on show the options "
        "of each command, 'hygrova-calc --help-all' all of them.");

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
        stateCommand.decimalMark = stateDecimalComma ? DecimalMark::kComma : DecimalMark::kPoint;
        return hygrova::RunStateCommand(stateCommand);
    }
    if (decimalComma || decimalPoint) {
        batchCommand.decimalMark = decimalComma ? DecimalMark::kComma : DecimalMark::kPoint;
    }
    return hygrova::RunBatchCommand(batchCommand);
}
