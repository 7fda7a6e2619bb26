#include "app/qt/CConnectDlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CConnectDlg::CConnectDlg(const QString& ipAddress, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Connection"));
    setObjectName(QStringLiteral("ConnectionDialog"));

    auto* question = new QLabel(QStringLiteral("Try to connect ?"));
    QFont big = question->font();
    big.setPointSizeF(big.pointSizeF() * 1.3);
    big.setBold(true);
    question->setFont(big);
    auto* hint = new QLabel(
        QStringLiteral("Click YES for real-time data acquisition, NO for file playback."));
    hint->setWordWrap(true);

    address_ = new QLineEdit(ipAddress);
    address_->setObjectName(QStringLiteral("ipAddress"));
    auto* form = new QGridLayout;
    form->addWidget(new QLabel(QStringLiteral("IP address:")), 0, 0);
    form->addWidget(address_, 0, 1);

    auto* buttons = new QDialogButtonBox;
    QPushButton* yes = buttons->addButton(QStringLiteral("YES"), QDialogButtonBox::AcceptRole);
    QPushButton* no = buttons->addButton(QStringLiteral("NO"), QDialogButtonBox::RejectRole);
    yes->setObjectName(QStringLiteral("yes"));
    no->setObjectName(QStringLiteral("no"));
    yes->setDefault(true);
    yes->setAutoDefault(true);
    no->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(question);
    layout->addWidget(hint);
    layout->addLayout(form);
    layout->addWidget(buttons);
    yes->setFocus();
}

QString CConnectDlg::ipAddress() const {
    return address_->text();
}
