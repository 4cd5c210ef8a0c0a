// The chart leaving the window: its context menu, the marks kept as data, and the chart
// saved as PNG, SVG and PDF, copied and printed, checked as the user would see the results.

#include "shell/export/chart_export.h"

#include "chart/palette.h"
#include "chart/sheet_geometry.h"
#include "common/app_state.h"
#include "shell/export/chart_export_dialogs.h"
#include "shell/export/chart_sheet.h"
#include "shell/platform/twips.h"
#include "shell/widgets/chart_surface.h"
#include "shell/windows/form1_main_window.h"
#include "shell/windows/form3_settings_dialog.h"
#include "shell/windows/form5_results_window.h"
#include "tests/support/wait_until.h"
#include "tests/support/window_actions.h"
#include "tests/support/main_window_fixture.h"

#include <cmath>
#include <cstdint>
#include <functional>
#include <iostream>
#include <map>
#include <set>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QPointer>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
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
    // The chart's three exports come first; the design's and the measured data's commands
    // follow them.
    EXPECT_EQ(Texts(form1.ChartMenu->actions()).mid(0, 3),
              QStringList({"复制图表", "保存图表…", "打印…"}));
    EXPECT_EQ(Texts(form1.menuBar()->actions()), QStringList({"查询(&C)", "设置(&S)", "关于(&A)"}));
    // Through the window, as the window system delivers input, so that Qt makes the
    // context-menu request of a right click and matches the keys to the window's shortcuts.
    QWindow* window = form1.windowHandle();
    const QPoint onChart =
        form1.Picture1->mapTo(&form1, form1.Picture1->rect().center() - QPoint(200, 100));
    const QLabel* scale = form1.Label9[4];
    const QPoint onScale = scale->mapTo(&form1, QPoint(2, scale->height() / 2));
    const std::vector<std::pair<const char*, std::function<void()>>> openers = {
        {"right click", [&] { QTest::mouseClick(window, Qt::RightButton, {}, onChart); }},
        {"right click on a scale label",
         [&] { QTest::mouseClick(window, Qt::RightButton, {}, onScale); }},
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
    // The larger PNGs are two and four times the chart's size in device-independent pixels,
    // whatever the screen's ratio; their lines are traced into whole pixels as the screen's
    // are, each pixel white or in a line's color, but around the mark.
    std::set<QRgb> colors{qRgb(255, 255, 255)};
    for (std::int16_t index = 0; index < 16; ++index) {
        const Rgb c = QBColor(index);
        colors.insert(qRgb(c.r, c.g, c.b));
    }
    const QImage single = ChartImage(sheet, 1);
    for (const double larger : {2.0, 4.0}) {
        const QImage big = ChartImage(sheet, larger);
        EXPECT_EQ(big.size(), ChartImageSize(sheet, larger));
        EXPECT_NEAR(big.width(), single.width() * larger, larger);
        EXPECT_NEAR(big.height(), single.height() * larger, larger);
        const QImage picture = PictureImage(sheet, larger);
        const ChartMark& mark = sheet.marks.front();
        const double pixelsPerTwip = larger / sheet.pixelTwips;
        const QRectF around = QRectF(mark.x - 2 * mark.radius, mark.y - 2 * mark.radius,
                                     4 * mark.radius, 4 * mark.radius);
        int blended = 0;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                blended += !colors.count(picture.pixel(x, y)) &&
                           !around.contains(QPointF(x, y) / pixelsPerTwip);
            }
        }
        EXPECT_EQ(blended, 0) << larger << " times";
        // The file tells its resolution: the screen's logical one times the scale.
        EXPECT_EQ(QImage::fromData(ChartPng(sheet, larger)).dotsPerMeterX(),
                  std::lround(larger * 1440 / sheet.pixelTwips / 0.0254));
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
    // The lines the screen shows: those of the picture short of its right and bottom edges,
    // which lie beyond its last pixels.
    const auto edge = static_cast<float>(0.01 * TwipsPerPixel(&form1));
    for (const ChartSegment& s :
         VisibleSegments(drawn, 45 * unit - edge, form1.Picture1->HeightTwips() - edge)) {
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

// Dark pixels of `shown` with no dark pixel of `reference` within `reach` pixels, outside
// `skip`: ink one image has where the other has none, as a label one shows and the other
// hides, but not a text's edges drawn a pixel apart.
int InkMissingFrom(const QImage& shown, const QImage& reference, const QRegion& skip, int reach)
{
    const auto ink = [](const QImage& image, int x, int y) {
        return x >= 0 && y >= 0 && x < image.width() && y < image.height() &&
               qGray(image.pixel(x, y)) < 140;
    };
    int missing = 0;
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            if (!ink(shown, x, y) || skip.contains(QPoint(x, y))) {
                continue;
            }
            bool near = false;
            for (int dy = -reach; dy <= reach && !near; ++dy) {
                for (int dx = -reach; dx <= reach && !near; ++dx) {
                    near = ink(reference, x + dx, y + dy);
                }
            }
            missing += near ? 0 : 1;
        }
    }
    return missing;
}

