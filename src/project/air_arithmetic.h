#pragma once

// The arithmetic of an air-handling design on states as the program shows them: the
// differences and loads of a process, the mixing of two airs and the end of a line of given
// heat-moisture ratio. It reads a state as its shown texts read back (ShownStateOf), as "描点"
// reads the results window, so that every figure follows from what the user sees. Sums and
// products run in double precision; the callers round what they show.

#include "chart/chart_mapping.h"
#include "common/state_texts.h"
#include "project/project_types.h"

#include <optional>
#include <string_view>

namespace hygrova {

// What the operations read of a state: dry-bulb temperature t (deg C), moisture content d
// (g/kg dry air), enthalpy h (kJ/kg dry air) and specific volume v (m3/kg dry air), each its
// text read with the leading-number parse into single precision.
struct ShownState {
    float t = 0;
    float d = 0;
    float h = 0;
    float v = 0;
};
ShownState ShownStateOf(const StateTexts& texts);

// The differences of a process from `in` to `out`, per kg of dry air.
//  - dt (K), dd (g/kg), dh (kJ/kg): out minus in;
//  - latent (kJ/kg): the heat that evaporates the moisture gained, r0 dd / 1000 with r0 =
//    2501 kJ/kg, the latent heat at 0 deg C that the enthalpy formula uses (negative when
//    moisture is removed);
//  - sensible (kJ/kg): the rest of dh, dh - latent: the heating of the dry air and of the
//    vapour it carries. sensible + latent = dh;
//  - epsilon (kJ/kg): the heat-moisture ratio dh / (dd / 1000); none where dd is 0 (shown
//    as "∞").
struct ProcessDifferences {
    double dt = 0;
    double dd = 0;
    double dh = 0;
    double latent = 0;
    double sensible = 0;
    std::optional<double> epsilon;
};
ProcessDifferences DifferencesOf(const ShownState& in, const ShownState& out);

// The mass flow of dry air, kg/h, of an air flow given in m3/h (divided by the inlet state's
// specific volume, m3/kg) or in kg/h (taken as it is). Throws ArithmeticFault for a volume
// of 0.
double DryAirKgPerHour(double flow, FlowUnit unit, float inletVolume);

// The loads of a process for a dry-air mass flow G (kg/h): total, sensible and latent in kW
// (G x the part of dh / 3600) and the moisture gained in kg/h (G x dd / 1000; negative when
// the air is dried).
struct ProcessLoads {
    double total = 0;
    double sensible = 0;
    double latent = 0;
    double moistureKgPerHour = 0;
};
ProcessLoads LoadsOf(const ProcessDifferences& differences, double dryAirKgPerHour);

// The dry-air mass of a share of a mix: the share itself for a mass ratio, share / v for an
// air flow in m3/h at the state's specific volume v. Throws ArithmeticFault for v = 0.
double MixMass(MixBasis basis, double share, float volume);

// The mixed state of dry-air masses mFirst and mSecond (their sum > 0): d and h are the
// mass-weighted means, rounded to single precision. Nothing is moved back to the saturation
// curve: a mix beyond it stays where the weighting puts it.
ChartState MixOf(const ShownState& first, const ShownState& second, double mFirst,
                 double mSecond);

// Where a line of heat-moisture ratio epsilon (kJ/kg; infinity for constant d) through
// `start` ends: the point of h = h0 + epsilon (d - d0) / 1000 where
//  - LineEnd::RelHumidity: the relative humidity (a fraction) equals endValue: the crossing
//    nearest to the start within the query's moisture range 0..45 g/kg;
//  - LineEnd::DryBulb: the dry-bulb temperature (TemperatureOf) equals endValue, deg C;
//  - LineEnd::TemperatureChange: the dry-bulb temperature equals start.t + endValue.
// pressureHpa: the atmospheric pressure. problem tells why no end was found (the line runs
// parallel to the isotherm, or never reaches its end within 0..45 g/kg); then `at` is
// meaningless.
struct LineEndPoint {
    ChartState at{0, 0};
    std::string_view problem;
};
LineEndPoint EpsilonLineEnd(const ShownState& start, double epsilon, LineEnd end,
                            double endValue, float pressureHpa);

}  // namespace hygrova
