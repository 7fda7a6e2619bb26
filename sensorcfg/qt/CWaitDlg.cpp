#include "sensorcfg/qt/CWaitDlg.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CWaitDlg::CWaitDlg(QWidget* parent)
    : CSentrimDialog(parent, QStringLiteral("Please Wait")),
      text_(new QLabel),
      attempt_(new QLabel) {
    setObjectName(QStringLiteral("waitBox"));
    setModal(false);
    text_->setObjectName(QStringLiteral("text1012"));
    attempt_->setObjectName(QStringLiteral("text1013"));
    for (QLabel* l : {text_, attempt_}) {
        l->setAlignment(Qt::AlignCenter);
        l->setTextFormat(Qt::PlainText);
        l->setMinimumWidth(320);
    }
    auto* cancel = new QPushButton(QStringLiteral("Cancel"));
    cancel->setObjectName(QStringLiteral("waitCancel"));
    connect(cancel, &QPushButton::clicked, this, &CWaitDlg::cancelled);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addWidget(attempt_);
    layout->addWidget(cancel, 0, Qt::AlignHCenter);
}

void CWaitDlg::setText(const QString& text) {
    // The sentences end in CR LF; the box shows them on one line.
    text_->setText(QString(text).remove(QLatin1Char('\r')).trimmed());
}

void CWaitDlg::setAttempt(const QString& text) {
    attempt_->setText(text);
}

QString CWaitDlg::text() const {
    return text_->text();
}

QString CWaitDlg::attempt() const {
    return attempt_->text();
}

void CWaitDlg::reject() {
    emit cancelled();
}

void CWaitDlg::closeEvent(QCloseEvent* e) {
    e->ignore();
    emit cancelled();
}
