#include "model/properties.h"

#include "model/arithmetic_fault.h"
#include "model/checked_math.h"

#include <cmath>
#include <functional>
#include <limits>
#include <optional>
#include <vector>

#include <gtest/gtest.h>

namespace hygrova {
namespace {

constexpr float kStandardPressureHpa = 1013.25f;

// Reference values of the formulas with their single-precision rounding points, each within
// one unit of the last digit shown with it (20 deg C to seven significant digits). Source:
// the Goff-Gratch equation evaluated by hand step by step in the model's precision; at 20
// deg C: T = 293.16, x = 0.9317778, S = -1.636776, 17.54031 mmHg, 23.38474 hPa. Published
// saturation pressures over water (ASHRAE Handbook - Fundamentals 2017, ch. 1, eq. 6,
// Hyland-Wexler): 6.1121 hPa at 0 deg C, 23.388 at 20, 199.44 at 60 and 1014.19 at 100; the
// values here lie within 0.1 % of them.
TEST(PropertiesTest, SaturationPressureReferenceValues)
{
    EXPECT_NEAR(SaturationPressure(0.0f), 6.1113, 1e-4);
    EXPECT_NEAR(SaturationPressure(20.0f), 23.38474, 1e-5);
    EXPECT_NEAR(SaturationPressure(-20.0f), 1.25482, 1e-5);  // same formula below freezing
    EXPECT_NEAR(SaturationPressure(60.0f), 199.34, 0.01);
    EXPECT_NEAR(SaturationPressure(100.0f), 1013.57, 0.01);
    // Water boils at about 100 deg C under one standard atmosphere (1013.25 hPa, the
    // definition of the normal boiling point).
    EXPECT_NEAR(SaturationPressure(100.0f), kStandardPressureHpa, 0.5f);
    // Increasing over the whole temperature range of the chart and the query.
    float previous = SaturationPressure(-30.0f);
    for (float t = -29.5f; t <= 70.0f; t += 0.5f) {
        const float ps = SaturationPressure(t);
        EXPECT_GT(ps, previous) << "t = " << t;
        previous = ps;
    }
}

// Source: the closed forms evaluated by hand at their single-precision rounding points.
TEST(PropertiesTest, ClosedFormReferenceValues)
{
    const float b = kStandardPressureHpa;
    // Saturated air at 20 deg C.
    EXPECT_NEAR(MoistureContentOf(23.3847f, b), 14.6942, 1e-4);
    EXPECT_NEAR(EnthalpyOf(20.0f, 14.6942f), 57.4939, 1e-4);
    // 20 deg C with 10 g/kg.
    EXPECT_NEAR(EnthalpyOf(20.0f, 10.0f), 45.58, 0.01);
    EXPECT_NEAR(TemperatureOf(EnthalpyOf(20.0f, 10.0f), 10.0f), 20.0, 1e-5);
    EXPECT_NEAR(VapourPressureOf(10.0f, b), 16.0324, 1e-4);
    EXPECT_NEAR(SpecificVolumeOf(20.0f, 10.0f, b), 0.844691, 1e-6);
    // 20 deg C dry bulb, 15 deg C wet bulb.
    EXPECT_NEAR(MoistureContentOf(SaturationPressure(15.0f), b), 10.6472, 1e-4);
    EXPECT_NEAR(WetBulbMoisture(10.6472f, 20.0f, 15.0f), 8.5775, 1e-4);

    // Independent anchors: enthalpy is counted from dry air at 0 deg C, and dry air at 0 deg C
    // and one atmosphere fills about 0.7735 m3/kg (ideal gas, R = 287 J/kgK).
    EXPECT_EQ(EnthalpyOf(0.0f, 0.0f), 0.0f);
    EXPECT_EQ(MoistureContentOf(0.0f, b), 0.0f);
    EXPECT_NEAR(SpecificVolumeOf(0.0f, 0.0f, b), 0.7735, 0.002);
    // Relative humidity is a fraction, and supersaturation is returned as computed.
    EXPECT_EQ(RelativeHumidityOf(11.5f, 23.0f), 0.5f);
    EXPECT_EQ(RelativeHumidityOf(30.0f, 20.0f), 1.5f);
}

// Above 4.581 mmHg (0 deg C) the upper correlation applies, at and below it the lower one.
TEST(PropertiesTest, DewPointBranches)
{
    EXPECT_NEAR(DewPointOf(16.0324f), 14.0607, 1e-4);                   // 10 g/kg
    EXPECT_NEAR(DewPointOf(SaturationPressure(20.0f)), 20.0103, 1e-4);  // 17.54 mmHg
    EXPECT_NEAR(DewPointOf(SaturationPressure(0.0f)), 0.0093, 1e-4);    // 4.5839 mmHg: upper
    // No published figures below freezing: the lower correlation follows the saturation curve
    // within a tenth of a degree down to -20 deg C (the upper one would be 0.5 K off there).
    EXPECT_NEAR(DewPointOf(SaturationPressure(-10.0f)), -10.0, 0.1);
    EXPECT_NEAR(DewPointOf(SaturationPressure(-20.0f)), -20.0, 0.1);
    // The two branches meet at 0 deg C: just either side of 4.581 mmHg both give 0 within
    // a few thousandths, still increasing across the seam.
    const float below = DewPointOf(static_cast<float>(4.5805 * 1.3332));
    const float above = DewPointOf(static_cast<float>(4.5815 * 1.3332));
    EXPECT_NEAR(below, 0.0, 0.003);
    EXPECT_NEAR(above, 0.0, 0.003);
    EXPECT_LT(below, above);
    // Exactly 4.581 mmHg belongs to the lower branch, which gives just below 0 there (the
    // upper one gives +0.0005).
    const auto seam = static_cast<float>(4.581f * 1.3332);
    EXPECT_NEAR(DewPointOf(seam), 0.0, 0.0002);
}

// Each inverse pair undoes the other within single-precision rounding.
TEST(PropertiesTest, InversePairsRoundTrip)
{
    struct TemperatureCase {
        float t;  // deg C
        float d;  // g/kg
    };
    for (const TemperatureCase c :
         {TemperatureCase{20.0f, 10.0f}, TemperatureCase{-30.0f, 0.2f}, TemperatureCase{0.0f, 3.8f},
          TemperatureCase{70.0f, 45.0f}, TemperatureCase{35.5f, 0.0f}}) {
        EXPECT_NEAR(TemperatureOf(EnthalpyOf(c.t, c.d), c.d), c.t, 2e-5)
            << "t = " << c.t << ", d = " << c.d;
    }
    for (const float b : {500.0f, kStandardPressureHpa, 2000.0f}) {
        for (const float pv : {0.5f, 6.1f, 23.4f, 311.0f}) {
            EXPECT_NEAR(VapourPressureOf(MoistureContentOf(pv, b), b), pv, 4e-7 * pv)
                << "pv = " << pv << ", B = " << b;
        }
    }
    // Air whose wet-bulb temperature equals its dry-bulb temperature is saturated.
    for (const float t : {-20.0f, 0.0f, 15.0f, 45.0f}) {
        const float ds = MoistureContentOf(SaturationPressure(t), kStandardPressureHpa);
        EXPECT_FLOAT_EQ(WetBulbMoisture(ds, t, t), ds) << "t = " << t;
    }
    // The wet-bulb depression dries the air.
    EXPECT_LT(WetBulbMoisture(10.6472f, 25.0f, 15.0f), WetBulbMoisture(10.6472f, 20.0f, 15.0f));
}

struct FaultCase {
    const char* name;
    std::function<void()> compute;
    std::optional<FaultKind> kind;  // empty: any kind of fault
};

TEST(PropertiesTest, FaultsInsteadOfValues)
{
    const float b = kStandardPressureHpa;
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const std::vector<FaultCase> cases = {
        {"vapour pressure equal to the total pressure", [b] { MoistureContentOf(b, b); },
         FaultKind::DivisionByZero},
        {"moisture content of -622 g/kg", [b] { VapourPressureOf(-622.0f, b); },
         FaultKind::DivisionByZero},
        {"dew point of no vapour", [] { DewPointOf(0.0f); }, FaultKind::InvalidArgument},
        {"dew point of a negative pressure", [] { DewPointOf(-1.0f); }, FaultKind::InvalidArgument},
        {"relative humidity against zero saturation pressure",
         [] { RelativeHumidityOf(10.0f, 0.0f); }, FaultKind::DivisionByZero},
        {"relative humidity 0/0", [] { RelativeHumidityOf(0.0f, 0.0f); },
         FaultKind::InvalidOperation},
        {"specific volume at zero pressure", [] { SpecificVolumeOf(20.0f, 10.0f, 0.0f); },
         FaultKind::DivisionByZero},
        {"absolute zero", [] { SaturationPressure(-273.16f); }, std::nullopt},
        {"far below absolute zero", [] { SaturationPressure(-1e6f); }, std::nullopt},
        {"infinite temperature", [] { SaturationPressure(INFINITY); }, FaultKind::Overflow},
        {"not a number", [nan] { SaturationPressure(nan); }, FaultKind::InvalidOperation},
        {"enthalpy beyond single precision", [] { EnthalpyOf(3e38f, 1000.0f); },
         FaultKind::Overflow},
        {"finite double too large for float", [] { Single(1e39); }, FaultKind::Overflow},
        {"power of ten overflowing", [] { Pow10(400.0); }, FaultKind::Overflow},
        {"logarithm of zero", [] { Ln(0.0); }, FaultKind::InvalidArgument},
        {"division by zero", [] { Divide(1.0, 0.0); }, FaultKind::DivisionByZero},
        {"zero by zero", [] { Divide(0.0, 0.0); }, FaultKind::InvalidOperation},
    };
    for (const FaultCase& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            c.compute();
            ADD_FAILURE() << "no fault raised";
        } catch (const ArithmeticFault& fault) {
            if (c.kind) {
                EXPECT_EQ(fault.kind(), *c.kind);
            }
            EXPECT_EQ(fault.what(), FaultDescription(fault.kind()));
            EXPECT_FALSE(std::string(fault.what()).empty());
        }
    }
}

// Underflow is not a fault: values too small for their type become 0.
TEST(PropertiesTest, UnderflowIsNotAFault)
{
    EXPECT_EQ(Single(1e-60), 0.0f);
    EXPECT_EQ(Pow10(-400.0), 0.0);
    // 0.16 K: the saturation pressure underflows to nothing.
    EXPECT_EQ(SaturationPressure(-273.0f), 0.0f);
}

}  // namespace
}  // namespace hygrova
