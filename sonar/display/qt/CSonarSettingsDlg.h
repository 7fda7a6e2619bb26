#pragma once

#include <QDialog>
#include <functional>

#include "acquisition/SwitchCommand.h"

class QComboBox;
class QLineEdit;
class QSlider;

// The modeless sonar settings dialog: range, data gain, mode and gain balance, written straight
// into the switch command so the next command takes them to the head.
class CSonarSettingsDlg : public QDialog {
    Q_OBJECT
  public:
    struct Hooks {
        std::function<bool()> imperial;       // the range list's unit
        std::function<void()> changed;        // a control changed a setting
        std::function<void(int, int)> moved;  // new left and top on the screen
        std::function<void()> closed;         // closed by the user; deleted next
    };

    CSonarSettingsDlg(SwitchCommand& command, Hooks hooks, QWidget* parent = nullptr);

    // Every control from the command (after a change made elsewhere).
    void refresh();

  protected:
    void moveEvent(QMoveEvent* event) override;

  private:
    void fillCombo(QComboBox* combo, const std::vector<std::string>& entries, int selected);
    void showBalance();
    void settingChanged();

    SwitchCommand& command_;
    Hooks hooks_;
    QComboBox* range_ = nullptr;
    QComboBox* gain_ = nullptr;
    QComboBox* mode_ = nullptr;
    QSlider* balance_ = nullptr;
    QLineEdit* portDb_ = nullptr;
    QLineEdit* stbdDb_ = nullptr;
};
