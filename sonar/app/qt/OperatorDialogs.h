#pragma once

#include <QPointer>
#include <functional>
#include <optional>

#include "acquisition/CommandIds.h"
#include "display/qt/CDiagnosticsDlg.h"
#include "display/qt/CSonarSettingsDlg.h"

class CKeelbrookDoc;
class QWidget;

// The frame's two modeless dialogs: sonar settings and diagnostics. Each is made on first use
// and gone when the user closes it; both let the main window's keys through.
class OperatorDialogs {
  public:
    struct CommandState {
        bool enabled = true;
        bool checked = false;
    };

    // `changed` runs after the settings dialog changed a setting (views and status follow).
    OperatorDialogs(CKeelbrookDoc& doc, QWidget& frame, std::function<void()> changed);
    ~OperatorDialogs();

    void showSonarSettings(bool visible);
    void refreshSonarSettings();
    void refreshDiagnostics();

    // Sonar Settings and Diagnostics; false for other commands.
    bool execute(CommandId id);
    std::optional<CommandState> state(CommandId id) const;

    CSonarSettingsDlg* sonarSettings() const { return settings_; }
    CDiagnosticsDlg* diagnostics() const { return diagnostics_; }

  private:
    void createSonarSettings();
    void passKeys(QWidget* dialog);

    CKeelbrookDoc& doc_;
    QWidget& frame_;
    std::function<void()> changed_;
    QPointer<CSonarSettingsDlg> settings_;
    QPointer<CDiagnosticsDlg> diagnostics_;
};
