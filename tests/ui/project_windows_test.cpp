// The air-handling design in the windows: the states window's commands, the layer on the
// chart and in its exports, the project file from the context menu's commands, and the
// question before unsaved work is dropped.

#include "chart/chart_mapping.h"
#include "common/app_state.h"
#include "project/project_file.h"
#include "shell/export/chart_export.h"
#include "shell/export/chart_sheet.h"
#include "shell/widgets/chart_surface.h"
#include "shell/widgets/question_box.h"
#include "shell/windows/form2_query_dialog.h"
#include "shell/windows/form5_results_window.h"
#include "shell/windows/processes_window.h"
#include "shell/windows/measured_layer.h"
#include "shell/windows/project_workspace.h"
#include "shell/windows/states_window.h"
#include "tests/support/main_window_fixture.h"
#include "tests/support/window_actions.h"

#include <fstream>

#include <QComboBox>
#include <QGroupBox>
#include <QMenu>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

namespace hygrova {
namespace {

using test::Click;
using test::ClickTick;
using test::Retype;

class ProjectWindowsTest : public test::MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        previousQuestion = SetQuestionHandler(
            [this](QWidget*, const QString& question, const QStringList&) {
                questions << question;
                return answer;
            });
    }
    void TearDown() override { SetQuestionHandler(previousQuestion); }

    ProjectWorkspace& Workspace() { return form1.Workspace(); }

    StatesWindow& OpenStates()
    {
        Workspace().menu_states->trigger();
        return *Workspace().ExistingStatesWindow();
    }

    // Types a pair into the states window and adds it.
    void AddPair(int firstSlot, const QString& first, int secondSlot, const QString& second)
    {
        StatesWindow& states = OpenStates();
        states.FirstSlotBox->setCurrentIndex(firstSlot);
        states.SecondSlotBox->setCurrentIndex(secondSlot);
        Retype(states.FirstValueBox, first);
        Retype(states.SecondValueBox, second);
        Click(states.AddPairButton);
    }

    QString Cell(int row, int column)
    {
        const QTableWidgetItem* item = OpenStates().StateTable->item(row, column);
        return item != nullptr ? item->text() : QString();
    }

    QStringList questions;
    int answer = 2;  // "取消"
    QuestionHandler previousQuestion;
};

TEST_F(ProjectWindowsTest, StatesWindowTakesTheQueryAndTypedPairsAndEditsTheList)
{
    // "查询" for dry bulb 30 and relative humidity 60; the states window takes what the results
    // window shows, with the same eight texts.
    Form2& query = OpenQuery();
    for (const auto& [slot, text] : {std::pair{kDryBulbSlot, "30"}, {kRelHumiditySlot, "60"}}) {
        ClickTick(query.Check1[slot]);
        Retype(query.Text1[slot], QString::fromLatin1(text));
    }
    Click(query.Command1);
    StatesWindow& states = OpenStates();
    Click(states.TakeResultButton);
    ASSERT_EQ(states.StateTable->rowCount(), 1);
    EXPECT_EQ(Cell(0, 0), "A");
    const auto results = form1.ExistingResultsWindow()->ResultBoxes();
    for (int k = 0; k < kStateQuantityCount; ++k) {
        EXPECT_EQ(Cell(0, 1 + k), results[k]->text()) << "quantity " << k;
    }

    AddPair(kDryBulbSlot, "24", kRelHumiditySlot, "50");
    AddPair(kDryBulbSlot, "24", kRelHumiditySlot, "150");  // refused with the query's warning
    EXPECT_EQ(warnings.messages().size(), 1);
    ASSERT_EQ(states.StateTable->rowCount(), 2);
    EXPECT_EQ(Cell(1, 0), "B");

    // Rename by typing into the label cell, move it up, delete the other.
    states.StateTable->item(1, 0)->setText(QStringLiteral("室内"));
    QTest::qWait(1);
    EXPECT_EQ(Cell(1, 0), QStringLiteral("室内"));
    states.StateTable->selectRow(1);
    Click(states.MoveUpButton);
    EXPECT_EQ(Cell(0, 0), QStringLiteral("室内"));
    states.StateTable->selectRow(1);
    Click(states.DeleteButton);
    ASSERT_EQ(states.StateTable->rowCount(), 1);
    EXPECT_EQ(Cell(0, 0), QStringLiteral("室内"));
}

