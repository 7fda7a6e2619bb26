#include "sensorcfg/qt/SensorLinkController.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QMainWindow>
#include <QProcess>
#include <QScreen>

#include "common/SerialPortMap.h"
#include "common/qt/SerialDeviceList.h"
#include "sensorcfg/Profile.h"
#include "sensorcfg/qt/CMonitorDlg.h"
#include "sensorcfg/qt/CWaitDlg.h"

namespace {
QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

SerialSensorLink::DeviceResolver resolverFor(const Profile& profile) {
    return [&profile](int number) { return sentrimPortMap(profile).device(number); };
}
}  // namespace

SerialPortMap sentrimPortMap(const Profile& profile) {
    return SerialPortMap(presentSerialDevices(),
                         readSerialPortOverrides(profile.ini(), profile_keys::kSerialPorts));
}

SensorLinkController::SensorLinkController(CQuorelDoc& doc, Profile& profile,
                                           SensorPrompts& prompts, QMainWindow& frame,
                                           FrameHooks hooks)
    : frame_(frame),
      hooks_(std::move(hooks)),
      link_(resolverFor(profile),
            [this] {
                // On the reader thread: post the delivery to the user-interface thread.
                QMetaObject::invokeMethod(
                    this, [this] { link_.deliverPending(); }, Qt::QueuedConnection);
            }),
      session_(doc, profile, SessionPorts{link_, *this, prompts, *this, *this, *this},
               QDir::homePath().toStdString()) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, [this] { session_.onTimer(); });
}

SensorLinkController::~SensorLinkController() {
    timer_.stop();
    if (wait_) {
        delete wait_.data();
    }
    if (monitor_) {
        delete monitor_.data();
    }
}

void SensorLinkController::openMonitor() {
    if (monitor_) {
        monitor_->raise();
        return;
    }
    monitor_ = new CMonitorDlg(&frame_);
    connect(monitor_, &CMonitorDlg::closed, this, [this] {
        session_.closeMonitor();
        monitor_->deleteLater();
        monitor_ = nullptr;
    });
    session_.openMonitor();
    monitor_->placeOn(frame_.frameGeometry(), frame_.screen()->geometry());
    monitor_->show();
}

void SensorLinkController::setBusy(bool busy) {
    // Disabling a window leaves its child windows alone: the wait box and the monitor stay
    // usable while the frame takes no input.
    frame_.setEnabled(!busy);
    hooks_.commandsChanged();
    // Back to the main window, unless a dialog (the sensor buttons') still has the user.
    if (!busy && !QApplication::activeModalWidget()) {
        frame_.activateWindow();
    }
}

void SensorLinkController::showWait() {
    if (wait_) {
        return;
    }
    // Inside a modal dialog (the sensor buttons) the box must belong to it to take clicks.
    QWidget* owner = QApplication::activeModalWidget();
    wait_ = new CWaitDlg(owner ? owner : &frame_);
    wait_->setText(waitText_);
    wait_->setAttempt(waitAttempt_);
    connect(wait_, &CWaitDlg::cancelled, this, [this] { session_.onCancel(); });
    wait_->show();
}

void SensorLinkController::setWaitText(const std::string& text) {
    waitText_ = qs(text);
    if (wait_) {
        wait_->setText(waitText_);
    }
}

void SensorLinkController::setWaitAttempt(const std::string& text) {
    waitAttempt_ = qs(text);
    if (wait_) {
        wait_->setAttempt(waitAttempt_);
    }
}

void SensorLinkController::hideWait() {
    waitText_.clear();
    waitAttempt_.clear();
    if (wait_) {
        // Cancel may be what ends the operation: the box goes once its click is handled.
        wait_->hide();
        wait_->deleteLater();
        wait_ = nullptr;
    }
}

void SensorLinkController::monitorChanged() {
    if (monitor_) {
        monitor_->showRows(session_.monitor());
    }
}

void SensorLinkController::configurationChanged() {
    hooks_.documentChanged();
}

void SensorLinkController::linkChanged() {
    hooks_.commandsChanged();
}

void SensorLinkController::start(unsigned milliseconds) {
    timer_.start(static_cast<int>(milliseconds));
}

void SensorLinkController::stop() {
    timer_.stop();
}

UtcTime SensorLinkController::now() const {
    const QDateTime t = QDateTime::currentDateTimeUtc();
    return {t.date().year(), t.date().month(),  t.date().day(),
            t.time().hour(), t.time().minute(), t.time().second()};
}

bool SensorLinkController::startDetached(const std::string& program,
                                         const std::vector<std::string>& arguments) {
    QStringList args;
    for (const std::string& a : arguments) {
        args << qs(a);
    }
    return QProcess::startDetached(qs(program), args);
}
