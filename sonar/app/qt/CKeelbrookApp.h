#pragma once

#include <QObject>
#include <QStringList>
#include <memory>

class CKeelbrookDoc;
class CMainFrame;
class CSonarSocket;
class QtClock;
class QtPrompts;
class QtTimers;
class QtSound;
class GpsWindows;
class SystemGpsSources;
class SystemGpsClock;
struct GpsPorts;

// Owns the one document and its platform adapters, and runs start-up.
class CKeelbrookApp : public QObject {
    Q_OBJECT
  public:
    struct Options {
        QString headAddress;  // overrides the settings file's address for this run
        QString playbackFile;
        QString gpsDevice;  // the configured GPS port reads this device for this run
    };

    explicit CKeelbrookApp(Options options);
    ~CKeelbrookApp() override;

    // Shows the frame and, once the event loop runs, asks to connect.
    void start();

    CKeelbrookDoc& document() { return *doc_; }
    CMainFrame& frame() { return *frame_; }

    static Options parseCommandLine(const QStringList& arguments);

  private:
    void showAbout();

    Options options_;
    std::unique_ptr<QtClock> clock_;
    std::unique_ptr<QtTimers> timers_;
    std::unique_ptr<CSonarSocket> socket_;
    std::unique_ptr<CMainFrame> frame_;
    std::unique_ptr<QtPrompts> prompts_;
    std::unique_ptr<QtSound> sound_;
    std::unique_ptr<SystemGpsSources> gpsSources_;
    std::unique_ptr<SystemGpsClock> gpsClock_;
    std::unique_ptr<GpsWindows> gpsWindows_;
    std::unique_ptr<GpsPorts> gpsPorts_;
    std::unique_ptr<CKeelbrookDoc> doc_;
};
