// The desktop program: the display language, the application object on the start screen, then the event loop.
#include <QApplication>

#include <cstdio>

#include "app/application.h"
#include "app/display_check.h"
#include "app/display_language.h"

int main(int argc, char* argv[]) {
    // The names come first: the kept display language is read before the QApplication exists, so that even
    // the refusals below speak it.
    QApplication::setApplicationName(QStringLiteral("Tessaroven"));
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.append(QString::fromLocal8Bit(argv[i]));
    }
    const tessaroven::StartArguments start = tessaroven::ReadStartArguments(arguments);
    tessaroven::SetMessageLanguage(start.language.value_or(tessaroven::SavedLanguage()));
    if (!start.refusal.isEmpty()) {
        std::fprintf(stderr, "tessaroven: %s\n", start.refusal.toLocal8Bit().constData());
        return 2;
    }
    if (!tessaroven::DisplayAvailable()) {
        tessaroven::ReportNoDisplay();
        return 1;
    }
    QApplication qtApplication(argc, argv);
    tessaroven::InstallWindowTranslation();
    tessaroven::InstallInterfaceFont();
    tessaroven::Application application;
    QObject::connect(&application, &tessaroven::Application::programEnded, &qtApplication,
                     &QCoreApplication::quit, Qt::QueuedConnection);
    // A measurement file named on the command line (a file manager's "open with") opens at once. It is read
    // from what Qt leaves of the line once it has taken its own options (-platform, say).
    application.Start(tessaroven::ReadStartArguments(QApplication::arguments().mid(1)).measurementFile);
    return QApplication::exec();
}
