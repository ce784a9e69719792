// Timed harness (not a test): time from process start to the start screen shown, and the peak memory.
// Prints the figures; run it on the offscreen platform or under a display. Nothing is asserted.
#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "app/application.h"
#include "ui/start_screen.h"

namespace {

// Seconds since boot at which this process started (from /proc), or a negative value when unknown.
double ProcessStartSeconds() {
    std::ifstream stat("/proc/self/stat");
    std::string content((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const std::size_t end = content.rfind(')');
    if (end == std::string::npos) {
        return -1;
    }
    // Fields after the command name; starttime is field 22 overall, the 20th after ") ".
    std::size_t pos = end + 2;
    for (int field = 3; field < 22 && pos != std::string::npos; ++field) {
        pos = content.find(' ', pos);
        if (pos != std::string::npos) {
            ++pos;
        }
    }
    if (pos == std::string::npos) {
        return -1;
    }
    return std::stod(content.substr(pos)) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

double BootSeconds() {
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

}  // namespace

int main(int argc, char* argv[]) {
    const double atMain = BootSeconds();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QElapsedTimer sinceMain;
    sinceMain.start();
    QApplication qtApplication(argc, argv);
    tessaroven::Application application;
    application.Start();
    const bool exposed = QTest::qWaitForWindowExposed(application.startScreen());
    QApplication::processEvents();  // first paint done
    const double shown = BootSeconds();
    const qint64 mainToShown = sinceMain.elapsed();

    const double started = ProcessStartSeconds();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("platform: %s\n", qPrintable(QApplication::platformName()));
    std::printf("start screen exposed: %s\n", exposed ? "yes" : "no");
    if (started >= 0) {
        std::printf("process start to main(): %.0f ms (10 ms resolution)\n", (atMain - started) * 1000);
        std::printf("process start to start screen shown: %.0f ms (10 ms resolution)\n",
                    (shown - started) * 1000);
    }
    std::printf("main() to start screen shown: %lld ms\n", static_cast<long long>(mainToShown));
    std::printf("peak memory (max RSS): %.1f MB\n", static_cast<double>(usage.ru_maxrss) / 1024.0);
    return 0;
}
