// main() of every window-test program: one QApplication for all the tests of an executable, offscreen unless
// the environment says otherwise, with the locale pinned to C (a test that needs the system's locale sets it
// itself) and settings of its own.
#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

#include "gui_fixture.h"

namespace {

QtMessageHandler g_standardHandler = nullptr;

// The offscreen display plugin reports every window operation it cannot perform; those notes are noise here.
void QuietMessageHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtDebugMsg ||
        (type == QtWarningMsg && message.startsWith(QStringLiteral("This plugin does not support")))) {
        return;
    }
    if (g_standardHandler != nullptr) {
        g_standardHandler(type, context, message);
    }
}

}  // namespace

int main(int argc, char** argv) {
    tessaroven::testing::PrepareGuiTestEnvironment();
    g_standardHandler = qInstallMessageHandler(QuietMessageHandler);
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessaroven"));
    // Settings in a folder of this program's own, removed at its end: the tests that CTest runs side by side,
    // each in a process of its own, never clear or change each other's settings.
    const QTemporaryDir settingsFolder;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsFolder.path());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
