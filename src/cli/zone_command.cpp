#include "cli/zone_command.h"

#include "measured/measured_log.h"
#include "measured/zone.h"

#include <cstdio>
#include <string_view>

#include <CLI/CLI.hpp>

namespace hygrova {
namespace {

void PrintError(std::string_view message)
{
    std::fprintf(stderr, "%.*s\n", static_cast<int>(message.size()), message.data());
}

std::string Fixed(double value, int decimals)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string ZoneLines(const ZoneCount& count)
{
    return "count: " + std::to_string(count.count) + "\nshare: " + Fixed(count.share * 100, 2) +
           " %\nhours: " +
           (count.hours ? Fixed(*count.hours, 1) : std::string("none (the log has no timestamps)")) +
           "\n";
}

std::string ZoneJson(const ZoneCount& count)
{
    return "{\"readings\": " + std::to_string(count.readings) +
           ", \"count\": " + std::to_string(count.count) + ", \"share\": " +
           Fixed(count.share, 6) + ", \"hours\": " + (count.hours ? Fixed(*count.hours, 3) : "null") +
           "}\n";
}

}  // namespace

CLI::App* AddZoneCommand(CLI::App& app, ZoneCommand& command)
{
    CLI::App* zone = app.add_subcommand(
        "zone", "Reads a CSV log as batch does and prints how many readings lie inside limits "
                "of dry bulb and relative humidity, their share and their hours.");
    zone->add_option("FILE", command.log.input, "Input CSV file")->type_name("")->required();
    zone->add_option("--tdb", command.tdb, "Dry-bulb limits, deg C, e.g. 20:26")
        ->type_name("LOW:HIGH")
        ->required();
    zone->add_option("--rh", command.rh, "Relative-humidity limits, %, e.g. 30:60")
        ->type_name("LOW:HIGH")
        ->required();
    zone->add_option("--d", command.d, "Moisture-content limits, g/kg dry air; default: none")
        ->type_name("LOW:HIGH");
    zone->add_option("--pressure", command.log.pressurePa,
                     "Atmospheric pressure for rows without p, Pa")
        ->type_name("PA")
        ->capture_default_str();
    zone->add_option("--columns", command.log.columns,
                     "Columns of the parameters (and p) by name, as for batch")
        ->type_name("NAME=COLUMN,...");
    zone->add_option("--jobs,-j", command.log.jobs, "Threads that solve rows, 1 to 64")
        ->type_name("N")
        ->check(CLI::Range(1u, 64u).description(""))
        ->capture_default_str();
    zone->add_flag("--json", command.json, "Print one JSON object instead of lines");
    return zone;
}

int RunZoneCommand(const ZoneCommand& command)
{
    const ZoneReading zone = ReadZone({"", command.tdb, command.rh, command.d});
    if (!zone.limits) {
        PrintError("hygrova-calc: --" + zone.badField + ": \"" + zone.badText +
                   "\" is not LOW:HIGH, two numbers with LOW not above HIGH, e.g. 20:26");
        return kExitUnusable;
    }
    const LogOptionsReading options = ReadLogOptions(command.log);
    if (options.status != 0) {
        return options.status;
    }
    const MeasuredLog log = ReadMeasuredFile(command.log.input, options.options);
    if (!log.summary.headerProblem.empty()) {
        PrintError("hygrova-calc: " + log.summary.headerProblem);
        return kExitUnusable;
    }
    const ZoneCount count = CountZone(log, *zone.limits);
    if (const int status = PrintOutput(command.json ? ZoneJson(count) : ZoneLines(count));
        status != 0) {
        return status;
    }
    PrintSummary(log.summary);
    return log.summary.failedRows > 0 ? kExitProblem : 0;
}

}  // namespace hygrova