// At the pressures where labels leave the picture, every output shows the labels as the
// screen does: those the picture hides stay out, those it cuts off are cut off at its edge.
// The PNG is compared with the screen itself, the SVG and the PDF with the PNG.
TEST_F(ChartExportTest, LabelsShowAsOnTheScreenAtExtremePressures)
{
    constexpr int kStrayInk = 30;
    for (const float pressurePa : {150000.0f, 60000.0f, 50000.0f}) {
        TheAppState().AtmosphericPressure = pressurePa / 100;
        form1.RedrawChart();
        QApplication::processEvents();
        const ChartSheet sheet = Sheet();
        const double ratio = form1.devicePixelRatioF();
        const QImage png = ChartImage(sheet, ratio);
        // The sheet's place on the client area, and what the screen shows there but the
        // readout panel, the title picture and the buttons, which stay behind.
        const QPoint origin =
            form1.Picture1->pos() - (sheet.picture.topLeft() / sheet.pixelTwips).toPoint();
        const QRect area(origin, png.size() / ratio);
        const QImage screen = form1.Client->grab(area).toImage();
        QRegion behind;
        for (const QWidget* control :
             {static_cast<QWidget*>(form1.Frame1), static_cast<QWidget*>(form1.Frame2),
              static_cast<QWidget*>(form1.Image1)}) {
            const QRect place(control->mapTo(form1.Client, QPoint()) - origin, control->size());
            behind += QRect(place.topLeft() * ratio, place.size() * ratio).adjusted(-2, -2, 2, 2);
        }
        // A label holds a hundred dark pixels and more; texts drawn at another size may differ
        // by a few.
        EXPECT_LT(InkMissingFrom(png, screen, behind, 2), kStrayInk) << pressurePa << " Pa, PNG";
        EXPECT_LT(InkMissingFrom(screen, png, behind, 2), kStrayInk) << pressurePa << " Pa, screen";

        const QImage single = ChartImage(sheet, 1);
        QImage svg(single.size(), QImage::Format_RGB32);
        svg.fill(Qt::white);
        QPainter painter(&svg);
        QSvgRenderer(ChartSvg(sheet)).render(&painter);
        painter.end();
        const QString pdf = folder.filePath(QStringLiteral("chart.pdf"));
        ASSERT_EQ(SaveChart(pdf, sheet, 1), QString());
        const QImage page = RenderPdf(pdf, 96, folder.path());
        for (const auto& [name, vector] : {std::pair{"SVG", svg}, std::pair{"PDF", page}}) {
            EXPECT_LT(InkMissingFrom(vector, single, QRegion(), 2), kStrayInk)
                << pressurePa << " Pa, " << name;
        }
    }
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
    // The documents carry the chart's title.
    QFile svg(base + ".svg");
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    EXPECT_TRUE(svg.readAll().contains("<title>焓湿图 101325 Pa</title>"));
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {base + ".PDF"});
    ASSERT_TRUE(info.waitForFinished(30000));
    EXPECT_TRUE(QString::fromUtf8(info.readAllStandardOutput())
                    .contains(QRegularExpression(QStringLiteral("Title: +焓湿图 101325 Pa\n"))));
    const QImage page = RenderPdf(base + ".PDF", 96, folder.path());
    ASSERT_FALSE(page.isNull());
    EXPECT_NEAR(page.width(), png.width(), 1);
    EXPECT_NEAR(page.height(), png.height(), 1);
    EXPECT_GT(InkCorrelation(page, png), 0.95);
    // Off by a few pixels the same comparison fails: the tolerance does not hide a shift.
    EXPECT_LT(InkCorrelation(page.copy(4, 4, page.width() - 4, page.height() - 4), png), 0.8);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 4) << "no temporary files left";
}

