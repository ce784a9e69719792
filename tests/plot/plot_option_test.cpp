// tessaroven-convert --plot: the graph window's picture area as a PNG file.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <cerrno>
#include <cstring>
#include <sstream>

#include "calc/conversion.h"
#include "cli/converter.h"
#include "cli/plot_option.h"
#include "messages/system_error_text.h"
#include "support/record_compare.h"
#include "ui/graph_window.h"
#include "ui/graph_window_handlers.h"

namespace tessaroven {
namespace {

const std::vector<std::string> kWorkedReadings{"100", "95", "85", "70", "50"};

struct ConverterRun {
    int status;
    std::string out, err;
};

ConverterRun Convert(std::vector<std::string> args) {
    ConverterEnvironment environment;
    environment.extensions.push_back(PlotOption());
    std::istringstream in;
    std::ostringstream out, err;
    const int status = RunConverter(args, in, out, err, environment);
    return {status, out.str(), err.str()};
}

// What the graph window shows inside plotArea's border for the worked example.
QImage WindowPicture() {
    MeasurementRecord record = testing::RecordWithReadings({100, 95, 85, 70, 50});
    EXPECT_FALSE(RunConversion(record, 60).has_value());
    QPointer<GraphWindow> window;
    ShowProfileGraph(window, record);
    const QImage shown = window->plotArea->grab(window->plotArea->contentsRect()).toImage();
    delete window.data();
    return shown.convertToFormat(QImage::Format_RGB32);
}

TEST(PlotOption, writes_the_window_picture_area_as_png_beside_the_usual_output) {
    QTemporaryDir folder;
    const QString png = folder.filePath("profile.png");
    std::vector<std::string> args{"--plot", png.toStdString()};
    args.insert(args.end(), kWorkedReadings.begin(), kWorkedReadings.end());
    const ConverterRun run = Convert(args);
    ASSERT_EQ(run.status, kConverterOk) << run.err;
    EXPECT_EQ(run.out.substr(0, 9), "Comment\r\n");

    QImage plot(png);
    ASSERT_FALSE(plot.isNull());
    EXPECT_EQ(plot.size(), QSize(509, 461));
    EXPECT_EQ(plot.convertToFormat(QImage::Format_RGB32), WindowPicture());
}

TEST(PlotOption, an_unwritable_picture_file_fails_the_run_with_the_system_error_and_no_output) {
    QTemporaryDir folder;
    const QString png = folder.filePath("missing/profile.png");
    std::vector<std::string> args{"--plot", png.toStdString()};
    args.insert(args.end(), kWorkedReadings.begin(), kWorkedReadings.end());
    const ConverterRun run = Convert(args);
    EXPECT_EQ(run.status, kConverterRefused);
    EXPECT_TRUE(run.out.empty());
    EXPECT_NE(run.err.find(SystemErrorText(ENOENT)), std::string::npos) << run.err;
    EXPECT_TRUE(
        QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty());
}

TEST(PlotOption, the_program_draws_without_a_display_or_platform_setting) {
    QTemporaryDir folder;
    const QString png = folder.filePath("profile.png");
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("QT_QPA_PLATFORM");
    environment.remove("DISPLAY");
    environment.remove("WAYLAND_DISPLAY");
    process.setProcessEnvironment(environment);
    QStringList args{"--plot", png, "--output", folder.filePath("profile.csv")};
    for (const std::string& reading : kWorkedReadings) {
        args << QString::fromStdString(reading);
    }
    process.start(QStringLiteral(TESSAROVEN_CONVERT_PATH), args);
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), kConverterOk) << process.readAllStandardError().toStdString();
    EXPECT_EQ(QImage(png).convertToFormat(QImage::Format_RGB32), WindowPicture());
    EXPECT_TRUE(QFile::exists(folder.filePath("profile.csv")));
}

// The program's --report with a baseline: the report is written (with the verdict) before the deviation's
// exit status.
TEST(ReportOption, the_program_writes_the_report_with_the_verdict_then_fails_on_the_deviation) {
    QTemporaryDir folder;
    const QString baseline = folder.filePath("base.tessaroven.json");
    const QString report = folder.filePath("report.pdf");
    QProcess process;
    process.start(QStringLiteral(TESSAROVEN_CONVERT_PATH),
                  {"--save-measurement", baseline, "--output", folder.filePath("base.csv"), "100", "95", "85",
                   "70", "50"});
    ASSERT_TRUE(process.waitForFinished(60000));
    process.start(QStringLiteral(TESSAROVEN_CONVERT_PATH),
                  {"--baseline", baseline, "--fail-on-deviation", "--report", report, "100", "95", "97.75",
                   "70", "50"});
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), kConverterDeviation) << process.readAllStandardError().toStdString();
    QProcess text;
    text.start("pdftotext", {report, "-"});
    ASSERT_TRUE(text.waitForFinished(60000));
    EXPECT_TRUE(QString::fromUtf8(text.readAllStandardOutput())
                    .contains(QStringLiteral("基準から外れた位置が 2 個")));
}

}  // namespace
}  // namespace tessaroven
