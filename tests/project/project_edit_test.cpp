#include "project/project.h"

#include "project/project_evaluation.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace hygrova {
namespace {

const KnownPair kOutdoor = {kDryBulbSlot, "30", kRelHumiditySlot, "60"};
const KnownPair kRoom = {kDryBulbSlot, "24", kRelHumiditySlot, "50"};

std::vector<std::string> Labels(const Project& project)
{
    std::vector<std::string> labels;
    for (const ProjectState& state : project.States()) {
        labels.push_back(state.label);
    }
    return labels;
}

TEST(ProjectEditTest, LabelsFollowTheSpreadsheetSequence)
{
    Project project;
    for (int i = 0; i < 28; ++i) {
        ASSERT_EQ(project.AddTypedState(kRoom).problem, "");
    }
    EXPECT_EQ(project.States()[25].label, "Z");
    EXPECT_EQ(project.States()[26].label, "AA");
    EXPECT_EQ(project.NextLabel(), "AC");
    // A freed label is used again; a typed label is kept as typed.
    project.RenameState(project.States()[1].id, "室内");
    EXPECT_EQ(project.NextLabel(), "B");
    const StateId supply = project.AddTypedState(kRoom, "送风").id;
    EXPECT_EQ(project.FindState(supply)->label, "送风");
    EXPECT_EQ(project.RenameState(project.States()[0].id, ""), "请输入状态点的名称！");
}

TEST(ProjectEditTest, DeletingAStateTakesWhatDependsOnIt)
{
    Project project;
    const StateId a = project.AddTypedState(kOutdoor).id;
    const StateId b = project.AddTypedState(kRoom).id;
    const StateId c = project.AddTypedState({kDryBulbSlot, "14", kRelHumiditySlot, "95"}).id;
    const StateId m = project.AddMix(a, b, {MixBasis::MassRatio, "1", "3"}).id;
    const StateId e = project.AddEpsilonLine(m, {"8000", LineEnd::DryBulb, "18"}).id;
    project.AddProcess(e, c);
    project.AddProcess(b, c);
    ASSERT_EQ(Labels(project), (std::vector<std::string>{"A", "B", "C", "D", "E"}));

    EXPECT_EQ(project.StatesDependingOn(a), (std::vector<StateId>{m, e}));
    EXPECT_EQ(project.States().size(), 5u);  // asking changes nothing
    EXPECT_EQ(project.DeleteState(a), (std::vector<StateId>{a, m, e}));
    EXPECT_EQ(Labels(project), (std::vector<std::string>{"B", "C"}));
    ASSERT_EQ(project.Operations().size(), 1u);  // B -> C stays
    // Deleting the operation that produced a state takes that state.
    const OperationId mix = project.AddMix(b, c, {MixBasis::MassRatio, "1", "1"}).id;
    EXPECT_EQ(project.DeleteOperation(project.Operations().back().id), (std::vector<StateId>{mix}));
}

TEST(ProjectEditTest, EditsRecomputeEverythingDerived)
{
    Project project;
    const StateId a = project.AddTypedState(kOutdoor).id;
    const StateId b = project.AddTypedState(kRoom).id;
    const StateId m = project.AddMix(a, b, {MixBasis::MassRatio, "1", "1"}).id;
    // A line from the mix: its end follows every change of A too.
    const StateId end = project.AddEpsilonLine(m, {"∞", LineEnd::TemperatureChange, "-2"}).id;
    const auto endText = [&](StateQuantity quantity) {
        const ProjectEvaluation evaluation = EvaluateProject(project);
        return evaluation.states[3].id == end ? evaluation.states[3].texts[quantity] : "";
    };
    const auto mixText = [&](StateQuantity quantity) {
        return EvaluateProject(project).states[2].texts[quantity];
    };
    // d = (16.039 + 9.298) / 2 = 12.6685, which single precision holds as 12.66849995: 12.668.
    EXPECT_EQ(mixText(kQuantityMoisture), " 12.668");
    // A at 30 deg C and 50 %: d 13.308 (results window), so d = (13.308 + 9.298) / 2 = 11.303.
    ASSERT_EQ(project.SetStatePair(a, {kDryBulbSlot, "30", kRelHumiditySlot, "50"}), "");
    EXPECT_EQ(mixText(kQuantityMoisture), " 11.303");
    EXPECT_EQ(endText(kQuantityMoisture), " 11.303");
    // The line's end changes in place; a refused end keeps the line as it was.
    const OperationId line = project.Operations()[1].id;
    EXPECT_EQ(project.SetEpsilonLine(line, {"∞", LineEnd::DryBulb, "99"}),
              "干球温度过大或过小，请重新输入！");
    ASSERT_EQ(project.SetEpsilonLine(line, {"∞", LineEnd::DryBulb, "20"}), "");
    EXPECT_EQ(endText(kQuantityDryBulb), " 20");
    EXPECT_EQ(project.SetStatePair(m, kRoom), "该状态点由操作得出，不能直接输入参数");
    EXPECT_EQ(project.SetStatePair(a, {kDryBulbSlot, "", kRelHumiditySlot, "50"}), "请输入干球温度！");
    // The pressure changes every state: at 80000 Pa the same air holds more water per kg.
    const std::string before = mixText(kQuantityMoisture);
    EXPECT_EQ(project.SetPressure("40000"), "大气压力过小，请重新输入！");
    ASSERT_EQ(project.SetPressure("80000"), "");
    EXPECT_EQ(project.PressureHpa(), 800.0f);
    EXPECT_GT(std::stod(mixText(kQuantityMoisture)), std::stod(before));
    // Mix amounts and line ends change in place, refused when they do not solve.
    EXPECT_EQ(project.SetMixAmounts(project.Operations()[0].id, {MixBasis::MassRatio, "", "1"}),
              "请输入混合比！");
    EXPECT_EQ(project.SetMixAmounts(project.Operations()[0].id, {MixBasis::MassRatio, "1", "0"}), "");
    // All of A: the mix has A's d and h (its other texts follow from them).
    const ProjectEvaluation evaluation = EvaluateProject(project);
    EXPECT_EQ(evaluation.states[2].texts[kQuantityMoisture], evaluation.states[0].texts[kQuantityMoisture]);
    EXPECT_EQ(evaluation.states[2].texts[kQuantityEnthalpy], evaluation.states[0].texts[kQuantityEnthalpy]);
}

TEST(ProjectEditTest, QueryGivesItsPair)
{
    StatePointQuery query;
    query.ticked[kRelHumiditySlot] = query.ticked[kDryBulbSlot] = true;
    query.texts[kDryBulbSlot] = "30";
    query.texts[kRelHumiditySlot] = "60";
    EXPECT_EQ(KnownPairOf(query), kOutdoor);
    query.ticked[kDryBulbSlot] = false;
    EXPECT_EQ(KnownPairOf(query), std::nullopt);
}

TEST(ProjectEditTest, RevisionsTellWhatNeedsSaving)
{
    Project project;
    EXPECT_FALSE(project.IsModified());
    EXPECT_TRUE(project.IsEmpty());
    const StateId a = project.AddTypedState(kOutdoor).id;
    const StateId b = project.AddTypedState(kRoom).id;
    EXPECT_EQ(project.Revision(), 2u);
    EXPECT_TRUE(project.IsModified());
    project.MarkSaved();
    EXPECT_FALSE(project.IsModified());

    // Refused edits and edits that change nothing count nothing.
    project.RenameState(a, "A");
    project.MoveState(a, 0);
    project.AddTypedState({kDryBulbSlot, "20", kWetBulbSlot, ""});
    project.AddProcess(a, a);
    project.SetPressure("101325");
    EXPECT_FALSE(project.IsModified());

    project.MoveState(a, 5);
    EXPECT_EQ(Labels(project), (std::vector<std::string>{"B", "A"}));
    EXPECT_TRUE(project.IsModified());
    project.MarkSaved();
    project.SetStateNote(b, "室内设计状态");
    EXPECT_TRUE(project.IsModified());
}

}  // namespace
}  // namespace hygrova
