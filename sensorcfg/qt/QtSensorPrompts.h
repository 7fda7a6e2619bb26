#pragma once

#include <QString>

#include "sensorcfg/SensorPorts.h"

class QWidget;

// Message boxes and the configuration file dialogs.
class QtSensorPrompts : public SensorPrompts {
  public:
    explicit QtSensorPrompts(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    PromptAnswer message(const std::string& text, const std::string& title, PromptIcon icon,
                         PromptButtons buttons) override;
    std::optional<std::string> askOpenFile() override;
    std::optional<std::string> askSaveFile(const std::string& proposedName) override;
    std::optional<std::string> askExistingFile(const std::vector<FileFilter>& filters,
                                               const std::string& folder) override;

  private:
    QWidget* parent_;
    QString folder_;
};

// "GPS Config file (*.cfg)"
QString configFileFilter();
