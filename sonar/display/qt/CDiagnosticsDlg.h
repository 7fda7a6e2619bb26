#pragma once

#include <QDialog>
#include <functional>
#include <map>
#include <vector>

#include "display/DiagnosticsFields.h"

class QLabel;

// The modeless diagnostics dialog: the settings in force and the status of the last ping.
class CDiagnosticsDlg : public QDialog {
    Q_OBJECT
  public:
    using Source = std::function<std::vector<DiagnosticsField>()>;

    explicit CDiagnosticsDlg(Source source, QWidget* parent = nullptr);

    void refresh();
    // The text shown for a control id (empty when there is none).
    QString fieldText(int control) const;

  private:
    Source source_;
    std::map<int, QLabel*> values_;
};
