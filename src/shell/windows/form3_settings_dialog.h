#pragma once

#include "shell/platform/skin_engine.h"

#include <array>
#include <optional>

#include <QWidget>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace hygrova {

struct PressureLimits;
class SettingsHost;

// Form3: settings dialog: the atmospheric pressure of the chart and of every calculation,
// and the color and spacing of the chart's line families. "确定" stores the settings,
// redraws the chart and hides the dialog; "应用" stores and redraws and keeps it open;
// "取消" only hides it. The main window stays disabled while the dialog is visible.
// A plain top-level window rather than a QDialog, so that Esc cannot hide it while the
// main window waits, disabled, for one of its buttons.
class Form3 : public QWidget {
    Q_OBJECT

public:
    // Creates and loads the dialog for the main window, centred on the screen, not yet shown.
    explicit Form3(SettingsHost& main);

    QTabWidget* SSTab1 = nullptr;  // tabs "大气压力" and "图形界面"

    // Tab "大气压力".
    QGroupBox* Frame5 = nullptr;  // the pressure page, no caption
    QLabel* Label1 = nullptr;     // "请输入大气压力："
    QLineEdit* Text1 = nullptr;   // the atmospheric pressure, Pa, as typed
    QLabel* Label2 = nullptr;     // "Pa"
    QLabel* Label9 = nullptr;     // "注意："
    QLabel* Label8 = nullptr;     // "1.大气压力范围在85000-111325Pa之间。"
    QLabel* Label10 = nullptr;    // "2.在非标准大气压下(...)...", two lines

    // Tab "图形界面": one frame per line family, each with a caption, a color box, "间距" and
    // a spacing box.
    QGroupBox* Frame1 = nullptr;      // isotherms
    QGroupBox* Frame2 = nullptr;      // lines of constant enthalpy
    QGroupBox* Frame3 = nullptr;      // lines of constant moisture content
    QGroupBox* Frame4 = nullptr;      // relative-humidity curves
    QLabel* Label3 = nullptr;         // "等  温  线：    颜色"
    QLabel* Label4 = nullptr;         // "等  焓  线：    颜色"
    QLabel* Label5 = nullptr;         // "等含湿量线：    颜色"
    QLabel* Label6 = nullptr;         // "相对湿度线：    颜色"
    std::array<QLabel*, 4> Label7{};  // "间距", one per frame
    QComboBox* Combo1 = nullptr;      // isotherm color, "黑色".."隐藏"
    QComboBox* Combo2 = nullptr;      // enthalpy-line color
    QComboBox* Combo3 = nullptr;      // moisture-line color
    QComboBox* Combo4 = nullptr;      // relative-humidity-curve color
    QComboBox* Combo5 = nullptr;      // isotherm spacing, "1", "5", "10"
    QComboBox* Combo6 = nullptr;      // enthalpy-line spacing
    QComboBox* Combo7 = nullptr;      // moisture-line spacing
    QComboBox* Combo8 = nullptr;  // shows "10": the curves are always drawn every 10 %; never read

    QPushButton* Command1 = nullptr;  // "确定"
    QPushButton* Command2 = nullptr;  // "取消"
    QPushButton* Command3 = nullptr;  // "应用"
    SkinEngine BSE1;

public slots:
    void Command1_Click();  // "确定"
    void Command2_Click();  // "取消"
    void Command3_Click();  // "应用"

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();
    void Form_Unload();

    void CreateControls();
    void CreatePressurePage(QWidget* page, QPoint pageOrigin);
    void CreateLinePages(QWidget* page, QPoint pageOrigin);
    // The typed pressure, hPa, when it lies within the button's limits; outside them, shows
    // the message, puts the focus in the pressure box and answers nothing.
    std::optional<float> TypedPressureHpa(const PressureLimits& limits);
    // Stores the colors, the spacings and the pressure (hPa) in AppState and writes the main
    // window's pressure caption as typed.
    void StoreSettings(float pressureHpa);

    SettingsHost& m_main;
};

}  // namespace hygrova
