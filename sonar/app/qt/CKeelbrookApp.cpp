#include "app/qt/CKeelbrookApp.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

#include "acquisition/SettingsFile.h"
#include "acquisition/qt/CSonarSocket.h"
#include "app/qt/CMainFrame.h"
#include "app/qt/QtPlatform.h"
#include "app/qt/RecentFileStore.h"
#include "common/qt/SerialDeviceList.h"
#include "document/CKeelbrookDoc.h"
#include "gps/SystemGpsSources.h"
#include "gps/qt/GpsWindows.h"

#include <chrono>

CKeelbrookApp::CKeelbrookApp(Options options)
    : options_(std::move(options)),
      clock_(std::make_unique<QtClock>()),
      timers_(std::make_unique<QtTimers>()),
      socket_(std::make_unique<CSonarSocket>()),
      frame_(std::make_unique<CMainFrame>()),
      prompts_(std::make_unique<QtPrompts>(frame_.get())),
      sound_(std::make_unique<QtSound>()) {
    QSize screen(1920, 1080);
    if (QScreen* s = QGuiApplication::primaryScreen()) {
        screen = s->size();
    }
    const std::string exeDir = QCoreApplication::applicationDirPath().toStdString() + "/";
    gpsSources_ = std::make_unique<SystemGpsSources>(presentSerialDevices, settingsPath(exeDir),
                                                     kSerialPortsSection);
    if (!options_.gpsDevice.isEmpty()) {
        gpsSources_->overrideConfiguredPort(options_.gpsDevice.toStdString());
    }
    gpsClock_ = std::make_unique<SystemGpsClock>();
    gpsWindows_ = std::make_unique<GpsWindows>(frame_.get());
    gpsPorts_ = std::make_unique<GpsPorts>(GpsPorts{*gpsSources_, *gpsClock_, *gpsWindows_});
    doc_ = std::make_unique<CKeelbrookDoc>(DocPorts{*socket_, *clock_, *timers_, *prompts_, *frame_,
                                                    sound_.get(), nullptr, gpsPorts_.get()},
                                           exeDir, screen.width(), screen.height());
    socket_->setDocument(doc_.get());
    timers_->setDocument(doc_.get());
    connect(frame_.get(), &CMainFrame::aboutRequested, this, &CKeelbrookApp::showAbout);
}

CKeelbrookApp::~CKeelbrookApp() {
    // The document saves its settings on close; the socket must not call into it afterwards.
    doc_->gps().stopReader();
    socket_->setDocument(nullptr);
    timers_->setDocument(nullptr);
    doc_->Disconnect();
    doc_->saveSettingsFile();
    RecentFileStore().save(doc_->recentFiles());
}

CKeelbrookApp::Options CKeelbrookApp::parseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Keelbrook sidescan sonar operator program"));
    parser.addHelpOption();
    QCommandLineOption head(QStringLiteral("head"),
                            QStringLiteral("Sonar head address offered by the Connection dialog "
                                           "(for this run; e.g. a simulator on 127.0.0.1)."),
                            QStringLiteral("address"));
    parser.addOption(head);
    QCommandLineOption gpsDevice(
        QStringLiteral("gps-device"),
        QStringLiteral("Device the configured GPS COM port reads for this run (e.g. the "
                       "pseudo-terminal of a GPS simulator); Keelbrook.cfg is not changed."),
        QStringLiteral("path"));
    parser.addOption(gpsDevice);
    parser.addPositionalArgument(QStringLiteral("file"),
                                 QStringLiteral("Data file to open for playback."));
    parser.process(arguments);
    Options o;
    o.headAddress = parser.value(head);
    o.gpsDevice = parser.value(gpsDevice);
    if (!parser.positionalArguments().isEmpty()) {
        o.playbackFile = parser.positionalArguments().first();
    }
    return o;
}

void CKeelbrookApp::start() {
    doc_->recentFiles() = RecentFileStore().load();
    frame_->attachDocument(*doc_);
    gpsWindows_->setDocument(doc_.get(), gpsSources_.get(), frame_->mdiArea(),
                             [this](CommandId id) { frame_->runCommand(id); });
    frame_->setGpsWindows(gpsWindows_.get());
    doc_->initialise();
    // The reader thread answers each read request; its answer is handled on this thread.
    doc_->gps().startReader(
        [] {
            using namespace std::chrono;
            return static_cast<std::uint32_t>(
                duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
        },
        [frame = frame_.get(), doc = doc_.get()] {
            QMetaObject::invokeMethod(
                frame, [doc] { doc->gps().readDone(doc->noRxData()); }, Qt::QueuedConnection);
        });
    frame_->applySettings();
    if (!options_.headAddress.isEmpty()) {
        doc_->offerAddress(options_.headAddress.toStdString());
    }
    // Without a window manager (a bare X server) maximising does nothing; fill the screen anyway.
    if (QScreen* s = QGuiApplication::primaryScreen()) {
        frame_->setGeometry(s->availableGeometry());
    }
    frame_->showMaximized();
    frame_->refreshStatus();
    // Ask once the frame is on screen and the event loop runs.
    QTimer::singleShot(0, this, [this] {
        if (!options_.playbackFile.isEmpty()) {
            // A file on the command line plays without the Connection dialog.
            doc_->openFileForPlayback(
                QFileInfo(options_.playbackFile).absoluteFilePath().toStdString());
            return;
        }
        frame_->applyDefaultLayout();
        doc_->Connect();
    });
}

void CKeelbrookApp::showAbout() {
    QMessageBox::about(frame_.get(), QStringLiteral("About Keelbrook"),
                       QStringLiteral("Keelbrook sidescan sonar\nVersion %1")
                           .arg(QStringLiteral(PROJECT_VERSION_TEXT)));
}