// Runs mount or umount with the arguments; true when it succeeded.
bool Mount(const char* command, const QStringList& arguments)
{
    QProcess process;
    process.start(QString::fromLatin1(command), arguments);
    return process.waitForFinished(10000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

// A failed write names the file and its cause in Chinese, and leaves nothing behind. A disk
// that is read-only or full is a small file system of its own, where the test may mount one.
TEST_F(ChartExportTest, FailedWriteWarnsWhyAndLeavesNoFile)
{
    const ChartSheet sheet = Sheet();
    const struct {
        const char* folder;
        const char* mountOptions;  // a file system mounted on the folder, or none
        const char* reason;
    } failures[] = {
        {"", nullptr, "不支持这种文件类型"},
        {"missing", nullptr, "文件夹不存在"},
        {"read-only", "ro,size=1m", "只能读取"},
        {"full", "size=16k", "磁盘空间不足"},
    };
    for (const auto& failure : failures) {
        const QString place = folder.filePath(QString::fromLatin1(failure.folder));
        if (failure.mountOptions != nullptr) {
            ASSERT_TRUE(QDir().mkpath(place));
            if (!Mount("mount", {QStringLiteral("-t"), QStringLiteral("tmpfs"),
                                 QStringLiteral("-o"), QString::fromLatin1(failure.mountOptions),
                                 QStringLiteral("tmpfs"), place})) {
                std::cout << "not checked without mounting: " << failure.folder << "\n";
                continue;
            }
        }
        const QString name = QDir(place).filePath(
            *failure.folder == '\0' ? QStringLiteral("chart.jpg") : QStringLiteral("chart.png"));
        const QString message = SaveChart(name, sheet, 4);
        EXPECT_TRUE(message.contains(QString::fromUtf8(failure.reason))) << message.toStdString();
        EXPECT_TRUE(message.contains(QDir::toNativeSeparators(name))) << message.toStdString();
        EXPECT_FALSE(message.section(QStringLiteral("”"), -1)
                         .contains(QRegularExpression(QStringLiteral("[A-Za-z]{4}"))))
            << "no English account: " << message.toStdString();
        if (failure.mountOptions != nullptr) {
            EXPECT_TRUE(QDir(place).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden))
                << failure.folder;
            EXPECT_TRUE(Mount("umount", {place}));
            ASSERT_TRUE(QDir(place).removeRecursively());
        }
    }
    EXPECT_TRUE(
        QDir(folder.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
}

// "保存图表…" asks in Qt's own dialog: first in the pictures folder with the pressure in the
// proposed name, then where and as what the chart was saved last; each PNG size shows in
// pixels. A failure shows the warning box and asks again at the same name. No settings file
// is written.
TEST_F(ChartExportTest, SaveMenuAsksForTheFileRemembersAndAsksAgainAfterAFailure)
{
    // The user's pictures folder, as the desktop's user-dirs.dirs names it.
    const QByteArray configHome = qgetenv("XDG_CONFIG_HOME");
    QFile dirs(folder.filePath(QStringLiteral("user-dirs.dirs")));
    ASSERT_TRUE(dirs.open(QIODevice::WriteOnly));
    dirs.write("XDG_PICTURES_DIR=\"" + folder.path().toUtf8() + "\"\n");
    dirs.close();
    qputenv("XDG_CONFIG_HOME", folder.path().toUtf8());
    const QString saved = folder.filePath(QStringLiteral("saved"));
    ASSERT_TRUE(QDir().mkpath(saved));
    const ChartSheet sheet = Sheet();
    const struct {
        QString proposed;  // the path the dialog proposes
        int proposedType;  // and the file type
        QString name;      // what the user types, or nothing to cancel
        int type;
    } openings[] = {
        {folder.filePath(QStringLiteral("焓湿图 101325 Pa.png")), 0,
         QDir(saved).filePath(QStringLiteral("x2.png")), 1},
        {QDir(saved).filePath(QStringLiteral("焓湿图 101325 Pa.png")), 1,
         QDir(saved).filePath(QStringLiteral("chart.gif")), 3},
        {QDir(saved).filePath(QStringLiteral("chart.gif")), 3, QString(), 0},
    };
    std::size_t opened = 0;
    QPointer<QFileDialog> last;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr || dialog == last || opened == std::size(openings)) {
            return;
        }
        last = dialog;
        const auto& opening = openings[opened++];
        EXPECT_TRUE(dialog->testOption(QFileDialog::DontUseNativeDialog));
        EXPECT_EQ(dialog->selectedFiles().value(0), opening.proposed) << opened;
        const QStringList filters = dialog->nameFilters();
        ASSERT_EQ(filters.size(), 5);
        EXPECT_EQ(dialog->selectedNameFilter(), filters[opening.proposedType]) << opened;
        for (const int png : {0, 1, 2}) {
            const QSize size = ChartImageSize(sheet, png == 0 ? 1 : 2 * png);
            EXPECT_TRUE(filters[png].contains(
                QStringLiteral("%1 × %2 像素").arg(size.width()).arg(size.height())))
                << filters[png].toStdString();
        }
        if (opening.name.isEmpty()) {
            dialog->reject();
            return;
        }
        dialog->selectNameFilter(filters[opening.type]);
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(name, nullptr);
        name->setText(opening.name);
        static_cast<QDialog*>(dialog)->accept();  // as its save button does
    });
    answer.start(10);
    for (int save = 0; save < 2; ++save) {
        warnings.clear();
        form1.menu_save->trigger();
        if (save == 0) {
            EXPECT_TRUE(warnings.messages().isEmpty());
            EXPECT_EQ(QImage(openings[0].name).size(), ChartImageSize(sheet, 2));
        }
    }
    EXPECT_EQ(opened, std::size(openings));
    EXPECT_TRUE(warnings.single().contains(QStringLiteral("chart.gif")))
        << warnings.single().toStdString();
    EXPECT_FALSE(QFileInfo::exists(openings[1].name));
    EXPECT_FALSE(QFileInfo::exists(folder.filePath(QStringLiteral("QtProject.conf"))));
    qputenv("XDG_CONFIG_HOME", configHome);
    EXPECT_EQ(DefaultChartFileName(1000.5f), QStringLiteral("焓湿图 100050 Pa.png"));
}

