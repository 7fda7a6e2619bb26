#include "sensorcfg/qt/CResetSelectDlg.h"

#include <QDialogButtonBox>
#include <QRadioButton>
#include <QVBoxLayout>

CResetSelectDlg::CResetSelectDlg(QWidget* parent)
    : CSentrimDialog(parent, QStringLiteral("Reset Selection to...")),
      gps_(new QRadioButton(QStringLiteral("&GPS Specific Global Selection"))),
      loran_(new QRadioButton(QStringLiteral("&Loran Specific Global Selection"))) {
    gps_->setObjectName(QStringLiteral("gpsSelection"));
    loran_->setObjectName(QStringLiteral("loranSelection"));
    gps_->setChecked(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(gps_);
    layout->addWidget(loran_);
    layout->addWidget(buttons);
}

NmeaSelectForm::ResetChoice CResetSelectDlg::choice() const {
    return loran_->isChecked() ? NmeaSelectForm::ResetChoice::LoranSpecific
                               : NmeaSelectForm::ResetChoice::GpsSpecific;
}

void CResetSelectDlg::setChoice(NmeaSelectForm::ResetChoice choice) {
    (choice == NmeaSelectForm::ResetChoice::LoranSpecific ? loran_ : gps_)->setChecked(true);
}
