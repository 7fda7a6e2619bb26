#pragma once

#include <array>
#include <functional>

#include "sensorcfg/NmeaSelectForm.h"
#include "sensorcfg/qt/CSentrimDialog.h"

class QCheckBox;
class QPushButton;

// "NMEA Sentence Selections": one check box per output sentence and "Reset...".
class CNmeaSelectDlg : public CSentrimDialog {
    Q_OBJECT
  public:
    CNmeaSelectDlg(CQuorelDoc& doc, QWidget* parent = nullptr);

    QCheckBox* box(int sentence) const { return boxes_[static_cast<std::size_t>(sentence)]; }
    QPushButton* resetButton() const { return reset_; }
    // Tests answer the reset question without a window.
    void setResetChooser(std::function<std::optional<NmeaSelectForm::ResetChoice>()> chooser) {
        chooser_ = std::move(chooser);
    }

    void accept() override;

  private:
    void onReset();
    void refresh();

    NmeaSelectForm form_;
    std::array<QCheckBox*, kSentenceCount> boxes_{};
    QPushButton* reset_;
    std::function<std::optional<NmeaSelectForm::ResetChoice>()> chooser_;
};
