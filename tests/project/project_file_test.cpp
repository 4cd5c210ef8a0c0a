#include "project/project_file.h"

#include "project/atomic_file.h"
#include "project/project_evaluation.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include <sys/stat.h>

#include <gtest/gtest.h>

namespace hygrova {
namespace {

namespace fs = std::filesystem;

// A design with every kind of state and operation, labels and notes in Chinese, a typed
// pressure with letters after its digits and a chart look that is not the default.
Project FullDesign()
{
    Project project;
    project.SetPressure("95000abc");
    ChartLook look;
    look.isothermColor = 15;
    look.enthalpyLineSpacing = 10;
    project.SetLook(look);
    const StateId a = project.AddTypedState({kDryBulbSlot, "34", kWetBulbSlot, "26.5"}, "室外").id;
    const StateId b = project.AddTypedState({kDryBulbSlot, "26", kRelHumiditySlot, "55"}).id;
    project.SetStateNote(b, "室内, \"设计\"\n第二行");
    const StateId m = project.AddMix(a, b, {MixBasis::Flows, "2000", "8000"}).id;
    const StateId s = project.AddEpsilonLine(b, {"12000", LineEnd::RelHumidity, "90"}).id;
    project.AddStateAtChart(8.25f, 40.5f);
    project.AddProcess(m, s, {"10000", FlowUnit::CubicMetresPerHour});
    project.AddEpsilonLine(s, {"∞", LineEnd::TemperatureChange, "3"});
    return project;
}

class ProjectFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_folder = fs::temp_directory_path() /
                   ("hygrova-project-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                    "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_folder);
        fs::create_directories(m_folder);
    }
    void TearDown() override { fs::remove_all(m_folder); }

    std::string PathOf(const std::string& name) const { return (m_folder / name).string(); }

    fs::path m_folder;
};

TEST_F(ProjectFileTest, SavedProjectOpensWithTheSameTexts)
{
    Project project = FullDesign();
    ASSERT_TRUE(project.IsModified());
    const std::string path = PathOf("设计.hygrova");
    ASSERT_EQ(SaveProjectFile(path, project), "");
    EXPECT_FALSE(project.IsModified());

    const ProjectReading reading = OpenProjectFile(path);
    ASSERT_EQ(reading.problem, "");
    const Project& opened = *reading.project;
    EXPECT_FALSE(opened.IsModified());
    EXPECT_EQ(opened.PressureText(), "95000abc");
    EXPECT_EQ(opened.PressureHpa(), 950.0f);
    EXPECT_EQ(opened.Look(), project.Look());
    EXPECT_EQ(opened.States(), project.States());
    EXPECT_EQ(opened.Operations(), project.Operations());
    const ProjectEvaluation before = EvaluateProject(project);
    const ProjectEvaluation after = EvaluateProject(opened);
    ASSERT_EQ(after.states.size(), 6u);
    for (std::size_t i = 0; i < after.states.size(); ++i) {
        EXPECT_EQ(after.states[i].texts, before.states[i].texts) << i;
        EXPECT_EQ(after.states[i].problem, "") << i;
    }
    for (std::size_t i = 0; i < after.operations.size(); ++i) {
        EXPECT_EQ(after.operations[i].figures, before.operations[i].figures) << i;
    }
    // Written again, the file is the same bytes; new ids continue after the highest.
    EXPECT_EQ(ProjectJson(opened), ProjectJson(project));
    Project grown = opened;
    EXPECT_GT(grown.AddTypedState({kDryBulbSlot, "20", kRelHumiditySlot, "50"}).id,
              project.Operations().back().id);
}

