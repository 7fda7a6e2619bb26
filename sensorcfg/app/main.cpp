#include <QApplication>
#include <clocale>
#include <iostream>

#include "sensorcfg/CommandLine.h"
#include "sensorcfg/qt/CMainFrame.h"
#include "sensorcfg/qt/CSentrimApp.h"

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
    sentrim.start(cl.file);
    return app.exec();
}
