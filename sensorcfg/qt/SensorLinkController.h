#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <functional>

#include "sensorcfg/SensorSession.h"
#include "sensorcfg/SerialSensorLink.h"
#include "sensorcfg/qt/CMonitorDlg.h"
#include "sensorcfg/qt/CWaitDlg.h"

class CQuorelDoc;
class Profile;
class QMainWindow;
class SerialPortMap;

// The "COM<n>" numbers as the program sees them now: the [Serial Ports] overrides of the
// profile first, then the devices present.
SerialPortMap sentrimPortMap(const Profile& profile);

// Binds the sensor session to the windows: the serial link with its reader thread, the attempt
// timer, the "Please Wait" box, the monitor window, and the main window's state while an
// operation runs.
//
// Lines reach the user-interface thread through the link's queue: the reader thread queues
// them and posts one wake-up; the wake-up delivers everything queued, in order. When the
// attempt timer fires, the session first takes what is queued, so a reply that came in time
// is never mistaken for a time-out. Nothing here waits or runs a nested event loop.
class SensorLinkController : public QObject,
                             public SessionUi,
                             public OperationTimer,
                             public UtcClock,
                             public ProcessStarter {
    Q_OBJECT
  public:
    struct FrameHooks {
        std::function<void()> commandsChanged;
        std::function<void()> documentChanged;
    };

    SensorLinkController(CQuorelDoc& doc, Profile& profile, SensorPrompts& prompts,
                         QMainWindow& frame, FrameHooks hooks);
    ~SensorLinkController() override;

    SensorSession& session() { return session_; }
    const SerialSensorLink& link() const { return link_; }
    // Opens the "NMEA Transmitted Sentences" window unless it is open.
    void openMonitor();
    CMonitorDlg* monitor() const { return monitor_; }
    CWaitDlg* waitBox() const { return wait_; }

    // SessionUi
    void setBusy(bool busy) override;
    void showWait() override;
    void setWaitText(const std::string& text) override;
    void setWaitAttempt(const std::string& text) override;
    void hideWait() override;
    void monitorChanged() override;
    void configurationChanged() override;
    void linkChanged() override;

    // OperationTimer
    void start(unsigned milliseconds) override;
    void stop() override;

    // UtcClock
    UtcTime now() const override;

    // ProcessStarter
    bool startDetached(const std::string& program,
                       const std::vector<std::string>& arguments) override;

  private:
    QMainWindow& frame_;
    FrameHooks hooks_;
    QTimer timer_;
    QString waitText_;
    QString waitAttempt_;
    QPointer<CWaitDlg> wait_;
    QPointer<CMonitorDlg> monitor_;
    SerialSensorLink link_;
    SensorSession session_;  // after the link: it lets go of the link when destroyed
};
