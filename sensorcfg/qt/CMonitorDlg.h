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

    void showLine(const std::string& line);
    void clearRows();
    QString rowText(int id) const;
    // Centred on the owner, kept on the screen.
    void placeOn(const QRect& owner, const QRect& screen);

  signals:
    void closed();

  protected:
    void closeEvent(QCloseEvent* e) override;

  private:
    void refresh();
    MonitorRows rows_;
    std::map<int, QLabel*> labels_;
};
