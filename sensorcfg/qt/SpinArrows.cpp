#include "sensorcfg/qt/SpinArrows.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOption>
#include <QTimer>

namespace {
constexpr int kFirstRepeatMs = 400;
constexpr int kRepeatMs = 80;
}  // namespace

SpinArrows::SpinArrows(QWidget* parent) : QWidget(parent), repeat_(new QTimer(this)) {
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    connect(repeat_, &QTimer::timeout, this, [this] {
        repeat_->setInterval(kRepeatMs);
        emit lineStep(held_);
    });
}

void SpinArrows::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QStyleOption opt;
    opt.initFrom(this);
    const int half = height() / 2;
    for (int i = 0; i < 2; ++i) {
        QStyleOption arrow = opt;
        arrow.rect = QRect(0, i * half, width(), half);
        const bool down = (i == 0 && held_ > 0) || (i == 1 && held_ < 0);
        arrow.state |= down ? QStyle::State_Sunken : QStyle::State_Raised;
        style()->drawPrimitive(QStyle::PE_PanelButtonTool, &arrow, &p, this);
        style()->drawPrimitive(i == 0 ? QStyle::PE_IndicatorArrowUp : QStyle::PE_IndicatorArrowDown,
                               &arrow, &p, this);
    }
}

void SpinArrows::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) {
        return;
    }
    held_ = e->position().y() < height() / 2 ? 1 : -1;
    emit lineStep(held_);
    repeat_->start(kFirstRepeatMs);
    update();
}

void SpinArrows::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) {
        stop();
    }
}

void SpinArrows::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Up || e->key() == Qt::Key_Down) {
        emit lineStep(e->key() == Qt::Key_Up ? 1 : -1);
        return;
    }
    QWidget::keyPressEvent(e);
}

void SpinArrows::keyReleaseEvent(QKeyEvent* e) {
    if ((e->key() == Qt::Key_Up || e->key() == Qt::Key_Down) && !e->isAutoRepeat()) {
        emit scrollEnded();
        return;
    }
    QWidget::keyReleaseEvent(e);
}

void SpinArrows::changeEvent(QEvent* e) {
    if (e->type() == QEvent::EnabledChange && !isEnabled() && held_ != 0) {
        stop();
    }
    QWidget::changeEvent(e);
}

void SpinArrows::stop() {
    repeat_->stop();
    held_ = 0;
    update();
    emit scrollEnded();
}
