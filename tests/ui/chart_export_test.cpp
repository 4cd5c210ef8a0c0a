// The chart leaving the window: its context menu, the marks kept as data, and the chart
// saved as PNG, SVG and PDF, copied and printed, checked as the user would see the results.

#include "shell/export/chart_export.h"

#include "chart/palette.h"
#include "chart/sheet_geometry.h"
#include "common/app_state.h"
#include "shell/export/chart_export_dialogs.h"
#include "shell/export/chart_sheet.h"
#include "shell/widgets/chart_surface.h"
#include "shell/windows/form1_main_window.h"
#include "shell/windows/form3_settings_dialog.h"
#include "shell/windows/form5_results_window.h"
#include "tests/support/wait_until.h"
#include "tests/support/window_actions.h"
#include "tests/support/main_window_fixture.h"

#include <cmath>
#include <functional>
#include <map>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTimer>
#include <QXmlStreamReader>

namespace hygrova {
namespace {

using test::Click;
using test::WaitUntil;

// Runs `act` on the first modal window of class T to appear, once the next modal loop runs.
template <typename T>
void WhenModal(std::function<void(T*)> act)
{
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (auto* window = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            act(window);
        }
    });
    timer->start();
}

QStringList Texts(const QList<QAction*>& actions)
{
    QStringList texts;
    for (const QAction* action : actions) {
        texts << action->text();
    }
    return texts;
}

class ChartExportTest : public test::MainWindowFixture {
protected:
    // Plots the typical state (dry bulb 20 deg C, 50 % relative humidity) from the results
    // window, as its boxes show it.
    void PlotTypicalState()
    {
        Click(form1.Command1);
        Form5* results = form1.ExistingResultsWindow();
        ASSERT_NE(results, nullptr);
        results->Text5->setText(QStringLiteral(" 7.261"));
        results->Text6->setText(QStringLiteral(" 38.629"));
        Click(results->Command1);
    }

    ChartSheet Sheet() const { return CaptureChartSheet(form1.ShownChart()); }

    QTemporaryDir folder;
};

TEST_F(ChartExportTest, ContextMenuOpensByMouseAndKeysOnlyWhileEnabled)
{
    EXPECT_EQ(Texts(form1.ChartMenu->actions()),
              QStringList({"复制图表", "保存图表…", "打印…", "", "导入测量数据…", "测量区域…",
                           "清除测量数据"}));
    EXPECT_EQ(Texts(form1.menuBar()->actions()), QStringList({"查询(&C)", "设置(&S)", "关于(&A)"}));
    // Through the window, as the window system delivers input, so that Qt makes the
    // context-menu request of a right click and matches the keys to the window's shortcuts.
    QWindow* window = form1.windowHandle();
    const QPoint onChart =
        form1.Picture1->mapTo(&form1, form1.Picture1->rect().center() - QPoint(200, 100));
    const std::vector<std::pair<const char*, std::function<void()>>> openers = {
        {"right click", [&] { QTest::mouseClick(window, Qt::RightButton, {}, onChart); }},
        {"Menu key", [&] { QTest::keyClick(window, Qt::Key_Menu); }},
        {"Shift+F10", [&] { QTest::keyClick(window, Qt::Key_F10, Qt::ShiftModifier); }},
    };
    for (const bool enabled : {true, false}) {
        form1.setEnabled(enabled);
        for (const auto& [name, open] : openers) {
            form1.activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&form1));
            open();
            EXPECT_EQ(WaitUntil([&] { return form1.ChartMenu->isVisible(); }, enabled ? 3000 : 100),
                      enabled)
                << name << (enabled ? "" : " while disabled");
            form1.ChartMenu->hide();
        }
    }
}

TEST_F(ChartExportTest, MarksStayUntilThePictureIsCleared)
{
    const std::vector<std::pair<const char*, std::function<void()>>> clears = {
        {"清除", [&] { Click(form1.ExistingResultsWindow()->Command2); }},
        {"resize", [&] { form1.resize(form1.width() + 40, form1.height()); }},
        {"应用",
         [&] {
             Click(form1.Command2);
             Click(form1.SettingsDialog()->Command3);
             Click(form1.SettingsDialog()->Command2);
         }},
    };
    for (const auto& [name, clear] : clears) {
        ASSERT_NO_FATAL_FAILURE(PlotTypicalState());
        ASSERT_NO_FATAL_FAILURE(PlotTypicalState());
        ASSERT_EQ(form1.Picture1->Marks().size(), 2u) << name;
        const ChartMark mark = form1.Picture1->Marks().front();
        const float unit = TheAppState().ChartUnit;
        EXPECT_NEAR(mark.x, 7.261f * unit, 0.01f * unit);
        EXPECT_NEAR(mark.radius, 0.2f * unit, 1e-3f * unit);
        ASSERT_TRUE(mark.fill.has_value());
        EXPECT_EQ(mark.fill->r, 255);
        clear();
        EXPECT_TRUE(WaitUntil([&] { return form1.Picture1->Marks().empty(); })) << name;
        EXPECT_FALSE(form1.Picture1->DrawnSegments().empty()) << name << ": redrawn";
    }
}

