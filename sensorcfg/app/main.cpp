#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QSocketNotifier>
#include <clocale>
#include <csignal>
#include <iostream>

#include "sensorcfg/CommandLine.h"
#include "sensorcfg/qt/CMainFrame.h"
#include "sensorcfg/qt/CSentrimApp.h"

namespace {
int signalPipe[2] = {-1, -1};

void onTerminate(int) {
    const char c = 1;
    [[maybe_unused]] ssize_t n = ::write(signalPipe[1], &c, 1);
}

// SIGTERM and SIGINT close the main window as the user would, so the window placement and the
// port reach the profile (the questions about unsaved changes are still asked).
void closeOnTerminate(QApplication& app, QWidget& window) {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0) {
        return;
    }
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &window, [&window] {
        char c = 0;
        [[maybe_unused]] ssize_t n = ::read(signalPipe[0], &c, 1);
        window.close();
    });
    std::signal(SIGTERM, onTerminate);
    std::signal(SIGINT, onTerminate);
}
}  // namespace

int main(int argc, char* argv[]) {
    std::vector<std::string> args(argv + 1, argv + argc);
    const SentrimCommandLine cl = parseSentrimCommandLine(args);
    switch (cl.action) {
        case SentrimCommandLine::Action::Help:
            std::cout << sentrimUsage();
            return 0;
        case SentrimCommandLine::Action::Error:
            std::cerr << "sentrim: " << cl.error << "\n" << sentrimUsage();
            return 2;
        case SentrimCommandLine::Action::Summary:
            return printSummary(cl.file, cl.model, std::cout, std::cerr);
        case SentrimCommandLine::Action::Window:
            break;
    }
    QApplication app(argc, argv);
    // Files and texts use the decimal point whatever the user's locale says.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("sentrim"));
    CSentrimApp sentrim;
    closeOnTerminate(app, sentrim.frame());
    sentrim.start(cl.file);
    return app.exec();
}
