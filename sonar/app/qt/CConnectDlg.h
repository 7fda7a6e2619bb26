#pragma once

#include <QDialog>

class QLineEdit;

// "Connection": YES connects to the head at the address given, NO goes to file playback.
class CConnectDlg : public QDialog {
    Q_OBJECT
  public:
    explicit CConnectDlg(const QString& ipAddress, QWidget* parent = nullptr);
    QString ipAddress() const;

  private:
    QLineEdit* address_;
};