TEST_F(ProjectWindowsTest, AddedAtThePointerTheStateHasTheReadoutsPair)
{
    // Upper left the air is dry and warm; in the middle of the left half the chart lies
    // beyond saturation, where the readout is blank and no state is added. The state shows
    // the readout's pair as the results window writes it (to its decimals).
    const struct {
        double x, y;  // fractions of the picture
        bool added;
    } places[] = {{0.2, 0.25, true}, {1.0 / 3, 0.5, false}};
    std::size_t count = 0;
    for (const auto& place : places) {
        const QPoint point(static_cast<int>(form1.Picture1->width() * place.x),
                           static_cast<int>(form1.Picture1->height() * place.y));
        QTest::mouseMove(form1.Picture1, point);
        const QString d = form1.Text5->text().trimmed();
        const QString h = form1.Text6->text().trimmed();
        form1.Picture1_ContextMenu(point);
        form1.ChartMenu->hide();
        warnings.clear();
        Workspace().menu_add_state->trigger();
        count += place.added ? 1 : 0;
        ASSERT_EQ(Workspace().CurrentProject().States().size(), count);
        EXPECT_EQ(warnings.messages().isEmpty(), place.added);
        EXPECT_EQ(d.isEmpty(), !place.added);
        if (place.added) {
            EXPECT_NEAR(Cell(0, 1 + kQuantityMoisture).toDouble(), d.toDouble(), 5e-4);
            EXPECT_NEAR(Cell(0, 1 + kQuantityEnthalpy).toDouble(), h.toDouble(), 5e-3);
        }
    }
}

TEST_F(ProjectWindowsTest, LayerFollowsTheChartMappingAndLeavesWithEveryExport)
{
    const auto sheet = [this] { return CaptureChartSheet(form1.ShownChart()); };
    EXPECT_TRUE(sheet().layer.IsEmpty());
    EXPECT_FALSE(ChartSvg(sheet()).contains("ε="));

    AddPair(kDryBulbSlot, "30", kRelHumiditySlot, "60");
    AddPair(kDryBulbSlot, "14", kRelHumiditySlot, "95");
    Workspace().ShowProcessesWindow();
    ProcessesWindow& processes = *Workspace().ExistingProcessesWindow();
    processes.FirstStateBox->setCurrentIndex(0);
    processes.SecondStateBox->setCurrentIndex(1);
    Retype(processes.FlowBox, "10000");
    Click(processes.AddProcessButton);
    ASSERT_EQ(processes.OperationTable->rowCount(), 1);
    EXPECT_FALSE(processes.OperationTable->item(0, 3 + kFigureTotalLoad)->text().isEmpty());

    const PlacedLayer& layer = form1.Picture1->Layer();
    ASSERT_EQ(layer.marks.size(), 2u);
    ASSERT_EQ(layer.lines.size(), 1u);
    const ChartState a = *Workspace().Evaluation().states[0].place;
    const ChartPoint expected = MapToChart(a.d, a.h, TheAppState().ChartUnit,
                                           form1.Picture1->HeightTwips());
    EXPECT_FLOAT_EQ(layer.marks[0].x, expected.x);
    EXPECT_FLOAT_EQ(layer.marks[0].y, expected.y);

    // The exports draw the layer: labels and the process's ε as text in the SVG, and the
    // image differs from the one with the layer hidden.
    const ChartSheet shown = sheet();
    EXPECT_EQ(shown.layer.marks.size(), 2u);
    const QByteArray svg = ChartSvg(shown);
    EXPECT_TRUE(svg.contains(">A<") && svg.contains(">B<") && svg.contains("ε=")) << svg.size();
    Workspace().menu_show_layer->setChecked(false);
    EXPECT_TRUE(sheet().layer.IsEmpty());
    EXPECT_NE(ChartImage(shown, 1), ChartImage(sheet(), 1));
    Workspace().menu_show_layer->setChecked(true);

    // A resize draws the chart anew; the marks move with the mapping.
    const float unitBefore = TheAppState().ChartUnit;
    form1.resize(form1.width() + 200, form1.height() + 150);
    QTest::qWait(20);
    ASSERT_NE(TheAppState().ChartUnit, unitBefore);
    const ChartPoint moved = MapToChart(a.d, a.h, TheAppState().ChartUnit,
                                        form1.Picture1->HeightTwips());
    EXPECT_FLOAT_EQ(form1.Picture1->Layer().marks[0].x, moved.x);
}

