#pragma once

#include <QDialog>
#include <map>

#include "sensorcfg/MonitorRows.h"

class QLabel;

// "NMEA Transmitted Sentences": the last line of each sentence the sensor sends. Modeless;
// closing it tells its owner, which destroys it.
class CMonitorDlg : public QDialog {
    Q_OBJECT
  public:
    explicit CMonitorDlg(QWidget* parent = nullptr);

    // Shows the session's rows.
    void showRows(const MonitorRows& rows);
    QString rowText(int id) const;
    // Centred on the owner, kept on the screen.
    void placeOn(const QRect& owner, const QRect& screen);

  signals:
    void closed();

  protected:
    void closeEvent(QCloseEvent* e) override;

  private:
    std::map<int, QLabel*> labels_;
};
