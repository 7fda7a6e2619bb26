#include "sensorcfg/qt/CSentrimDialog.h"

#include <QPalette>
#include <QShowEvent>

QColor sentrimDialogGrey() {
    return QColor(192, 192, 192);
}

CSentrimDialog::CSentrimDialog(QWidget* parent, const QString& title) : QDialog(parent) {
    setWindowTitle(title);
    QPalette p = palette();
    p.setColor(QPalette::Window, sentrimDialogGrey());
    p.setColor(QPalette::Button, sentrimDialogGrey());
    // Greyed-out texts must stay readable on the grey.
    const QColor disabledText(112, 112, 112);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        p.setColor(QPalette::Disabled, role, disabledText);
    }
    p.setColor(QPalette::Disabled, QPalette::Base, QColor(212, 212, 212));
    setPalette(p);
    setAutoFillBackground(true);
}

void CSentrimDialog::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (parentWidget() && !e->spontaneous()) {
        const QRect owner = parentWidget()->window()->frameGeometry();
        move(owner.center() - QPoint(width() / 2, height() / 2));
    }
}
