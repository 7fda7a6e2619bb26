#include "app/qt/PlaybackDriver.h"

#include <QTimer>

#include "document/CKeelbrookDoc.h"

PlaybackDriver::PlaybackDriver(QObject* parent) : QObject(parent), timer_(new QTimer(this)) {
    timer_->setSingleShot(true);
    // The coarse default timer may fire several milliseconds late, which at 60 refreshes a
    // second would cost a third of the pings.
    timer_->setTimerType(Qt::PreciseTimer);
    connect(timer_, &QTimer::timeout, this, &PlaybackDriver::turn);
}

void PlaybackDriver::request() {
    timer_->start(0);
}

bool PlaybackDriver::active() const {
    return timer_->isActive();
}

void PlaybackDriver::turn() {
    if (!doc_ || !doc_->wantsIdle()) {
        return;  // stopped, held or dragging: the next request starts again
    }
    if (doc_->playbackWaitMs() == 0) {
        doc_->PlayOnePing();
        if (!doc_->wantsIdle()) {
            return;
        }
    }
    // A wait of 0 is the next idle turn: user input and painting go first.
    timer_->start(static_cast<int>(doc_->playbackWaitMs()));
}
