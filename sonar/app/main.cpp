#include <QApplication>

#include "app/qt/CKeelbrookApp.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Marovant"));
    QApplication::setApplicationName(QStringLiteral("Keelbrook"));
    CKeelbrookApp keelbrook(CKeelbrookApp::parseCommandLine(QApplication::arguments()));
    keelbrook.start();
    return app.exec();
}
