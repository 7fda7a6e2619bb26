#include "sensorcfg/qt/CCommSetupDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "common/SerialPortMap.h"
#include "sensorcfg/qt/SensorLinkController.h"

namespace {
QStringList toList(const std::vector<std::string>& names) {
    QStringList list;
    for (const std::string& n : names) {
        list << QString::fromStdString(n);
    }
    return list;
}
}  // namespace

CCommSetupDlg::CCommSetupDlg(CQuorelDoc& doc, Profile& profile, QWidget* parent)
    : CSentrimDialog(parent, QStringLiteral("Comm Setup")),
      form_(doc, profile),
      ports_(new QComboBox),
      rates_(new QComboBox),
      auto_(new QRadioButton(QStringLiteral("Auto"))),
      manual_(new QRadioButton(QStringLiteral("Manual"))) {
    ports_->setObjectName(QStringLiteral("port"));
    rates_->setObjectName(QStringLiteral("manualRate"));
    auto_->setObjectName(QStringLiteral("auto"));
    manual_->setObjectName(QStringLiteral("manual"));
    ports_->addItems(toList(CommSetupForm::portNames()));
    ports_->setCurrentIndex(form_.portSelection());
    rates_->addItems(toList(form_.rateNames()));
    rates_->setCurrentIndex(form_.rateSelection());
    (form_.manual() ? manual_ : auto_)->setChecked(true);
    rates_->setVisible(form_.rateListVisible());

    // Which device each COM number stands for on this machine.
    auto* device = new QLabel;
    device->setObjectName(QStringLiteral("device"));
    device->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto showDevice = [device, map = sentrimPortMap(profile)](int index) {
        const std::string path = map.device(index + 1);
        device->setText(path.empty() ? QStringLiteral("(no device)")
                                     : QString::fromStdString(path));
    };
    showDevice(form_.portSelection());
    connect(ports_, &QComboBox::currentIndexChanged, this, [this, showDevice](int i) {
        form_.selectPort(i);
        showDevice(i);
    });
    connect(rates_, &QComboBox::currentIndexChanged, this, [this](int i) { form_.selectRate(i); });
    connect(manual_, &QRadioButton::toggled, this, [this](bool on) {
        form_.setManual(on);
        rates_->setVisible(form_.rateListVisible());
    });

    auto* baud = new QGroupBox(QStringLiteral("Baud Rate"));
    auto* baudLayout = new QHBoxLayout(baud);
    baudLayout->addWidget(auto_);
    baudLayout->addWidget(manual_);
    baudLayout->addWidget(rates_);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Port:"), ports_);
    form->addRow(QStringLiteral("Device:"), device);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &CCommSetupDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(baud);
    layout->addWidget(buttons);
}

void CCommSetupDlg::accept() {
    form_.apply();
    QDialog::accept();
}
