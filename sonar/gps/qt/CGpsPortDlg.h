#pragma once

#include <QDialog>

#include "gps/GpsController.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class CKeelbrookDoc;
class SentenceDisplay;

// "GPS serial port configuration": a modeless dialog that edits the GPS source and shows the
// sentences received, live.
class CGpsPortDlg : public QDialog {
    Q_OBJECT
  public:
    CGpsPortDlg(CKeelbrookDoc& doc, GpsSources* sources, QWidget* parent);

    // The recent sentences changed: repaint them and the talker hint.
    void refreshSentences();

    QComboBox* portList() const { return port_; }
    QPushButton* applyButton() const { return apply_; }
    QSpinBox* intervalSpin() const { return interval_; }
    QLabel* talkerHint() const { return hint_; }
    QWidget* sentenceDisplay() const;
    const GpsController::PortChoice& working() const { return working_; }

    void apply();
    void setDefaults();

  private:
    void fillPorts();
    void showWorking();
    void changed(bool enableApply);
    void enableGpsdFields();

    CKeelbrookDoc& doc_;
    GpsSources* sources_;
    GpsController::PortChoice working_;
    QComboBox* port_ = nullptr;
    QComboBox* baud_ = nullptr;
    QComboBox* parity_ = nullptr;
    QComboBox* dataBits_ = nullptr;
    QComboBox* stopBits_ = nullptr;
    QComboBox* flow_ = nullptr;
    QComboBox* sentences_ = nullptr;
    QSpinBox* interval_ = nullptr;
    QLineEdit* gpsdHost_ = nullptr;
    QSpinBox* gpsdPort_ = nullptr;
    QCheckBox* acceptAll_ = nullptr;
    QLabel* hint_ = nullptr;
    QPushButton* apply_ = nullptr;
    SentenceDisplay* display_ = nullptr;
    bool loading_ = false;
};
