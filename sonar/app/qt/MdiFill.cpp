#include "app/qt/MdiFill.h"

#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>

MdiFill::MdiFill(QMdiArea* area, QMdiSubWindow* child) : area_(area), child_(child) {
    area_->viewport()->installEventFilter(this);
    child_->installEventFilter(this);
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
    // Covering the whole area, the child stays beneath the others: working in it never buries
    // the track or beam coverage window.
    if (watched == child_ && e->type() == QEvent::ZOrderChange) {
        const QList<QMdiSubWindow*> order = area_->subWindowList(QMdiArea::StackingOrder);
        if (!order.isEmpty() && order.front() != child_) {
            child_->lower();
        }
    }
    return QObject::eventFilter(watched, e);
}
