#include "chart/chart_mapping.h"
#include "common/app_state.h"
#include "shell/export/chart_sheet.h"
#include "shell/widgets/chart_surface.h"
#include "shell/windows/measured_import_window.h"
#include "shell/windows/measured_layer.h"
#include "shell/windows/zones_window.h"
#include "tests/support/main_window_fixture.h"
#include "tests/support/wait_until.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>

#include <fstream>

namespace hygrova::test {
namespace {

class MeasuredLayerTest : public MainWindowFixture {
protected:
    QString WriteLog(const std::string& name, const std::string& text)
    {
        const QString path = folder.filePath(QString::fromStdString(name));
        std::ofstream(path.toStdString()) << text;
        return path;
    }

    MeasuredLayer& Layer() { return *form1.Measured; }

    QTemporaryDir folder;
};

TEST_F(MeasuredLayerTest, ImportReportsBadRowsByLineAndDrawsTheLayerInTheSheet)
{
    form1.PlotState(10, 40);  // a mark, which the layer goes under and keeps
    const QString path = WriteLog("log.csv",
                                  "time,tdb,rh\n2026-07-01 08:00,22,45\n2026-07-01 08:10,,45\n"
                                  "2026-07-01 08:20,24,abc\n2026-07-01 08:30,25,50\n");
    Layer().ImportFile(path);
    MeasuredImportWindow* window = Layer().ImportWindow();
    ASSERT_TRUE(window);
    ASSERT_TRUE(WaitUntil([&] { return window->Text1->isVisible(); }));
    const QString summary = window->Text1->toPlainText();
    EXPECT_TRUE(summary.contains(QStringLiteral("已导入 2 个读数"))) << summary.toStdString();
    EXPECT_TRUE(summary.contains(QStringLiteral("2 行无法读取"))) << summary.toStdString();
    EXPECT_TRUE(summary.contains("line 3, column \"tdb\": no value")) << summary.toStdString();
    EXPECT_TRUE(summary.contains("line 4, column \"rh\": \"abc\" is not a number"));
    EXPECT_EQ(window->Command1->text(), QStringLiteral("关闭"));

    ASSERT_TRUE(Layer().Log());
    const ChartSurface& picture = *form1.Picture1;
    EXPECT_EQ(picture.Underlay().dots.size(), 2u);
    EXPECT_EQ(picture.Marks().size(), 1u);
    EXPECT_FALSE(picture.DrawnSegments().empty());

    // Zones: their outline and figures in the legend, in the sheet every export paints.
    Layer().SetZones({{"舒适区", "20:26", "30:60", ""}});
    const ChartSheet sheet = CaptureChartSheet(form1.ShownChart());
    EXPECT_EQ(sheet.underlay.dots.size(), 2u);
    ASSERT_EQ(sheet.underlay.outlines.size(), 1u);
    EXPECT_TRUE(sheet.underlay.legend.back().startsWith(QStringLiteral("舒适区：2 个读数，100.0 %")));

    // A resize redraws the chart with the layer.
    form1.resize(form1.size() + QSize(40, 30));
    ASSERT_TRUE(WaitUntil([&] { return picture.Underlay().dots.size() == 2u; }));

    form1.Measured->menu_clear->trigger();
    EXPECT_FALSE(Layer().Log());
    EXPECT_TRUE(picture.Underlay().dots.empty());
}

// Many readings are drawn as one image of cells over the whole picture, with each reading's
// cell filled; a resize changes the mapping, and the image follows it.
TEST_F(MeasuredLayerTest, DensityCellsFollowTheMappingAfterAResize)
{
    std::string text = "tdb,rh\n";
    for (int i = 0; i < 3000; ++i) {
        text += std::to_string(12 + i % 15) + "," + std::to_string(30 + i % 40) + "\n";
    }
    Layer().ImportFile(WriteLog("many.csv", text));
    ASSERT_TRUE(WaitUntil([&] { return Layer().Log() != nullptr; }));
    const ChartSurface& picture = *form1.Picture1;
    for (const QSize grow : {QSize(0, 0), QSize(120, 90)}) {
        form1.resize(form1.size() + grow);
        ASSERT_TRUE(WaitUntil([&] {
            return picture.Underlay().densityRect.width() >= picture.WidthTwips();
        }));
        const ChartUnderlay& underlay = picture.Underlay();
        ASSERT_FALSE(underlay.density.isNull());
        const double cell = underlay.densityRect.width() / underlay.density.width();
        EXPECT_LT(underlay.densityRect.width() - cell, picture.WidthTwips());
        EXPECT_LT(underlay.densityRect.height() - cell, picture.HeightTwips());
        for (const MeasuredReading& reading : Layer().Log()->readings) {
            const ChartPoint point = MapToChart(reading.d, reading.h, TheAppState().ChartUnit,
                                                picture.HeightTwips());
            const QPoint pixel(static_cast<int>(point.x / cell), static_cast<int>(point.y / cell));
            if (underlay.density.rect().contains(pixel)) {
                ASSERT_EQ(qAlpha(underlay.density.pixel(pixel)), 255) << reading.d << " " << reading.h;
            }
        }
    }
}

TEST_F(MeasuredLayerTest, CancelLeavesTheChartAsBefore)
{
    std::string text = "tdb,rh\n";
    for (int i = 0; i < 300000; ++i) {
        text += std::to_string(10 + i % 20) + "," + std::to_string(20 + i % 60) + "\n";
    }
    const QString path = WriteLog("big.csv", text);
    form1.PlotState(10, 40);
    const QImage before = form1.Picture1->RetainedImage();
    Layer().ImportFile(path);
    MeasuredImportWindow* window = Layer().ImportWindow();
    ASSERT_TRUE(window);
    window->Command1->click();  // "取消" while the reader runs
    QTest::qWait(50);
    EXPECT_FALSE(Layer().Log());
    EXPECT_TRUE(form1.Picture1->Underlay().IsEmpty());
    EXPECT_EQ(form1.Picture1->RetainedImage(), before);
}

}  // namespace
}  // namespace hygrova::test
