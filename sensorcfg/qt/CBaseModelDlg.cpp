#include "sensorcfg/qt/CBaseModelDlg.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "sensorcfg/SensorConfig.h"

CBaseModelDlg::CBaseModelDlg(QWidget* parent)
    : CSentrimDialog(parent, QStringLiteral("Set Base Model to...")),
      models_(new QButtonGroup(this)) {
    auto* group = new QGroupBox(QStringLiteral("Base Model"));
    auto* inner = new QVBoxLayout(group);
    inner->addWidget(new QLabel(QStringLiteral("Which Tavrin sensor are you connecting to?")));
    for (int m = 0; m < kModelCount; ++m) {
        auto* radio = new QRadioButton(QString::fromStdString(modelName(m)));
        radio->setObjectName(QStringLiteral("model%1").arg(m));
        models_->addButton(radio, m);
        inner->addWidget(radio);
    }
    models_->button(0)->setChecked(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
}

int CBaseModelDlg::model() const {
    return models_->checkedId();
}

void CBaseModelDlg::setModel(int model) {
    if (auto* b = models_->button(model)) {
        b->setChecked(true);
    }
}
