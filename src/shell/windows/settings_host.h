#pragma once

class QString;
class QWidget;

namespace hygrova {

// What the settings dialog asks of the main window, which waits for it, disabled, and draws
// the chart with the settings it stores. The main window implements it; the settings dialog
// knows it by this alone.
class SettingsHost {
public:
    // The main window: the dialog stays above it and enables it again when it goes.
    virtual QWidget& HostWindow() = 0;
    // Clears the chart and draws it again for the current settings (see QueryHost).
    virtual void RedrawChart() = 0;
    // Shows the atmospheric pressure, as the user typed it (Pa), in the readout panel's
    // caption.
    virtual void ShowPressureCaption(const QString& pressureText) = 0;

protected:
    SettingsHost() = default;
    SettingsHost(const SettingsHost&) = default;
    SettingsHost& operator=(const SettingsHost&) = default;
    ~SettingsHost() = default;
};

}  // namespace hygrova
