#pragma once

#include "sensorcfg/qt/CSentrimDialog.h"

class QButtonGroup;

// "Set Base Model to...": asked once at start-up.
class CBaseModelDlg : public CSentrimDialog {
    Q_OBJECT
  public:
    explicit CBaseModelDlg(QWidget* parent = nullptr);
    int model() const;
    void setModel(int model);

  private:
    QButtonGroup* models_;
};
