#include "app/qt/QtPlatform.h"

#include <QDateTime>
#include <QMessageBox>

#include "app/qt/CConnectDlg.h"
#include "document/CKeelbrookDoc.h"

LocalTime QtClock::localTime() {
    const QDateTime now = QDateTime::currentDateTime();
    const QDate d = now.date();
    const QTime t = now.time();
    return {d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second(), t.msec()};
}

std::uint32_t QtClock::tickCount() {
    static QElapsedTimer sinceStart = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return static_cast<std::uint32_t>(sinceStart.elapsed());
}

QTimer* QtTimers::timer(TimerId id) {
    auto it = timers_.find(id);
    if (it != timers_.end()) {
        return it->second;
    }
    auto* t = new QTimer(this);
    t->setSingleShot(true);
    connect(t, &QTimer::timeout, this, [this, id] {
        if (doc_) {
            doc_->OnTimer(id);
        }
    });
    timers_[id] = t;
    return t;
}

void QtTimers::start(TimerId id, unsigned milliseconds) {
    timer(id)->start(static_cast<int>(milliseconds));
}

void QtTimers::stop(TimerId id) {
    timer(id)->stop();
}

bool QtTimers::isActive(TimerId id) const {
    auto it = timers_.find(id);
    return it != timers_.end() && it->second->isActive();
}

std::optional<std::string> QtPrompts::askConnection(const std::string& ipAddress) {
    CConnectDlg dlg(QString::fromStdString(ipAddress), parent_);
    if (dlg.exec() == QDialog::Accepted) {
        return dlg.ipAddress().trimmed().toStdString();
    }
    return std::nullopt;
}

void QtPrompts::message(const std::string& text, MessageIcon icon) {
    QMessageBox::Icon qicon = QMessageBox::Information;
    if (icon == MessageIcon::Warning) {
        qicon = QMessageBox::Warning;
    } else if (icon == MessageIcon::Error) {
        qicon = QMessageBox::Critical;
    }
    QMessageBox box(qicon, QStringLiteral("Keelbrook"), QString::fromStdString(text),
                    QMessageBox::Ok, parent_);
    box.exec();
}
