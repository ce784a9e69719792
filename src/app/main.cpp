// The desktop program: the application object on the start screen, then the event loop.
#include <QApplication>

#include "app/application.h"
#include "app/display_check.h"

int main(int argc, char* argv[]) {
    if (!tessaroven::DisplayAvailable()) {
        tessaroven::ReportNoDisplay();
        return 1;
    }
    QApplication qtApplication(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessaroven"));
    tessaroven::Application application;
    QObject::connect(&application, &tessaroven::Application::programEnded, &qtApplication,
                     &QCoreApplication::quit, Qt::QueuedConnection);
    // A measurement file named on the command line (a file manager's "open with") opens at once.
    const QStringList arguments = QApplication::arguments();
    application.Start(arguments.size() > 1 ? arguments.at(1) : QString());
    return QApplication::exec();
}