TEST_F(ProjectFileTest, HostileFilesAreRefusedWithThePlace)
{
    const std::string good = ProjectJson(FullDesign());
    const auto replaced = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        const std::size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return text.replace(at, from.size(), to);
    };
    struct Case {
        const char* name;
        std::string text;
        std::string problem;
    } const cases[] = {
        {"empty", "", "项目文件有误：第 1 行第 1 列处意外结束，文件可能不完整"},
        {"truncated", good.substr(0, good.size() / 2), "处意外结束，文件可能不完整"},
        {"not json", "format: hygrova", "项目文件有误：第 1 行第 2 列处不是有效的 JSON"},
        {"another format", R"({"format": "x", "version": 1})", "这不是 Hygrova 项目文件"},
        {"newer", replaced("\"version\": 1", "\"version\": 3"),
         "该项目文件的格式版本为 3，由较新的 Hygrova 写成；本程序只能打开版本 2 及以前的项目文件"},
        {"zones in version 1", replaced("\"chart\"", "\"zones\": [], \"chart\""),
         "项目文件有误：顶层：有未知的键 “zones”"},
        {"unknown top key", replaced("\"chart\"", "\"colour\": 1, \"chart\""),
         "项目文件有误：顶层：有未知的键 “colour”"},
        {"unknown state key", replaced("\"label\": \"室外\"", "\"lable\": \"室外\""),
         "项目文件有误：states[0]：有未知的键 “lable”"},
        {"number for text", replaced("\"34\"", "34"), "项目文件有误：states[0].known.tdb：应为文本（带引号）"},
        {"unknown parameter", replaced("\"twb\"", "\"wet\""), "states[0].known：有未知的参数 “wet”"},
        {"color out of range", replaced("\"isotherm_color\": 15", "\"isotherm_color\": 16"),
         "项目文件有误：chart.isotherm_color：应为 0~15 的颜色编号"},
        {"spacing", replaced("\"enthalpy_line_spacing\": 10", "\"enthalpy_line_spacing\": 2"),
         "chart.enthalpy_line_spacing：应为间隔 1、5 或 10"},
        {"pressure", replaced("95000abc", "9000"), "项目文件有误：pressure_pa：大气压力过小，请重新输入！"},
        {"duplicate id", replaced("\"id\": 2,", "\"id\": 1,"), "项目文件有误：states[1].id：编号 1 重复"},
        {"missing state", replaced("\"from\": 4", "\"from\": 99"),
         "项目文件有误：operations[2]：引用了不存在的状态点编号 99"},
        {"missing key", replaced("\"flow\": \"10000\",", ""),
         "项目文件有误：operations[2]：缺少键 “flow”"},
        {"wrong kind", replaced("\"kind\": \"mix\"", "\"kind\": \"blend\""), "operations[0].kind：应为"},
        {"produced state typed",
         replaced("\"label\": \"B\",", "\"label\": \"B\", \"known\": {\"d\": \"1\", \"h\": \"2\"},"),
         "项目文件有误：operations[0].output：状态点 4 已有已知参数，不能再由操作得出"},
        {"deep", std::string(100, '['), "嵌套层数过多"},
        {"number overflow", replaced("\"version\": 1", "\"version\": 1e999"), "有数值超出可读的范围"},
        {"bad utf-8", replaced("室外", "\xC3\x28"), "处不是有效的 JSON"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        const ProjectReading reading = ReadProjectJson(test.text);
        EXPECT_FALSE(reading.project);
        EXPECT_NE(reading.problem.find(test.problem), std::string::npos) << reading.problem;
    }
    // Cycles: the mix's output made its own input; the mix fed by the end of a line that
    // starts from the mix.
    EXPECT_EQ(ReadProjectJson(replaced("\"first\": 1", "\"first\": 4")).problem,
              "项目文件有误：operations[0]：输出的状态点也是它的输入");
    std::string loop = replaced("\"first\": 1", "\"first\": 6");
    loop.replace(loop.find("\"from\": 2"), 9, "\"from\": 4");
    EXPECT_EQ(ReadProjectJson(loop).problem, "项目文件有误：operations[1]：状态点之间循环引用");
    // A state with neither a pair nor an operation.
    const Project orphan = Project::FromParts("101325", 1013.25f, {}, {{1, "A", "", std::nullopt}}, {});
    EXPECT_EQ(ReadProjectJson(ProjectJson(orphan)).problem,
              "项目文件有误：states[0]：既没有已知参数（known），也没有得出它的操作");
}

TEST_F(ProjectFileTest, ZonesAreKeptAsTypedInVersionTwo)
{
    Project project = FullDesign();
    const std::vector<ZoneDefinition> zones = {{"舒适区", "20:26", "30:60", ""},
                                               {"dry", "18:28", "0:100", "0:8"}};
    EXPECT_NE(project.SetZones({{"bad", "26:20", "30:60", ""}}), "");
    EXPECT_TRUE(project.Zones().empty());
    ASSERT_EQ(project.SetZones(zones), "");
    const std::string text = ProjectJson(project);
    EXPECT_NE(text.find("\"version\": 2"), std::string::npos);
    const ProjectReading reading = ReadProjectJson(text);
    ASSERT_EQ(reading.problem, "");
    EXPECT_EQ(reading.project->Zones(), zones);

    std::string bad = text;
    bad.replace(bad.find("\"30:60\""), 7, "\"60:30\"");
    EXPECT_EQ(ReadProjectJson(bad).problem,
              "项目文件有误：zones[0].rh：应为“下限:上限”，如 “20:26”，而不是 “60:30”");
    // Without zones the file stays version 1, which older programs open.
    EXPECT_NE(ProjectJson(FullDesign()).find("\"version\": 1"), std::string::npos);
}

TEST_F(ProjectFileTest, SavingKeepsTheFilesPermissions)
{
    Project project = FullDesign();
    const std::string path = PathOf("shared.hygrova");
    const mode_t mask = ::umask(022);
    ASSERT_EQ(SaveProjectFile(path, project), "");
    EXPECT_EQ(fs::status(path).permissions(), fs::perms(0644));  // as a plain new file
    fs::permissions(path, fs::perms(0640));
    ASSERT_EQ(SaveProjectFile(path, project), "");
    EXPECT_EQ(fs::status(path).permissions(), fs::perms(0640));  // a replaced file keeps its own
    ::umask(mask);
}

TEST_F(ProjectFileTest, FailedSaveKeepsTheOldFile)
{
    Project project = FullDesign();
    const std::string path = PathOf("p.hygrova");
    ASSERT_EQ(SaveProjectFile(path, project), "");
    const std::string saved = ProjectJson(project);
    project.AddTypedState({kDryBulbSlot, "20", kRelHumiditySlot, "50"});

    // A folder that does not exist: nothing is written, the project stays modified.
    const std::string missing = PathOf("no/such/folder.hygrova");
    EXPECT_NE(SaveProjectFile(missing, project).find("无法保存项目"), std::string::npos);
    EXPECT_TRUE(project.IsModified());
    // A target that is a folder: the rename fails and no temporary file is left behind.
    fs::create_directory(PathOf("folder.hygrova"));
    EXPECT_NE(WriteFileAtomically(PathOf("folder.hygrova"), "x").find("无法替换原文件"),
              std::string::npos);
    EXPECT_EQ(std::distance(fs::directory_iterator(m_folder), fs::directory_iterator()), 2);
    // The saved file is untouched by the failures.
    std::ifstream file(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}), saved);

    EXPECT_NE(OpenProjectFile(PathOf("absent.hygrova")).problem.find("无法打开项目"),
              std::string::npos);
    EXPECT_NE(ReadWholeFile(path, 10).problem.find("文件过大"), std::string::npos);
}

}  // namespace
}  // namespace hygrova
