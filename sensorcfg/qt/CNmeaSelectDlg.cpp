#include "sensorcfg/qt/CNmeaSelectDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "sensorcfg/qt/CResetSelectDlg.h"

CNmeaSelectDlg::CNmeaSelectDlg(CQuorelDoc& doc, QWidget* parent)
    : CSentrimDialog(parent, QStringLiteral("NMEA Sentence Selections")),
      form_(doc),
      reset_(new QPushButton(QStringLiteral("Reset..."))) {
    auto* grid = new QGridLayout;
    constexpr int kRows = 7;
    for (int s = 0; s < kSentenceCount; ++s) {
        auto* box = new QCheckBox(QString::fromStdString(sentenceName(s)));
        box->setObjectName(QString::fromStdString(sentenceName(s)));
        boxes_[static_cast<std::size_t>(s)] = box;
        grid->addWidget(box, s % kRows, s / kRows);
        connect(box, &QCheckBox::toggled, this, [this, s](bool on) { form_.setChecked(s, on); });
    }
    reset_->setObjectName(QStringLiteral("reset"));
    connect(reset_, &QPushButton::clicked, this, &CNmeaSelectDlg::onReset);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->addButton(reset_, QDialogButtonBox::ResetRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CNmeaSelectDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
    refresh();
}

void CNmeaSelectDlg::refresh() {
    for (int s = 0; s < kSentenceCount; ++s) {
        QCheckBox* b = box(s);
        const QSignalBlocker block(b);
        b->setChecked(form_.checked(s));
        b->setEnabled(form_.enabled(s));
    }
    reset_->setEnabled(form_.resetEnabled());
}

void CNmeaSelectDlg::onReset() {
    std::optional<NmeaSelectForm::ResetChoice> choice;
    if (chooser_) {
        choice = chooser_();
    } else {
        CResetSelectDlg dlg(this);
        if (dlg.exec() == QDialog::Accepted) {
            choice = dlg.choice();
        }
    }
    if (choice) {
        form_.reset(*choice);
        refresh();
    }
}

void CNmeaSelectDlg::accept() {
    form_.apply();
    QDialog::accept();
}
