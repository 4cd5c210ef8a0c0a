#include "chart/readout.h"
#include "common/standard_pressure.h"
#include "measured/density_grid.h"
#include "measured/log_time.h"
#include "measured/measured_log.h"
#include "measured/zone.h"

#include <algorithm>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

namespace hygrova {
namespace {

// The picture of a main window 12000 twips wide: 9600 x 7680 twips, u = 9600 / 45.
constexpr float kWidth = 9600.0f;
constexpr float kHeight = 7680.0f;
constexpr float kUnit = kWidth / 45.0f;
constexpr float kCell = 120.0f;  // 8 pixels at 96 dots per inch

MeasuredLog ReadText(const std::string& text, const ReadControl& control = {},
                     unsigned jobs = 1, std::size_t chunkLines = 4096)
{
    LineReader reader(BytesOf(text));
    LogOptions options;
    options.jobs = jobs;
    options.chunkLines = chunkLines;
    return ReadMeasuredLog(reader, options, control);
}

TEST(DensityGridTest, ReadingLandsInTheCellWhoseReadoutIsItsState)
{
    // Points of the picture, each at a cell's centre: the pointer readout's dry bulb and
    // relative humidity there, logged and read back, must count in that very cell.
    const float points[][2] = {{2100, 3300}, {1020, 4260}, {660, 4260}, {3060, 1500}};
    std::string log = "tdb,rh\n";
    for (const auto& point : points) {
        const StateTexts texts = ReadoutAt(point[0], point[1], kUnit, kHeight, kStandardPressureHpa);
        ASSERT_FALSE(texts[kQuantityDryBulb].empty()) << point[0] << ", " << point[1];
        log += texts[kQuantityDryBulb] + "," + texts[kQuantityRelHumidity] + "\n";
    }
    const MeasuredLog read = ReadText(log);
    ASSERT_EQ(read.readings.size(), std::size(points));
    const DensityGrid grid = BuildDensityGrid(read.readings, kUnit, kWidth, kHeight, kCell);
    EXPECT_EQ(grid.outside, 0u);
    for (const auto& point : points) {
        const std::optional<DensityCell> cell = CellAt(point[0], point[1], kWidth, kHeight, kCell);
        ASSERT_TRUE(cell);
        EXPECT_EQ(grid.CountAt(*cell), 1u) << point[0] << ", " << point[1];
    }
    EXPECT_FALSE(CellAt(-1, 10, kWidth, kHeight, kCell));
    EXPECT_FALSE(CellAt(10, kHeight, kWidth, kHeight, kCell));
}

// A hand-made log of six hours at 10-minute steps with a gap, a bad row and a blank line.
const std::string kHandLog =
    "time,tdb,rh\n"
    "2026-07-01 08:00,22,45\n"   // inside 20:26 / 30:60, 600 s
    "2026-07-01 08:10,27,45\n"   // too warm
    "2026-07-01 08:20,N/A,45\n"  // line 4 fails
    "2026-07-01 08:30,20,30\n"   // on the limits: inside, 600 s
    "\n"
    "2026-07-01 08:40,26,60\n"   // on the limits: inside; a 3 h gap counts as 600 s
    "2026-07-01 11:40,24,61\n"   // too humid
    "2026-07-01 11:50,25,50\n";  // inside; the last counts the median step, 600 s

TEST(ZoneTest, CountsShareAndHoursOfAHandMadeLog)
{
    for (const unsigned jobs : {1u, 2u}) {
        SCOPED_TRACE(jobs);
        const MeasuredLog log = ReadText(kHandLog, {}, jobs, 2);
        ASSERT_TRUE(log.summary.headerProblem.empty());
        EXPECT_EQ(log.readings.size(), 6u);
        EXPECT_EQ(log.summary.failedRows, 1u);
        EXPECT_EQ(log.summary.blankLines, 1u);
        ASSERT_EQ(log.failures.size(), 1u);
        EXPECT_EQ(log.failures[0], "line 4, column \"tdb\": \"N/A\" is not a number");
        ASSERT_TRUE(log.timed);

        const struct {
            ZoneDefinition zone;
            std::uint64_t count;
            double hours;
        } cases[] = {
            {{"comfort", "20:26", "30:60", ""}, 4, 4 * 600 / 3600.0},
            {{"dry side", "20:26", "30:60", "0:8"}, 2, 2 * 600 / 3600.0},  // 20/30 and 22/45
            {{"all", "-50:100", "0:100", ""}, 6, 6 * 600 / 3600.0},
            {{"none", "30:40", "0:100", ""}, 0, 0},
        };
        for (const auto& c : cases) {
            SCOPED_TRACE(c.zone.label);
            const ZoneReading reading = ReadZone(c.zone);
            ASSERT_TRUE(reading.limits);
            const ZoneCount count = CountZone(log, *reading.limits);
            EXPECT_EQ(count.readings, 6u);
            EXPECT_EQ(count.count, c.count);
            EXPECT_DOUBLE_EQ(count.share, static_cast<double>(c.count) / 6);
            ASSERT_TRUE(count.hours);
            EXPECT_NEAR(*count.hours, c.hours, 1e-9);
        }
    }
    // Without a timestamp column the hours are not given.
    const MeasuredLog untimed = ReadText("tdb,rh\n22,45\n23,50\n");
    EXPECT_FALSE(CountZone(untimed, *ReadZone({"", "20:26", "30:60", ""}).limits).hours);
}

TEST(ZoneTest, ReadsLimitsAndOutlinesThem)
{
    const struct {
        const char* text;
        bool read;
    } ranges[] = {{"20:26", true}, {" -5.5 : 1e1 ", true}, {"26:20", false}, {"20", false},
                  {"20:", false},  {"N/A:30", false},      {"20,5:30", false}};
    for (const auto& r : ranges) {
        EXPECT_EQ(ReadValueRange(r.text).has_value(), r.read) << r.text;
    }
    const ZoneReading bad = ReadZone({"z", "20:26", "60:30", ""});
    EXPECT_EQ(bad.badField, "rh");
    EXPECT_EQ(bad.badText, "60:30");

    // The outline's corners are the zone's corner states: at 20 deg C, 30 % the readout of
    // the outline's first vertex shows 20 and 30.
    const ZoneLimits limits = *ReadZone({"z", "20:26", "30:60", "0:9"}).limits;
    const std::vector<ChartState> outline = ZoneOutline(limits, kStandardPressureHpa);
    ASSERT_FALSE(outline.empty());
    const StateTexts corner = ReadoutOf(outline.front().d, outline.front().h, kStandardPressureHpa);
    EXPECT_NEAR(std::stof(corner[kQuantityDryBulb]), 20.0f, 0.05f);
    EXPECT_NEAR(std::stof(corner[kQuantityRelHumidity]), 30.0f, 0.1f);
    for (const ChartState& s : outline) {
        EXPECT_LE(s.d, 9.0f + 1e-4f);  // cut at the moisture limit
    }
}

TEST(MeasuredLogTest, CancelStopsTheReadAndTimesAreStrict)
{
    std::atomic<bool> cancel{true};
    std::uint64_t progressed = 0;
    const MeasuredLog cancelled =
        ReadText(kHandLog, {[&](std::uint64_t rows) { progressed = rows; }, &cancel}, 1, 2);
    EXPECT_TRUE(cancelled.cancelled);
    EXPECT_EQ(progressed, 2u);  // the first block, then the stop

    const struct {
        const char* text;
        std::optional<std::int64_t> seconds;
    } times[] = {
        {"1970-01-01 00:00", 0},
        {"2026-07-01T08:10:30Z", 1782893430},
        {" 2024/02/29 23:59:59.5 ", 1709251199},
        {"2023-02-29 10:00", std::nullopt},
        {"2026-07-01 24:00", std::nullopt},
        {"08:10", std::nullopt},
    };
    for (const auto& t : times) {
        EXPECT_EQ(ReadLogTime(t.text), t.seconds) << t.text;
    }
}

}  // namespace
}  // namespace hygrova
