#pragma once

// hygrova-calc's zone command: how many readings of a log lie inside limits of dry bulb and
// relative humidity (and optionally moisture content), their share and, for a log with
// timestamps, their hours: the window's zone figures on the command line.

#include "cli/calc_commands.h"

#include <string>

namespace CLI {
class App;
}

namespace hygrova {

struct ZoneCommand {
    BatchCommand log;  // the file and how it is read, as batch reads it
    std::string tdb;   // LOW:HIGH, deg C
    std::string rh;    // LOW:HIGH, %
    std::string d;     // LOW:HIGH, g/kg dry air; empty for none
    bool json = false;
};

// Adds `zone FILE --tdb A:B --rh A:B [--d A:B] [--pressure PA] [--columns ...] [--jobs N]
// [--decimal-comma|--decimal-point] [--json]` to `app`, filling `command`.
CLI::App* AddZoneCommand(CLI::App& app, ZoneCommand& command);

// Prints "count: N", "share: S %" and "hours: H" (or one JSON object), the failed rows on
// the standard error as batch tells them. Exit statuses as batch's.
int RunZoneCommand(const ZoneCommand& command);

}  // namespace hygrova
