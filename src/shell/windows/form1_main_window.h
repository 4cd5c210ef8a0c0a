#pragma once

#include "shell/windows/query_host.h"
#include "shell/windows/settings_host.h"
#include "shell/export/chart_export_dialogs.h"
#include "shell/platform/skin_engine.h"
#include "shell/widgets/label_fonts.h"

#include <array>
#include <memory>

#include <QMainWindow>
#include <QPointer>

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPrinter;
class QPushButton;

namespace hygrova {

class ChartSurface;
struct ChartDrawing;
struct ChartWidgets;
class Form2;
class Form3;
class Form4;
class Form5;
class WindowShape;

// Form1: the main window with the h-d chart, the readout of the state under the pointer,
// the command buttons and the menu bar. It owns the program's other windows, which it
// creates when they are first shown.
class Form1 : public QMainWindow, public QueryHost, public SettingsHost {
    Q_OBJECT

public:
    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;

    // Sizes Picture1 to the window, stores the new ChartUnit, draws the chart for the current
    // settings and moves the scale labels. Does not clear the picture first: callers clear it.
    // Throws ArithmeticFault when a property function faults.
    void drawpic();

    // Clears Picture1 and runs drawpic; a fault leaves the chart as far as it was drawn.
    void RedrawChart() override;
    void PlotState(float d, float h) override;
    QWidget& HostWindow() override;
    void ShowPressureCaption(const QString& pressureText) override;
    // The widgets that show the chart, for a chart sheet.
    ChartWidgets ShownChart() const;

    // The query dialog and the results window, created on first use; at most one of each.
    Form2& QueryDialog();
    Form5& ResultsWindow() override;
    // The settings dialog and the About window while they exist, else null.
    Form3* SettingsDialog() const;
    Form4* AboutWindow() const;
    Form2* ExistingQueryDialog() const;
    Form5* ExistingResultsWindow() const;

    void setVisible(bool visible) override;

    // Controls. The client area below the menu bar holds them all.
    QWidget* Client = nullptr;
    QGroupBox* Frame2 = nullptr;        // holds the four command buttons
    QPushButton* Command1 = nullptr;    // "查询"
    QPushButton* Command2 = nullptr;    // "设置"
    QPushButton* Command3 = nullptr;    // "关于"
    QPushButton* Command4 = nullptr;    // "退出"
    ChartSurface* Picture1 = nullptr;   // the chart
    QGroupBox* Frame1 = nullptr;        // readout panel, caption "大气压力: ... Pa"
    QLabel* Label1 = nullptr;           // "干球温度(℃)"
    QLabel* Label2 = nullptr;           // "湿球温度(℃)"
    QLabel* Label3 = nullptr;           // "露点温度(℃)"
    QLabel* Label4 = nullptr;           // "相对湿度(%)"
    QLabel* Label5 = nullptr;           // "含湿量(g/kg干)"
    QLabel* Label6 = nullptr;           // "焓(kJ/kg干)"
    QLabel* Label7 = nullptr;           // "比容(m3/kg干)"
    QLabel* Label8 = nullptr;           // "水蒸气分压(Pa)"
    QLineEdit* Text1 = nullptr;         // dry-bulb temperature, deg C
    QLineEdit* Text2 = nullptr;         // wet-bulb temperature, deg C
    QLineEdit* Text3 = nullptr;         // dew point, deg C
    QLineEdit* Text4 = nullptr;         // relative humidity, %
    QLineEdit* Text5 = nullptr;         // moisture content, g/kg dry air
    QLineEdit* Text6 = nullptr;         // enthalpy, kJ/kg dry air
    QLineEdit* Text7 = nullptr;         // specific volume, m3/kg dry air
    QLineEdit* Text8 = nullptr;         // vapour pressure, Pa
    std::array<QLabel*, 10> Label9{};   // temperature scale "-20".."60" and the axis title
    std::array<QLabel*, 10> Label10{};  // moisture-content scale "0".."40" and the axis title
    std::array<QLabel*, 17> Label11{};  // enthalpy scale "-10".."140" and the title (in Picture1)
    std::array<QLabel*, 10> Label12{};  // relative-humidity labels "10%".."100%" (in Picture1)
    QLabel* Image1 = nullptr;           // decorative vertical title picture
    QAction* menu_ser = nullptr;        // "查询(&C)"
    QAction* menu_set = nullptr;        // "设置(&S)"
    QAction* menu_abt = nullptr;        // "关于(&A)"
    // The chart's context menu (right-click on the picture, the Menu key, Shift+F10), by
    // which the chart leaves the window.
    QMenu* ChartMenu = nullptr;
    QAction* menu_copy = nullptr;   // "复制图表"
    QAction* menu_save = nullptr;   // "保存图表…"
    QAction* menu_print = nullptr;  // "打印…"
    SkinEngine BSE1;

    // The eight readout boxes, Text1..Text8.
    std::array<QLineEdit*, 8> ReadoutBoxes() const;

public slots:
    void Command1_Click();  // query
    void Command2_Click();  // settings
    void Command3_Click();  // About
    void Command4_Click();  // exit
    void Picture1_MouseMove(Qt::MouseButtons button, Qt::KeyboardModifiers shift, float x, float y);
    void Picture1_ContextMenu(const QPoint& position);  // right-click, picture pixels
    void ChartMenuKey_Press();                          // the Menu key or Shift+F10
    void menu_copy_Click();                             // copy the chart
    void menu_save_Click();                             // save the chart in a file
    void menu_print_Click();                            // print the chart

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool nativeEvent(const QByteArray& eventType, void* message, qintptr* result) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();
    void Form_Resize();
    // The window is on the screen, about to be painted for the first time: the chart, the
    // label fonts and the title picture, which its showing does not need, are made now.
    void Form_FirstExposure();
    void Form_Unload();

    void CreateControls();
    void CreateReadoutPanel();
    void CreateFormLabels();
    void CreateChartLabels();
    void CreateMenu();
    void CreateChartMenu();
    void MoveScaleLabels(const ChartDrawing& chart);
    // Gives each family of labels and boxes (scale numbers, relative-humidity labels, the
    // upright axis title, the two others, readout captions, readout boxes) the largest font, up to
    // the design's, at which every one of them shows its text whole at the present window size.
    void FitLabelFonts();
    void UnloadSecondaryWindows();
    // Clicked while it waits, disabled, for the settings dialog or the About window, the
    // window brings back the one that was minimized, so that the user is never left with
    // nothing to click.
    void BringBackAwaitedWindow();

    QPointer<Form2> m_form2;
    QPointer<Form3> m_form3;
    QPointer<Form4> m_form4;
    QPointer<Form5> m_form5;
    // The printer the chart goes to, made on the first print; it keeps the user's choices.
    std::unique_ptr<QPrinter> m_printer;
    // The folder and file type the chart was last saved in, for the run.
    ChartFileMemory m_chartFiles;
    // Holds the window in its shape; a child of the window.
    WindowShape* m_shape = nullptr;
    // The window has not yet been on the screen.
    bool m_awaitingFirstExposure = true;
    // The readout boxes' font size at the present window size; a longer text shows smaller.
    qreal m_readoutPointSize = kLabelPointSize;
};

}  // namespace hygrova
