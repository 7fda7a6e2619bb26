#pragma once

#include <QDialog>

// The look every dialog of the editor shares: a light grey background, and centred on the main
// window when it opens.
class CSentrimDialog : public QDialog {
    Q_OBJECT
  public:
    explicit CSentrimDialog(QWidget* parent, const QString& title);

  protected:
    void showEvent(QShowEvent* e) override;
};

// The grey of the dialogs, RGB 192, 192, 192.
QColor sentrimDialogGrey();
