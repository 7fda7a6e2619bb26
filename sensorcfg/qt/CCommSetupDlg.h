#pragma once

#include "sensorcfg/CommSetupForm.h"
#include "sensorcfg/qt/CSentrimDialog.h"

class QComboBox;
class QRadioButton;

// "Comm Setup": the COM port and how the baud rate is found.
class CCommSetupDlg : public CSentrimDialog {
    Q_OBJECT
  public:
    CCommSetupDlg(CQuorelDoc& doc, Profile& profile, QWidget* parent = nullptr);
    void accept() override;

    QComboBox* ports() const { return ports_; }
    QComboBox* rates() const { return rates_; }
    QRadioButton* manual() const { return manual_; }

  private:
    CommSetupForm form_;
    QComboBox* ports_;
    QComboBox* rates_;
    QRadioButton* auto_;
    QRadioButton* manual_;
};
