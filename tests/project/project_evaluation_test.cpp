#include "project/project_evaluation.h"

#include "project/project_overlay.h"
#include "project/project_table.h"

#include <string>
#include <variant>
#include <vector>

#include <gtest/gtest.h>

namespace hygrova {
namespace {

// Outdoor air A (30 deg C, 60 %), room air B (24 deg C, 50 %) and the coil's leaving state C
// (14 deg C, 95 %) at 101325 Pa. The results window shows for them:
//   A: t 30, d 16.039, h 71.302, v 0.882;  B: t 24, d 9.298, h 47.906, v 0.855;
//   C: t 14, d 9.464, h 38.054, v 0.827.
// The expected figures below are worked by hand from these shown values.
struct Design {
    Project project;
    StateId a = 0, b = 0, c = 0;
};

Design ThreeStates()
{
    Design design;
    design.a = design.project.AddTypedState({kDryBulbSlot, "30", kRelHumiditySlot, "60"}).id;
    design.b = design.project.AddTypedState({kDryBulbSlot, "24", kRelHumiditySlot, "50"}).id;
    design.c = design.project.AddTypedState({kDryBulbSlot, "14", kRelHumiditySlot, "95"}).id;
    return design;
}

const StateRow& RowOf(const ProjectEvaluation& evaluation, StateId id)
{
    for (const StateRow& row : evaluation.states) {
        if (row.id == id) {
            return row;
        }
    }
    throw std::runtime_error("no row for state " + std::to_string(id));
}

// The results window's texts for a typed pair, from the query itself.
StateTexts QueryTexts(const KnownPair& pair)
{
    return std::get<StateTexts>(SolvePair(pair, 1013.25f));
}

TEST(ProjectEvaluationTest, StatesShowTheResultsWindowTexts)
{
    Design design = ThreeStates();
    const StateId chart = design.project.AddStateAtChart(10.5f, 50.25f).id;
    const ProjectEvaluation evaluation = EvaluateProject(design.project);
    ASSERT_EQ(evaluation.states.size(), 4u);
    EXPECT_EQ(evaluation.states[0].label, "A");
    EXPECT_EQ(evaluation.states[3].label, "D");
    EXPECT_EQ(RowOf(evaluation, design.a).texts,
              QueryTexts({kDryBulbSlot, "30", kRelHumiditySlot, "60"}));
    // A chart state is the pair d, h with the readout's texts for them.
    const StateRow& chartRow = RowOf(evaluation, chart);
    EXPECT_EQ(chartRow.solvedPair, (KnownPair{kMoistureSlot, "10.5", kEnthalpySlot, "50.25"}));
    EXPECT_EQ(chartRow.texts, QueryTexts(*chartRow.solvedPair));
    ASSERT_TRUE(chartRow.place);
    EXPECT_FLOAT_EQ(chartRow.place->d, 10.5f);
    EXPECT_FLOAT_EQ(chartRow.place->h, 50.25f);
    // Beyond the saturation curve the readout is blank: no state is added there.
    EXPECT_EQ(design.project.AddStateAtChart(30, 60).problem, "此处在饱和线之外，不能添加状态点");
}

TEST(ProjectEvaluationTest, MixesWeighDryAirMasses)
{
    struct Case {
        const char* name;
        MixAmounts amounts;
        const char* d;  // the mixed state's moisture content and enthalpy as shown
        const char* h;
    } const cases[] = {
        // d = (1 x 16.039 + 3 x 9.298) / 4 = 10.98325; h = (71.302 + 3 x 47.906) / 4 = 53.755.
        {"mass ratio 1:3", {MixBasis::MassRatio, "1", "3"}, " 10.983", " 53.755"},
        // m = 2000 / 0.882 = 2267.574 and 6000 / 0.855 = 7017.544 kg/h:
        // d = (2267.574 x 16.039 + 7017.544 x 9.298) / 9285.118 = 10.94426,
        // h = (2267.574 x 71.302 + 7017.544 x 47.906) / 9285.118 = 53.61968.
        {"flows 2000:6000", {MixBasis::Flows, "2000", "6000"}, " 10.944", " 53.62"},
        // All of the first air: the mix is that air.
        {"ratio 1:0", {MixBasis::MassRatio, "1", "0"}, " 16.039", " 71.302"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        Design design = ThreeStates();
        const EditOutcome mix = design.project.AddMix(design.a, design.b, test.amounts);
        ASSERT_EQ(mix.problem, "");
        const ProjectEvaluation evaluation = EvaluateProject(design.project);
        const StateRow& row = RowOf(evaluation, mix.id);
        EXPECT_EQ(row.texts[kQuantityMoisture], test.d);
        EXPECT_EQ(row.texts[kQuantityEnthalpy], test.h);
        EXPECT_EQ(row.texts, QueryTexts(*row.solvedPair));
        EXPECT_EQ(row.remark, "");
    }
}

TEST(ProjectEvaluationTest, MixBeyondSaturationIsKeptWithANote)
{
    Project project;
    // Saturated air at 40 and at -10 deg C, equal masses: the mean of a convex curve's two
    // points lies above it, d = (48.87 + 1.763) / 2 = 25.3165, h = (166.24 - 5.722) / 2 = 80.259.
    const StateId hot = project.AddTypedState({kDryBulbSlot, "40", kRelHumiditySlot, "100"}).id;
    const StateId cold = project.AddTypedState({kDryBulbSlot, "-10", kRelHumiditySlot, "100"}).id;
    const EditOutcome mix = project.AddMix(hot, cold, {MixBasis::MassRatio, "1", "1"});
    ASSERT_EQ(mix.problem, "");
    const ProjectEvaluation evaluation = EvaluateProject(project);
    const StateRow& row = RowOf(evaluation, mix.id);
    EXPECT_EQ(row.texts[kQuantityMoisture], " 25.316");  // not moved to the curve
    EXPECT_EQ(row.texts[kQuantityEnthalpy], " 80.259");
    EXPECT_GT(std::stod(row.texts[kQuantityRelHumidity]), 100.0);
    EXPECT_NE(row.remark.find("过饱和"), std::string::npos);
    EXPECT_TRUE(OverlayOf(evaluation).marks.back().supersaturated);
}

TEST(ProjectEvaluationTest, ProcessFiguresAndLoads)
{
    Design design = ThreeStates();
    const OperationId id =
        design.project.AddProcess(design.a, design.c, {"10000", FlowUnit::CubicMetresPerHour}).id;
    const OperationId massFlow =
        design.project.AddProcess(design.c, design.b, {"3600", FlowUnit::KilogramsPerHour}).id;
    const ProjectEvaluation evaluation = EvaluateProject(design.project);
    const OperationRow& row = evaluation.operations[0];
    ASSERT_EQ(row.id, id);
    EXPECT_EQ(row.title, "A → C");
    // A -> C: dt = 14 - 30; dd = 9.464 - 16.039 = -6.575; dh = 38.054 - 71.302 = -33.248;
    // eps = -33.248 / -0.006575 = 5056.73; latent = 2501 x -6.575 / 1000 = -16.444075;
    // sensible = -33.248 + 16.444075 = -16.803925. G = 10000 / 0.882 = 11337.868 kg/h;
    // loads G x dh / 3600 = -104.7115, x sensible = -52.9224, x latent = -51.7891 kW;
    // moisture G x dd / 1000 = -74.5465 kg/h.
    const ProcessTexts expected = {"-16",     "-6.575",  "-33.248",  " 5056.7",
                                   "-16.804", "-16.444", " 11337.9", "-104.712",
                                   "-52.922", "-51.789", "-74.546"};
    EXPECT_EQ(row.figures, expected);
    EXPECT_EQ(row.chartLabel, "ε=5056.7");
    // C -> B with 3600 kg/h of dry air: each kJ/kg is 1 kW. dh = 47.906 - 38.054 = 9.852,
    // dd = -0.166, latent = -0.415166, sensible = 10.267166.
    const OperationRow& second = evaluation.operations[1];
    ASSERT_EQ(second.id, massFlow);
    EXPECT_EQ(second.figures[kFigureTotalLoad], " 9.852");
    EXPECT_EQ(second.figures[kFigureSensibleLoad], " 10.267");
    EXPECT_EQ(second.figures[kFigureLatentLoad], "-0.415");
    EXPECT_EQ(second.figures[kFigureMoistureFlow], "-0.598");  // 3600 x -0.166 / 1000
}

TEST(ProjectEvaluationTest, EpsilonLinesEndWhereAsked)
{
    struct Case {
        const char* name;
        EpsilonLine line;
        const char* t;
        const char* rh;
        const char* d;
        const char* h;
    } const cases[] = {
        // From B along 8000 kJ/kg to 18 deg C: d = 1000 (47.906 - 8 x 9.298 - 1.01 x 18) /
        // (2501 + 1.85 x 18 - 8000) = 8.17059, h = 47.906 + 8 (8.17059 - 9.298) = 38.8867.
        {"to a dry bulb", {"8000", LineEnd::DryBulb, "18"}, " 18", nullptr, " 8.171", " 38.887"},
        {"to a change of dry bulb", {"8000", LineEnd::TemperatureChange, "-6"}, " 18", nullptr,
         " 8.171", " 38.887"},
        // Constant d (∞) 5 K down: h = EnthalpyOf(19, 9.298) = 19.19 + 2536.15 x 0.009298.
        {"∞ to a change", {"∞", LineEnd::TemperatureChange, "-5"}, " 19", nullptr, " 9.298",
         " 42.771"},
        {"to a relative humidity", {"8000", LineEnd::RelHumidity, "90"}, nullptr, " 90", nullptr,
         nullptr},
        {"∞ to a relative humidity", {" ∞ ", LineEnd::RelHumidity, "80"}, nullptr, " 80", " 9.298",
         nullptr},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        Design design = ThreeStates();
        const EditOutcome end = design.project.AddEpsilonLine(design.b, test.line);
        ASSERT_EQ(end.problem, "");
        const ProjectEvaluation evaluation = EvaluateProject(design.project);
        const StateTexts& texts = RowOf(evaluation, end.id).texts;
        for (const auto& [expected, quantity] :
             {std::pair{test.t, kQuantityDryBulb}, std::pair{test.rh, kQuantityRelHumidity},
              std::pair{test.d, kQuantityMoisture}, std::pair{test.h, kQuantityEnthalpy}}) {
            if (expected) {
                EXPECT_EQ(texts[quantity], expected) << quantity;
            }
        }
        // The end lies on the line: dh = eps dd / 1000 within the rounding of the shown texts
        // (0.0005 kJ/kg, and eps x 0.0005 g/kg).
        const ProcessTexts& figures = evaluation.operations.back().figures;
        if (test.line.epsilonText == "8000") {
            EXPECT_NEAR(std::stod(figures[kFigureEnthalpyChange]),
                        8.0 * std::stod(figures[kFigureMoistureChange]), 0.0045);
        } else {
            EXPECT_EQ(figures[kFigureEpsilon], "∞");
        }
    }
}

TEST(ProjectEvaluationTest, OperationInputsAreCheckedLikeTheQuery)
{
    struct Case {
        const char* name;
        EpsilonLine line;
        const char* problem;
    } const cases[] = {
        {"no ratio", {"", LineEnd::DryBulb, "18"}, "请输入热湿比！"},
        {"ratio too large", {"2e6", LineEnd::DryBulb, "18"},
         "热湿比在-1000000~1000000 kJ/kg之间（或∞），请重新输入！"},
        {"no end", {"8000", LineEnd::RelHumidity, ""}, "请输入相对湿度！"},
        {"humidity out of range", {"8000", LineEnd::RelHumidity, "101"},
         "相对湿度在0~100%之间，请重新输入！"},
        {"dry bulb out of range", {"8000", LineEnd::DryBulb, "71"},
         "干球温度过大或过小，请重新输入！"},
        {"no change", {"8000", LineEnd::TemperatureChange, "0"},
         "温差在-100~100 ℃之间且不为0，请重新输入！"},
        // Parallel to the 18 deg C isotherm: eps = 2501 + 1.85 x 18.
        {"parallel", {"2534.3", LineEnd::DryBulb, "18"}, "该热湿比线与终点的等温线平行，没有交点"},
        // d = 1000 (47.906 + 9.298 - 70.7) / (2501 + 129.5 + 1000) = -3.7 g/kg.
        {"never that warm", {"-1000", LineEnd::DryBulb, "70"},
         "该热湿比线在含湿量0~45 g/kg之间达不到给定的终点"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        Design design = ThreeStates();
        const std::uint64_t revision = design.project.Revision();
        EXPECT_EQ(design.project.AddEpsilonLine(design.b, test.line).problem, test.problem);
        EXPECT_EQ(design.project.Revision(), revision);
        EXPECT_EQ(design.project.States().size(), 3u);
    }
    Design design = ThreeStates();
    EXPECT_EQ(design.project.AddMix(design.a, design.b, {MixBasis::MassRatio, "0", "0"}).problem,
              "两股空气的混合比不能都为0，请重新输入！");
    EXPECT_EQ(design.project.AddMix(design.a, design.b, {MixBasis::Flows, "-1", "2"}).problem,
              "风量在0~1e9 m3/h之间，请重新输入！");
    EXPECT_EQ(design.project.AddProcess(design.a, design.b, {"0", FlowUnit::KilogramsPerHour}).problem,
              "风量应大于0且不超过1e9，请重新输入！");
    EXPECT_EQ(design.project.AddTypedState({kDryBulbSlot, "80", kRelHumiditySlot, "50"}).problem,
              "干球温度过大或过小，请重新输入！");
}

TEST(ProjectEvaluationTest, TableAndOverlay)
{
    Design design = ThreeStates();
    design.project.RenameState(design.a, "=outdoor, \"hot\"");
    design.project.AddProcess(design.a, design.c, {"10000", FlowUnit::CubicMetresPerHour});
    design.project.AddMix(design.a, design.b, {MixBasis::MassRatio, "1", "3"});
    const ProjectEvaluation evaluation = EvaluateProject(design.project);

    const std::string tsv = ProjectTableTsv(evaluation);
    // One value per cell: 12 cells per state line, 15 per operation line, no leading blanks.
    EXPECT_NE(tsv.find("'=outdoor, \"hot\"\t30\t23.753\t21.392\t60\t16.039\t71.302\t0.882\t2547.03\t"),
              std::string::npos);
    EXPECT_NE(tsv.find("\n\n操作\t类型\t定义\t温差Δt(℃)"), std::string::npos);
    const std::string csv = ProjectTableCsv(evaluation);
    EXPECT_EQ(csv.rfind("\xEF\xBB\xBF状态点,干球温度(℃),", 0), 0u);
    EXPECT_NE(csv.find("\r\n\"'=outdoor, \"\"hot\"\"\",30,"), std::string::npos);

    const ChartOverlay overlay = OverlayOf(evaluation);
    ASSERT_EQ(overlay.marks.size(), 4u);
    EXPECT_FLOAT_EQ(overlay.marks[1].at.d, 9.298f);
    EXPECT_FLOAT_EQ(overlay.marks[1].at.h, 47.906f);
    ASSERT_EQ(overlay.lines.size(), 2u);
    EXPECT_EQ(overlay.lines[0].kind, OverlayLineKind::Process);
    EXPECT_TRUE(overlay.lines[0].arrowHead);
    EXPECT_FLOAT_EQ(overlay.lines[0].to.d, 9.464f);
    EXPECT_EQ(overlay.lines[1].kind, OverlayLineKind::Mixing);
    EXPECT_FALSE(overlay.lines[1].arrowHead);
    EXPECT_TRUE(OverlayOf(EvaluateProject(Project())).IsEmpty());
}

}  // namespace
}  // namespace hygrova
