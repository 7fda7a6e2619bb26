#include "app/qt/MdiFill.h"

#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>

MdiFill::MdiFill(QMdiArea* area, QMdiSubWindow* child) : QObject(area), area_(area), child_(child) {
    area_->viewport()->installEventFilter(this);
}

void MdiFill::fill() {
    if (child_) {
        child_->showNormal();
        child_->setGeometry(area_->viewport()->rect());
    }
}

bool MdiFill::eventFilter(QObject* watched, QEvent* e) {
    if (watched == area_->viewport() && e->type() == QEvent::Resize) {
        fill();
    }
    return QObject::eventFilter(watched, e);
}