// The picture in the PNG is the retained image pixel for pixel, but where labels lie on it;
// a larger PNG is the same sheet at a multiple of the size.
TEST_F(ChartExportTest, PngShowsTheRetainedPicture)
{
    ASSERT_NO_FATAL_FAILURE(PlotTypicalState());
    const ChartSheet sheet = Sheet();
    const QImage& retained = form1.Picture1->RetainedImage();
    const double ratio = retained.devicePixelRatio();
    const QImage png = ChartImage(sheet, ratio);
    const double scale = ratio / sheet.pixelTwips;
    const QPoint offset = (sheet.picture.topLeft() * scale).toPoint();
    QRegion labels;
    for (const SheetText& text : sheet.onTexts) {
        const QRectF r(text.rect.topLeft() * scale, text.rect.size() * scale);
        labels += r.toAlignedRect().adjusted(-2, -2, 2, 2);
    }
    int compared = 0;
    int differing = 0;
    for (int y = 0; y < retained.height(); ++y) {
        for (int x = 0; x < retained.width(); ++x) {
            if (!labels.contains(QPoint(x, y) + offset)) {
                ++compared;
                differing += png.pixel(x + offset.x(), y + offset.y()) != retained.pixel(x, y);
            }
        }
    }
    EXPECT_GT(compared, retained.width() * retained.height() / 2);
    EXPECT_EQ(differing, 0);
    for (const double larger : {2.0, 4.0}) {
        const QImage big = ChartImage(sheet, larger);
        EXPECT_NEAR(big.width(), png.width() * larger / ratio, larger);
        EXPECT_NEAR(big.height(), png.height() * larger / ratio, larger);
    }
}

// The stroke color of every line element of the SVG, counted, and its texts and discs.
struct SvgContents {
    std::map<QString, int> linesPerColor;
    QStringList texts;
    QStringList discFills;
};

SvgContents ReadSvg(const QByteArray& svg)
{
    SvgContents contents;
    QXmlStreamReader xml(svg);
    std::vector<QString> strokes{QStringLiteral("none")};
    std::vector<QString> fills{QStringLiteral("none")};
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const auto attributes = xml.attributes();
            strokes.push_back(attributes.hasAttribute("stroke")
                                  ? attributes.value("stroke").toString()
                                  : strokes.back());
            fills.push_back(attributes.hasAttribute("fill") ? attributes.value("fill").toString()
                                                            : fills.back());
            const auto name = xml.name();
            if (name == QLatin1String("polyline") || name == QLatin1String("line")) {
                ++contents.linesPerColor[strokes.back()];
            } else if (name == QLatin1String("text")) {
                contents.texts << xml.readElementText();
                strokes.pop_back();
                fills.pop_back();
            } else if (name == QLatin1String("circle") || name == QLatin1String("ellipse")) {
                contents.discFills << fills.back();
            }
        } else if (xml.isEndElement()) {
            strokes.pop_back();
            fills.pop_back();
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return contents;
}

TEST_F(ChartExportTest, SvgHoldsTheVisibleLinesPerColorTheLabelsAndTheMarks)
{
    ASSERT_NO_FATAL_FAILURE(PlotTypicalState());
    // Thinned isotherms and a hidden (white) enthalpy family still count as drawn.
    AppState& state = TheAppState();
    state.IsothermSpacing = 5;
    state.EnthalpyLineColor = 15;
    form1.Picture1->Clear();
    form1.drawpic();
    ASSERT_NO_FATAL_FAILURE(PlotTypicalState());
    const QByteArray svg = ChartSvg(Sheet());
    EXPECT_TRUE(QSvgRenderer(svg).isValid());
    const SvgContents contents = ReadSvg(svg);

    std::map<QString, int> expected;
    const float unit = state.ChartUnit;
    const auto& drawn = form1.Picture1->DrawnSegments();
    for (const ChartSegment& s : VisibleSegments(drawn, 45 * unit, form1.Picture1->HeightTwips())) {
        const Rgb c = QBColor(s.color);
        ++expected[QColor(c.r, c.g, c.b).name()];
    }
    EXPECT_EQ(contents.linesPerColor, expected);
    EXPECT_GT(expected[QStringLiteral("#ffffff")], 100) << "the hidden family is there, white";

    // A text mixing Han and Latin characters comes in one piece per script, in order.
    const QString allText = contents.texts.join(QString());
    for (const char* label : {"-20", "60", "0", "40", "含湿量(g/kg干)", "-10", "140", "焓(kJ/kg干)",
                              "10%", "100%", "温", "℃", "大气压力:  101325 Pa"}) {
        EXPECT_TRUE(allText.contains(QString::fromUtf8(label))) << label;
    }
    EXPECT_EQ(contents.discFills, QStringList({"#ff0000"}));
}

