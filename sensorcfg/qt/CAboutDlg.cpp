#include "sensorcfg/qt/CAboutDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

CAboutDlg::CAboutDlg(QWidget* parent)
    : CSentrimDialog(parent, QStringLiteral("About TAVRIN Sensor Configuration Software")) {
    auto* text = new QLabel(QStringLiteral("TAVRIN Sensor Configuration Software Version 2.60"));
    text->setObjectName(QStringLiteral("aboutText"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(buttons);
}
