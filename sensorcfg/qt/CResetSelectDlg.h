#pragma once

#include "sensorcfg/NmeaSelectForm.h"
#include "sensorcfg/qt/CSentrimDialog.h"

class QRadioButton;

// "Reset Selection to...": the GPS or the Loran global selection.
class CResetSelectDlg : public CSentrimDialog {
    Q_OBJECT
  public:
    explicit CResetSelectDlg(QWidget* parent = nullptr);
    NmeaSelectForm::ResetChoice choice() const;
    void setChoice(NmeaSelectForm::ResetChoice choice);

  private:
    QRadioButton* gps_;
    QRadioButton* loran_;
};
