#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QSocketNotifier>
#include <clocale>
#include <csignal>

#include "app/qt/CKeelbrookApp.h"

namespace {
int signalPipe[2] = {-1, -1};

void onTerminate(int) {
    const char c = 1;
    [[maybe_unused]] ssize_t n = ::write(signalPipe[1], &c, 1);
}

// SIGTERM and SIGINT end the event loop normally, so the settings are saved as on a close.
void quitOnTerminate(QApplication& app) {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0) {
        return;
    }
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, &QApplication::quit);
    std::signal(SIGTERM, onTerminate);
    std::signal(SIGINT, onTerminate);
}
}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // File formats and texts use the decimal point whatever the user's locale says.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setOrganizationName(QStringLiteral("Marovant"));
    QApplication::setApplicationName(QStringLiteral("Keelbrook"));
    quitOnTerminate(app);
    CKeelbrookApp keelbrook(CKeelbrookApp::parseCommandLine(QApplication::arguments()));
    keelbrook.start();
    return app.exec();
}