// The chart's commands have the keys of chart programs, shown in the menu and working in the
// main window.
TEST_F(ChartExportTest, CopyPutsTheImageAndTheSvgOnTheClipboard)
{
    const std::pair<QAction*, const char*> keys[] = {
        {form1.menu_copy, "Ctrl+C"}, {form1.menu_save, "Ctrl+E"}, {form1.menu_print, "Ctrl+P"}};
    for (const auto& [action, key] : keys) {
        EXPECT_EQ(action->shortcut(), QKeySequence(QString::fromLatin1(key)));
        EXPECT_TRUE(form1.actions().contains(action)) << key;
    }
    ASSERT_NO_FATAL_FAILURE(PlotTypicalState());
    // On X11 Qt matches a shortcut with a modifier by the key's native code, which a key
    // made by the test lacks: there the command is taken from its action.
    if (QGuiApplication::platformName() == QLatin1String("offscreen")) {
        QGuiApplication::clipboard()->clear();
        form1.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form1));
        QTest::keyClick(form1.windowHandle(), Qt::Key_C, Qt::ControlModifier);
    } else {
        form1.menu_copy->trigger();
    }
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(data->hasImage());
    EXPECT_EQ(qvariant_cast<QImage>(data->imageData()).size(),
              ChartImageSize(Sheet(), form1.devicePixelRatioF()));
    const QByteArray svg = data->data(QStringLiteral("image/svg+xml"));
    EXPECT_TRUE(QSvgRenderer(svg).isValid());
    EXPECT_EQ(ReadSvg(svg).discFills.size(), 1);
}

// "打印…" shows the preview on landscape A4; printing into a PDF file needs no printer.
TEST_F(ChartExportTest, PrintsOnLandscapeA4ScaledToThePage)
{
    ASSERT_NO_FATAL_FAILURE(PlotTypicalState());
    QPageLayout previewed;
    QSize previewSize;
    WhenModal<QPrintPreviewDialog>([&](QPrintPreviewDialog* preview) {
        previewed = preview->printer()->pageLayout();
        previewSize = preview->size();
        preview->reject();
    });
    form1.menu_print->trigger();
    EXPECT_EQ(previewed.orientation(), QPageLayout::Landscape);
    EXPECT_EQ(previewed.pageSize().id(), QPageSize::A4);
    const QSize available = QGuiApplication::primaryScreen()->availableGeometry().size();
    EXPECT_GE(previewSize.width(), available.width() / 2) << "readable";
    EXPECT_GE(previewSize.height(), available.height() / 2) << "readable";

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
