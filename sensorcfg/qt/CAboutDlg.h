#pragma once

#include "sensorcfg/qt/CSentrimDialog.h"

class CAboutDlg : public CSentrimDialog {
    Q_OBJECT
  public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};
