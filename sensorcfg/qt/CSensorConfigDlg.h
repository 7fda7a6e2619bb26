#pragma once

#include <functional>
#include <map>
#include <string>

#include "sensorcfg/SensorButtons.h"
#include "sensorcfg/SensorConfigForm.h"
#include "sensorcfg/qt/CSentrimDialog.h"

class QAbstractButton;
class QComboBox;
class QLabel;
class QLineEdit;
class SensorPrompts;
class SpinArrows;

// "Sensor Configuration": every setting of the sensor. The rules (enabling per model, the live
// changes, the OK checks) are the form's; this shows it and reports the user's actions.
class CSensorConfigDlg : public CSentrimDialog {
    Q_OBJECT
  public:
    CSensorConfigDlg(CQuorelDoc& doc, SensorPrompts& prompts, bool connected,
                     SendVerified sendVerified = {}, QWidget* parent = nullptr);

    void accept() override;

    // The widget that shows a control, for tests and focus.
    QWidget* control(ConfigControl c) const;
    SpinArrows* spin(ConfigSpin s) const;
    const SensorConfigForm& form() const { return form_; }

  private:
    QLineEdit* edit(ConfigControl c, int width = 80);
    QLabel* label(ConfigControl c, const QString& text);
    QAbstractButton* check(ConfigControl c, const QString& text, bool radio = false);
    QComboBox* list(ConfigControl c, const std::vector<std::string>& items);
    SpinArrows* spinFor(ConfigSpin s, ConfigControl c);
    QWidget* buildPosition();
    QWidget* buildDatum();
    QWidget* buildModes();
    QWidget* buildSwitches();
    QWidget* buildTiming();
    QWidget* buildBeacon();
    QWidget* buildModels();
    QWidget* buildSensorButtons();
    void bindLists();
    void refresh();

    CQuorelDoc& doc_;
    SensorPrompts& prompts_;
    SensorConfigForm form_;
    SendVerified sendVerified_;
    bool connected_;
    std::map<ConfigControl, QWidget*> controls_;
    std::map<ConfigSpin, SpinArrows*> spins_;
};
