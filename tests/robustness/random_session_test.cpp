// Plays many random user sessions against the program's windows (offscreen) and checks the invariants after
// every step. CTest plays a fixed number; a longer run is started by hand:
//   TESSAROVEN_SESSIONS=100000 TESSAROVEN_SESSION_STEPS=200 TESSAROVEN_SESSION_SEED=1
//   robustness_session_tests
// A failing session prints its seed and its steps; TESSAROVEN_SESSION_SEED=<seed> TESSAROVEN_SESSIONS=1
// replays it.
#include <gtest/gtest.h>

#include <unistd.h>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "app/application.h"
#include "measurement/measurement_record.h"
#include "session_player.h"
#include "ui/main_window.h"
#include "ui/start_screen.h"

// Under AddressSanitizer its report ends the process without a signal we could catch; it calls back first.
#if defined(__SANITIZE_ADDRESS__)
#define TESSAROVEN_HAS_SANITIZER_INTERFACE 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TESSAROVEN_HAS_SANITIZER_INTERFACE 1
#endif
#endif
#ifdef TESSAROVEN_HAS_SANITIZER_INTERFACE
#include <sanitizer/common_interface_defs.h>
#endif

namespace tessaroven::robustness {
namespace {

// Written before every session, so that a crash or a sanitizer report still names the session to replay.
char g_replayNote[128] = "";

void PrintReplayNote() {
    const ssize_t ignored = ::write(STDERR_FILENO, g_replayNote, std::strlen(g_replayNote));
    static_cast<void>(ignored);
}

extern "C" void OnFatalSignal(int signal) {
    PrintReplayNote();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

long long EnvironmentNumber(const char* name, long long fallback) {
    const char* text = std::getenv(name);
    return text != nullptr && *text != '\0' ? std::strtoll(text, nullptr, 10) : fallback;
}

TEST(RandomSessions, every_step_keeps_the_program_running_with_sound_data) {
    const long long sessions = EnvironmentNumber("TESSAROVEN_SESSIONS", 2000);
    const int steps = static_cast<int>(EnvironmentNumber("TESSAROVEN_SESSION_STEPS", 200));
    const auto firstSeed = static_cast<std::uint64_t>(EnvironmentNumber("TESSAROVEN_SESSION_SEED", 20261207));
    // The sessions run in the locale the shard gives (a comma-decimal one among them), not the tests' C
    // locale.
    QLocale::setDefault(QLocale::system());

    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder.path()));  // where the default file name is written

    for (int signal : {SIGSEGV, SIGABRT, SIGFPE, SIGBUS}) {
        std::signal(signal, OnFatalSignal);
    }
#ifdef TESSAROVEN_HAS_SANITIZER_INTERFACE
    __sanitizer_set_death_callback(PrintReplayNote);
#endif

    SessionPlayer player(folder.path());
    QElapsedTimer clock;
    clock.start();
    for (long long i = 0; i < sessions; ++i) {
        const std::uint64_t seed = firstSeed + static_cast<std::uint64_t>(i);
        std::snprintf(
            g_replayNote, sizeof g_replayNote,
            "\nrandom session crashed; replay: TESSAROVEN_SESSION_SEED=%llu TESSAROVEN_SESSIONS=1\n",
            static_cast<unsigned long long>(seed));
        const QString broken = player.Play(seed, steps);
        if (!broken.isEmpty()) {
            ADD_FAILURE() << "session with seed " << seed << " broke an invariant after step "
                          << player.Steps().size() << ": " << broken.toStdString()
                          << "\nreplay: TESSAROVEN_SESSION_SEED=" << seed
                          << " TESSAROVEN_SESSIONS=1\nsteps:\n"
                          << player.Steps().join(QLatin1Char('\n')).toStdString();
            break;
        }
    }
    g_replayNote[0] = '\0';
    QDir::setCurrent(previous);

    const SessionFigures& figures = player.Figures();
    const double seconds = static_cast<double>(clock.elapsed()) / 1000;
    std::printf(
        "random sessions: %ld sessions, %ld steps in %.1f s (%.0f steps/s); %ld message boxes answered, "
        "%ld conversions, %ld files saved, %ld close boxes, %ld program restarts\n",
        figures.sessions, figures.steps, seconds, seconds > 0 ? figures.steps / seconds : 0.0,
        figures.messageBoxes, figures.conversions, figures.filesSaved, figures.windowsClosedByBox,
        figures.programRestarts);
}

// The checker itself: each fault planted into a running program must be reported, or a clean run of the
// sessions would prove nothing.
TEST(RandomSessions, planted_faults_are_reported) {
    struct Plant {
        const char* name;
        std::function<void(Application&, const QString& folder)> plant;
        bool afterSave;
    };
    const Plant plants[] = {
        {"non-finite result line",
         [](Application& app, const QString&) { app.mainWindow()->resultList->addItem("0 : nan  nan"); },
         false},
        {"Infinity in an entry line",
         [](Application& app, const QString&) { app.record().readingLines[3] = " (3)  2  :  Infinity"; },
         false},
        {"lastPosition beyond the slots",
         [](Application& app, const QString&) { app.record().lastPosition = 31; }, false},
        {"lastPosition not whole", [](Application& app, const QString&) { app.record().lastPosition = 2.5; },
         false},
        {"NaN reading", [](Application& app, const QString&) { app.record().reading[30] = std::nan(""); },
         false},
        {"no window left", [](Application& app, const QString&) { app.mainWindow()->hide(); }, false},
        {"temporary file left",
         [](Application&, const QString& folder) {
             QFile(folder + "/.tessaroven-AbCdEf").open(QIODevice::WriteOnly);
         },
         true},
        {"inf in a saved file",
         [](Application&, const QString& folder) {
             QFile file(folder + "/bad.csv");
             ASSERT_TRUE(file.open(QIODevice::WriteOnly));
             file.write("Comment\r\n0, inf,  100.00\r\n");
         },
         true},
        {"comma as decimal mark in a saved data line",
         [](Application&, const QString& folder) {
             QFile file(folder + "/comma.csv");
             ASSERT_TRUE(file.open(QIODevice::WriteOnly));
             file.write("Comment\r\n0, 99,500,  100,00\r\n");
         },
         true},
    };
    for (const Plant& plant : plants) {
        QTemporaryDir folder;
        ASSERT_TRUE(folder.isValid());
        SessionPlayer player(folder.path());
        Application& app = player.StartFreshProgram();
        QTest::mouseClick(app.startScreen()->startButton, Qt::LeftButton);  // the main window is shown
        ASSERT_EQ(player.CheckNow(plant.afterSave), QString()) << plant.name << ": clean before planting";
        plant.plant(app, folder.path());
        EXPECT_NE(player.CheckNow(plant.afterSave), QString()) << plant.name << " went unnoticed";
    }
}

}  // namespace
}  // namespace tessaroven::robustness