// Renders a PDF file's first page at the given resolution with pdftoppm (Poppler).
QImage RenderPdf(const QString& pdf, int dpi, const QString& folder)
{
    const QString stem = folder + QStringLiteral("/page");
    QProcess process;
    process.start(QStringLiteral("pdftoppm"),
                  {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-singlefile"),
                   QStringLiteral("-png"), pdf, stem});
    EXPECT_TRUE(process.waitForFinished(30000)) << "pdftoppm did not finish";
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    return QImage(stem + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

// How closely the ink of two images of the same size agrees: the correlation of their
// darkness over 4 x 4 pixel blocks, 1 for the same drawing. Blocks even out how differently
// two rasterisers draw a line's edges and how dark they make a thin line; where the lines
// and texts run is what counts.
double InkCorrelation(const QImage& a, const QImage& b)
{
    const int w = std::min(a.width(), b.width()) / 4;
    const int h = std::min(a.height(), b.height()) / 4;
    const auto block = [](const QImage& image, int bx, int by) {
        double ink = 0;
        for (int y = by * 4; y < by * 4 + 4; ++y) {
            for (int x = bx * 4; x < bx * 4 + 4; ++x) {
                ink += 255 - qGray(image.pixel(x, y));
            }
        }
        return ink;
    };
    double sa = 0, sb = 0, saa = 0, sbb = 0, sab = 0;
    for (int by = 0; by < h; ++by) {
        for (int bx = 0; bx < w; ++bx) {
            const double va = block(a, bx, by);
            const double vb = block(b, bx, by);
            sa += va;
            sb += vb;
            saa += va * va;
            sbb += vb * vb;
            sab += va * vb;
        }
    }
    const double n = double(w) * h;
    return (sab - sa * sb / n) / std::sqrt((saa - sa * sa / n) * (sbb - sb * sb / n));
}

TEST_F(ChartExportTest, SavedFilesShowTheChartAndThePdfMatchesThePng)
{
    ASSERT_NO_FATAL_FAILURE(PlotTypicalState());
    const ChartSheet sheet = Sheet();
    const QString base = folder.filePath(QStringLiteral("焓湿图"));
    for (const char* suffix : {".png", ".svg", ".PDF"}) {
        EXPECT_EQ(SaveChart(base + suffix, sheet, 1), QString()) << suffix;
    }
    const QImage png(base + ".png");
    ASSERT_FALSE(png.isNull());
    EXPECT_EQ(png, ChartImage(sheet, 1).convertToFormat(png.format()));
    EXPECT_TRUE(QSvgRenderer(base + ".svg").isValid());
    const QImage page = RenderPdf(base + ".PDF", 96, folder.path());
    ASSERT_FALSE(page.isNull());
    EXPECT_NEAR(page.width(), png.width(), 1);
    EXPECT_NEAR(page.height(), png.height(), 1);
    EXPECT_GT(InkCorrelation(page, png), 0.95);
    // Off by a few pixels the same comparison fails: the tolerance does not hide a shift.
    EXPECT_LT(InkCorrelation(page.copy(4, 4, page.width() - 4, page.height() - 4), png), 0.8);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 4) << "no temporary files left";
}

TEST_F(ChartExportTest, FailedWriteWarnsAndLeavesNoFile)
{
    const ChartSheet sheet = Sheet();
    const struct {
        QString name;
        QString reason;
    } failures[] = {
        {folder.filePath(QStringLiteral("chart.jpg")), QStringLiteral("不支持这种文件类型")},
        {folder.filePath(QStringLiteral("missing/chart.png")), QStringLiteral("文件夹不存在")},
    };
    for (const auto& failure : failures) {
        const QString message = SaveChart(failure.name, sheet, 1);
        EXPECT_TRUE(message.contains(failure.reason)) << message.toStdString();
        EXPECT_TRUE(message.contains(QDir::toNativeSeparators(failure.name)))
            << message.toStdString();
    }
    EXPECT_TRUE(
        QDir(folder.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
}

// "保存图表…" asks in Qt's own dialog, in the pictures folder, with the pressure in the
// proposed name; a failure shows the warning box.
TEST_F(ChartExportTest, SaveMenuAsksForTheFileAndWarnsOnFailure)
{
    // The user's pictures folder, as the desktop's user-dirs.dirs names it.
    const QByteArray configHome = qgetenv("XDG_CONFIG_HOME");
    QFile dirs(folder.filePath(QStringLiteral("user-dirs.dirs")));
    ASSERT_TRUE(dirs.open(QIODevice::WriteOnly));
    dirs.write("XDG_PICTURES_DIR=\"" + folder.path().toUtf8() + "\"\n");
    dirs.close();
    qputenv("XDG_CONFIG_HOME", folder.path().toUtf8());
    const struct {
        QString name;
        QString filter;
        QSize size;  // of the PNG written, pixels; empty when nothing is written
    } rows[] = {
        {QStringLiteral("x2.png"), QStringLiteral("PNG 图像，2 倍大小 (*.png)"), QSize(2, 2)},
        {QStringLiteral("plain"), QStringLiteral("PNG 图像 (*.png)"), QSize(1, 1)},
        {QStringLiteral("chart.gif"), QStringLiteral("PNG 图像 (*.png)"), QSize()},
    };
    const QImage screen = ChartImage(Sheet(), 1);
    for (const auto& row : rows) {
        QString proposed;
        WhenModal<QFileDialog>([&](QFileDialog* dialog) {
            EXPECT_TRUE(dialog->testOption(QFileDialog::DontUseNativeDialog));
            proposed = dialog->selectedFiles().value(0);
            EXPECT_EQ(dialog->nameFilters().size(), 5);
            dialog->selectNameFilter(row.filter);
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            ASSERT_NE(name, nullptr);
            name->setText(folder.filePath(row.name));
            static_cast<QDialog*>(dialog)->accept();  // as its save button does
        });
        warnings.clear();
        form1.menu_save->trigger();
        EXPECT_EQ(proposed, folder.filePath(QStringLiteral("焓湿图 101325 Pa.png")));
        if (row.size.isEmpty()) {
            EXPECT_TRUE(warnings.single().contains(row.name)) << warnings.single().toStdString();
            EXPECT_FALSE(QFileInfo::exists(folder.filePath(row.name)));
            continue;
        }
        EXPECT_TRUE(warnings.messages().isEmpty());
        const QString written = folder.filePath(
            QFileInfo(row.name).suffix().isEmpty() ? row.name + QStringLiteral(".png") : row.name);
        const QImage png(written);
        EXPECT_NEAR(png.width(), screen.width() * row.size.width(), row.size.width());
    }
    qputenv("XDG_CONFIG_HOME", configHome);
    EXPECT_EQ(DefaultChartFileName(1000.5f), QStringLiteral("焓湿图 100050 Pa.png"));
}

TEST_F(ChartExportTest, CopyPutsTheImageAndTheSvgOnTheClipboard)
{
    ASSERT_NO_FATAL_FAILURE(PlotTypicalState());
    form1.menu_copy->trigger();
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(data->hasImage());
    EXPECT_EQ(qvariant_cast<QImage>(data->imageData()).size(), ChartImage(Sheet(), 1).size());
    const QByteArray svg = data->data(QStringLiteral("image/svg+xml"));
    EXPECT_TRUE(QSvgRenderer(svg).isValid());
    EXPECT_EQ(ReadSvg(svg).discFills.size(), 1);
}

// "打印…" shows the preview on landscape A4; printing into a PDF file needs no printer.
TEST_F(ChartExportTest, PrintsOnLandscapeA4ScaledToThePage)
{
    ASSERT_NO_FATAL_FAILURE(PlotTypicalState());
    QPageLayout previewed;
    WhenModal<QPrintPreviewDialog>([&](QPrintPreviewDialog* preview) {
        previewed = preview->printer()->pageLayout();
        preview->reject();
    });
    form1.menu_print->trigger();
    EXPECT_EQ(previewed.orientation(), QPageLayout::Landscape);
    EXPECT_EQ(previewed.pageSize().id(), QPageSize::A4);

    QPrinter printer(QPrinter::HighResolution);
    SetChartPrinterDefaults(printer);
    const QString pdf = folder.filePath(QStringLiteral("printed.pdf"));
    printer.setOutputFileName(pdf);
    PrintChart(printer, Sheet());
    const QImage page = RenderPdf(pdf, 72, folder.path());
    // A4 landscape at 72 dpi is 842 x 595 points.
    EXPECT_NEAR(page.width(), 842, 1);
    EXPECT_NEAR(page.height(), 595, 1);
    // The chart fills the printable area across or down: ink near both opposite margins.
    QRect ink;
    int red = 0;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            const QRgb p = page.pixel(x, y);
            if (qGray(p) < 200) {
                ink |= QRect(x, y, 1, 1);
            }
            red += qRed(p) > 200 && qGreen(p) < 80 && qBlue(p) < 80;
        }
    }
    EXPECT_TRUE(ink.width() > 842 * 0.8 || ink.height() > 595 * 0.8)
        << ink.width() << "x" << ink.height();
    EXPECT_GT(red, 4) << "the mark and the caption are printed";
}

}  // namespace
}  // namespace hygrova
