#include "app/qt/OperatorDialogs.h"

#include <QAction>
#include <QTimer>

#include "display/qt/CDiagnosticsDlg.h"
#include "display/qt/CSonarSettingsDlg.h"
#include "document/CKeelbrookDoc.h"

OperatorDialogs::OperatorDialogs(CKeelbrookDoc& doc, QWidget& frame, std::function<void()> changed)
    : doc_(doc), frame_(frame), changed_(std::move(changed)) {}

OperatorDialogs::~OperatorDialogs() {
    // The dialogs are the frame's children; they must not call back while it goes.
    delete settings_;
    delete diagnostics_;
}

void OperatorDialogs::passKeys(QWidget* dialog) {
    // The frame's actions carry its keys; owned by the dialog too, they work while it has the
    // focus.
    for (QAction* a : frame_.actions()) {
        if (!a->shortcut().isEmpty()) {
            dialog->addAction(a);
        }
    }
}

void OperatorDialogs::createSonarSettings() {
    CSonarSettingsDlg::Hooks hooks;
    hooks.imperial = [this] { return doc_.settings().units == 1; };
    hooks.changed = [this] {
        if (changed_) {
            changed_();
        }
    };
    hooks.moved = [this](int left, int top) {
        doc_.settings().settingsLeft = left;
        doc_.settings().settingsTop = top;
    };
    // Closing the program closes the dialog too, but it is to open again at the next start:
    // only a close while the main window stays counts as the operator's.
    hooks.closed = [this] {
        QTimer::singleShot(0, &frame_, [this] {
            if (frame_.isVisible()) {
                doc_.settings().settingsDialogVisible = false;
            }
        });
    };
    settings_ = new CSonarSettingsDlg(doc_.head().command(), std::move(hooks), &frame_);
    settings_->move(doc_.settings().settingsLeft, doc_.settings().settingsTop);
    passKeys(settings_);
}

void OperatorDialogs::showSonarSettings(bool visible) {
    if (!visible) {
        if (settings_) {
            settings_->hide();
        }
        return;
    }
    if (!settings_) {
        createSonarSettings();
    }
    settings_->refresh();
    settings_->show();
}

void OperatorDialogs::refreshSonarSettings() {
    // A hidden dialog is brought up to date when it is shown again.
    if (settings_ && settings_->isVisible()) {
        settings_->refresh();
    }
}

void OperatorDialogs::refreshDiagnostics() {
    if (diagnostics_ && diagnostics_->isVisible()) {
        diagnostics_->refresh();
    }
}

bool OperatorDialogs::execute(CommandId id) {
    switch (id) {
        case CommandId::SonarSettings: {
            if (doc_.playback()) {
                return true;
            }
            const bool show = !settings_ || settings_->isHidden();
            showSonarSettings(show);
            doc_.settings().settingsDialogVisible = show;
            return true;
        }
        case CommandId::Diagnostics:
            if (!diagnostics_) {
                diagnostics_ = new CDiagnosticsDlg(
                    [this] {
                        return diagnosticsFields({doc_.decoded(), doc_.head().command(),
                                                  doc_.pingIntervalMs(), doc_.settings().units == 1,
                                                  doc_.playback()});
                    },
                    &frame_);
                passKeys(diagnostics_);
            }
            diagnostics_->refresh();
            diagnostics_->show();
            return true;
        default:
            return false;
    }
}

std::optional<OperatorDialogs::CommandState> OperatorDialogs::state(CommandId id) const {
    switch (id) {
        case CommandId::SonarSettings:
            return CommandState{!doc_.playback(), settings_ && settings_->isVisible()};
        case CommandId::Diagnostics:
            return CommandState{!(diagnostics_ && diagnostics_->isVisible()), false};
        default:
            return std::nullopt;
    }
}
