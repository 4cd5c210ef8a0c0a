#include "model/solvers.h"

#include "model/arithmetic_fault.h"
#include "model/properties.h"

#include <vector>

#include <gtest/gtest.h>

namespace hygrova {
namespace {

constexpr float kStandardPressureHpa = 1013.25f;

// Enthalpy, kJ/kg, of air at t (deg C) and relative humidity phi (fraction).
float EnthalpyAtRh(float t, float phi, float b)
{
    return EnthalpyOf(t, MoistureContentOf(phi * SaturationPressure(t), b));
}

// Reference values at 1013.25 hPa, to the precision shown with them. Source: the bisection
// carried out by hand, midpoint by midpoint, on the model's formulas; each is checked again
// below against its forward function.
TEST(SolversTest, ReferenceValues)
{
    const float b = kStandardPressureHpa;
    // 20 is the first midpoint of [-30, 70]: an exact hit ends the search at once.
    EXPECT_EQ(TemperatureForSaturationPressure(SaturationPressure(20.0f)), 20.0f);
    EXPECT_NEAR(SaturationTemperatureForEnthalpy(45.58f, b), 16.2262, 1e-4);
    EXPECT_NEAR(TemperatureForRhAndEnthalpy(15.0f, 50.0f, 0.5f, b), 24.836, 1e-3);

    const float t = TemperatureForRhAndEnthalpy(15.0f, 50.0f, 0.5f, b);
    EXPECT_NEAR(EnthalpyAtRh(t, 0.5f, b), 50.0, 1e-3);

    // Saturated air: the rh-and-enthalpy search finds the saturation temperature again.
    const float saturation = SaturationTemperatureForEnthalpy(50.0f, b);
    EXPECT_NEAR(saturation, 17.69, 0.01);
    EXPECT_NEAR(TemperatureForRhAndEnthalpy(saturation, 50.0f, 1.0f, b), saturation,
                kCoarseTolerance + kFineTolerance);
}

// A root outside the search interval is not detected: the result is the last midpoint
// next to the nearer end, without any fault.
TEST(SolversTest, RootOutsideTheIntervalCollapsesOntoTheNearerEnd)
{
    const float b = kStandardPressureHpa;
    EXPECT_NEAR(SaturationTemperatureForEnthalpy(1000.0f, b), 59.9994, 1e-4);
    EXPECT_NEAR(SaturationTemperatureForEnthalpy(-1000.0f, b), -19.9994, 1e-4);
    EXPECT_NEAR(TemperatureForSaturationPressure(400.0f), 69.9999, 1e-4);
    EXPECT_NEAR(TemperatureForSaturationPressure(0.0f), -29.9999, 1e-4);
    EXPECT_NEAR(TemperatureForRhAndEnthalpy(20.0f, 1000.0f, 0.5f, b), 70.0, kFineTolerance);
    EXPECT_NEAR(TemperatureForRhAndEnthalpy(20.0f, -1000.0f, 0.5f, b), 19.0, kFineTolerance);
}

struct PressureCase {
    const char* name;
    float t;  // deg C
    float b;  // hPa
};

// Each solver returns the temperature its forward function started from, to within its
// bisection tolerance.
TEST(SolversTest, RoundTrips)
{
    for (const float t : {-29.5f, -10.0f, 0.0f, 0.01f, 20.5f, 45.0f, 69.5f}) {
        EXPECT_NEAR(TemperatureForSaturationPressure(SaturationPressure(t)), t, kFineTolerance)
            << "t = " << t;
    }
    const std::vector<PressureCase> saturated = {
        {"cold, standard pressure", -19.0f, kStandardPressureHpa},
        {"freezing, standard pressure", 0.0f, kStandardPressureHpa},
        {"warm, standard pressure", 35.0f, kStandardPressureHpa},
        {"hot, standard pressure", 59.0f, kStandardPressureHpa},
        {"mild, high altitude", 16.0f, 600.0f},
        {"hot, high pressure", 45.0f, 2000.0f},
    };
    for (const PressureCase& c : saturated) {
        SCOPED_TRACE(c.name);
        const float h = EnthalpyAtRh(c.t, 1.0f, c.b);
        EXPECT_NEAR(SaturationTemperatureForEnthalpy(h, c.b), c.t, kCoarseTolerance);
    }

    struct RhCase {
        const char* name;
        float t;    // deg C
        float phi;  // fraction
        float b;    // hPa
    };
    const std::vector<RhCase> humid = {
        {"worked example", 24.836f, 0.5f, kStandardPressureHpa},
        {"dry and cold", -15.0f, 0.1f, kStandardPressureHpa},
        {"humid and hot", 60.0f, 0.8f, kStandardPressureHpa},
        {"nearly dry", 30.0f, 0.01f, 800.0f},
        {"saturated", 10.0f, 1.0f, 1500.0f},
    };
    for (const RhCase& c : humid) {
        SCOPED_TRACE(c.name);
        const float h = EnthalpyAtRh(c.t, c.phi, c.b);
        // The search starts one degree below the wet-bulb temperature, as the query does.
        const float tw = SaturationTemperatureForEnthalpy(h, c.b);
        EXPECT_NEAR(TemperatureForRhAndEnthalpy(tw, h, c.phi, c.b), c.t, kFineTolerance);
    }
}

// An interval whose lower end lies above 70 still ends; the result has no meaning but lies
// between the two ends.
TEST(SolversTest, InvertedIntervalEnds)
{
    const float b = kStandardPressureHpa;
    struct InvertedCase {
        const char* name;
        float tLow;
        float phi;
    };
    const std::vector<InvertedCase> cases = {
        {"just inverted", 100.0f, 0.5f},
        {"far above the chart", 1e6f, 0.5f},
        // Dry air: the interval shrinks onto 999999, where neighbouring floats are 0.0625
        // apart, wider than the tolerance.
        {"far above the chart, dry air", 1e6f, 0.0f},
    };
    for (const InvertedCase& c : cases) {
        SCOPED_TRACE(c.name);
        const float t = TemperatureForRhAndEnthalpy(c.tLow, 50.0f, c.phi, b);
        EXPECT_GE(t, 70.0f);
        EXPECT_LE(t, c.tLow - 1.0f);
    }
}

// Faults of the property functions reach the caller of the solver.
// At the standard pressure the wet-bulb search looks up its first midpoints' enthalpies:
// every result is the float the reference's full search gives, across the bracket and beyond.
TEST(SolversTest, KnownMidpointsGiveTheReferenceResults)
{
    for (int i = 0; i <= 20000; ++i) {
        const float h = -60.0f + 560.0f * static_cast<float>(i) / 20000;
        ASSERT_EQ(SaturationTemperatureForEnthalpy(h, kStandardPressureHpa),
                  reference::SaturationTemperatureForEnthalpy(h, kStandardPressureHpa))
            << h;
    }
}

TEST(SolversTest, FaultsPropagate)
{
    // No vapour at zero total pressure: 0/0 in the moisture content.
    try {
        TemperatureForRhAndEnthalpy(15.0f, 50.0f, 0.0f, 0.0f);
        ADD_FAILURE() << "no fault raised";
    } catch (const ArithmeticFault& fault) {
        EXPECT_EQ(fault.kind(), FaultKind::InvalidOperation);
    }
    // A total pressure equal to the saturation pressure at the first midpoint, 20 deg C.
    try {
        SaturationTemperatureForEnthalpy(50.0f, SaturationPressure(20.0f));
        ADD_FAILURE() << "no fault raised";
    } catch (const ArithmeticFault& fault) {
        EXPECT_EQ(fault.kind(), FaultKind::DivisionByZero);
    }
}

}  // namespace
}  // namespace hygrova
