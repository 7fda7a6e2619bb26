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