TEST_F(ProjectWindowsTest, ProjectFileRestoresTheChartAndRefusesBadFilesUntouched)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("design.hygrova");
    AddPair(kDryBulbSlot, "30", kRelHumiditySlot, "60");
    AddPair(kDryBulbSlot, "24", kRelHumiditySlot, "50");
    TheAppState().IsothermColor = 12;
    TheAppState().AtmosphericPressure = 950.0f;
    form1.ShowPressureCaption("95000");
    form1.RedrawChart();
    const QString shownText = Cell(1, 1 + kQuantityMoisture);
    // The measured data's zones, as the zones window applies them, go into the file too.
    const std::vector<ZoneDefinition> zones = {{"舒适区", "20:26", "30:60", ""}};
    form1.Measured->ApplyZones(zones);
    ASSERT_TRUE(Workspace().SaveProjectAt(path));

    // Back to the defaults and an empty layer, then the file brings everything back.
    Workspace().menu_clear_layer->trigger();
    EXPECT_TRUE(questions.isEmpty());  // saved: nothing to ask
    SetDefaults(TheAppState());
    form1.ShowPressureCaption("101325");
    form1.RedrawChart();
    form1.Measured->SetZones({});
    ASSERT_TRUE(Workspace().OpenProjectAt(path));
    EXPECT_EQ(form1.Measured->Zones(), zones);
    EXPECT_EQ(TheAppState().IsothermColor, 12);
    EXPECT_FLOAT_EQ(TheAppState().AtmosphericPressure, 950.0f);
    EXPECT_TRUE(form1.Frame1->title().contains("95000"));
    EXPECT_EQ(Cell(1, 1 + kQuantityMoisture), shownText);

    // Files the reader refuses: the message names the place, the project stays.
    const char* const refused[] = {
        R"({"format": "hygrova-project", "version": 99})",
        R"({"format": "hygrova-project", "version": 1, "pressure_pa": "101325", "extra": 1})",
        R"({"format": "hygrova-project", "vers)",
    };
    for (const char* text : refused) {
        const QString bad = folder.filePath("bad.hygrova");
        std::ofstream(bad.toStdString()) << text;
        warnings.clear();
        EXPECT_FALSE(Workspace().OpenProjectAt(bad)) << text;
        EXPECT_FALSE(warnings.single().isEmpty()) << text;
        EXPECT_EQ(Workspace().CurrentProject().States().size(), 2u) << text;
        EXPECT_EQ(Workspace().ProjectPath(), path);
    }
}

TEST_F(ProjectWindowsTest, ClosingAsksOnlyWhenStatesAreUnsaved)
{
    struct Case {
        const char* name;
        bool addState;
        int answer;  // 0 保存, 1 不保存, 2 取消
        bool asked;
        bool closes;
    };
    const Case cases[] = {
        {"empty project", false, 2, false, true},
        {"unsaved, cancelled", true, 2, true, false},
        {"unsaved, dropped", true, 1, true, true},
    };
    for (const Case& c : cases) {
        form1.show();
        questions.clear();
        answer = c.answer;
        if (c.addState) {
            AddPair(kDryBulbSlot, "30", kRelHumiditySlot, "60");
        }
        EXPECT_EQ(form1.close(), c.closes) << c.name;
        EXPECT_EQ(!questions.isEmpty(), c.asked) << c.name;
        answer = 1;
        Workspace().menu_clear_layer->trigger();
    }
}

}  // namespace
}  // namespace hygrova
