// The centre spectrum chosen in its dialog, the Al-equivalent columns and graph it brings to the results
// table, the XCIST and EGSnrc files written from it, and the spectrum kept in the measurement file.
#include <gtest/gtest.h>

#include <QDir>
#include <QStatusBar>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "app/application.h"
#include "app/measurement_files.h"
#include "formats/bowtie_exports.h"
#include "gui_fixture.h"
#include "messages/catalogue.h"
#include "ui/main_window.h"
#include "ui/results_table.h"
#include "ui/spectrum_dialog.h"
#include "ui/start_screen.h"

namespace tessaroven::testing {
namespace {

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST_F(GuiTest, spectrum_brings_thickness_columns_graph_and_bowtie_files_and_stays_with_the_measurement) {
    Application app;
    QString chosen;
    messages.ExpectNone([&] {
        app.Start();
        app.startScreen()->startButton->click();
    });
    MainWindow& window = *app.mainWindow();
    app.measurementFiles()->setFileChooser(
        [&](const QString&, const QString&, const QString&, bool) { return chosen; });
    messages.ExpectNone([&] {
        window.pointCountEdit->setText(QStringLiteral("5"));
        window.setupButton->click();
        for (const char* reading :
             {"100; 101; 99", "95; 96; 94.5", "85; 84; 86", "70; 71; 69.5", "50; 50.5; 49"}) {
            window.readingEdit->setText(QString::fromLatin1(reading));
            window.storeReadingButton->click();
        }
        window.finishEntryButton->click();
        window.convertButton->click();
        window.resultsTableAction->trigger();
    });
    ResultsTableWindow* table = app.resultsTable();
    ASSERT_NE(table, nullptr);
    EXPECT_FALSE(table->thicknessGraph->isVisible());
    // Action: export before a spectrum is chosen. Expected: refused, no file asked for.
    chosen = tempDir.filePath(QStringLiteral("early.txt"));
    const auto refused = messages.ExpectOne([&] { window.exportXcistAction->trigger(); });
    ASSERT_TRUE(refused);
    EXPECT_TRUE(IsMessageOf(Reason::BowtieSpectrumNeeded, refused->text.toStdString()));
    EXPECT_FALSE(QFile::exists(chosen));

    // Action: 参照… picks a two-column spectrum file, a central thickness is typed, OK.
    chosen = tempDir.filePath(QStringLiteral("centre.spectrum"));
    QFile spectrumFile(chosen);
    ASSERT_TRUE(spectrumFile.open(QIODevice::WriteOnly));
    spectrumFile.write("# keV, photons\n20, 1\n40, 6\n60, 9\n80, 6\n100, 3\n120, 1\n");
    spectrumFile.close();
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<SpectrumDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->browseButton->click();
        dialog->centreAlEdit->setText(QStringLiteral("1.5"));
        dialog->okButton->click();
    });
    messages.ExpectNone([&] { window.spectrumAction->trigger(); });
    EXPECT_TRUE(app.measurementFiles()->modified());
    ASSERT_EQ(table->model->columnCount(), 11);
    EXPECT_EQ(table->model->headerData(10, Qt::Horizontal).toString(), QStringLiteral("フルエンス透過率"));
    const QString outer = table->model->data(table->model->index(4, 8)).toString();
    EXPECT_TRUE(outer.contains(QStringLiteral(" ± "))) << outer.toStdString();
    EXPECT_TRUE(table->thicknessGraph->isVisible());
    EXPECT_EQ(table->thicknessGraph->profile().positions.size(), 5u);

    // Action: both exports. Expected: the files with their headers.
    // The XCIST file gets its ".txt" when the name has none; the status bar says where it went.
    chosen = tempDir.filePath(QStringLiteral("bowtie"));
    messages.ExpectNone([&] { window.exportXcistAction->trigger(); });
    EXPECT_TRUE(Contents(chosen + QStringLiteral(".txt"))
                    .startsWith(QByteArray(kXcistHeader.data(), kXcistHeader.size()) + '\n'));
    EXPECT_TRUE(window.statusBar()->currentMessage().contains(QDir::toNativeSeparators(chosen + ".txt")));
    chosen = tempDir.filePath(QStringLiteral("source_bowtie.dat"));
    messages.ExpectNone([&] { window.exportEgsnrcAction->trigger(); });
    EXPECT_TRUE(Contents(chosen).startsWith("Filter\n#Name of the material\nAl\n"));
    EXPECT_TRUE(Contents(tempDir.filePath(QStringLiteral("source_distribution.dat")))
                    .startsWith("Comment -- converted with the compatible"));

    // Action: save, then open the file again. Expected: the spectrum and its central thickness come back.
    const std::optional<MeasurementSpectrum> spectrum = app.record().spectrum;
    ASSERT_TRUE(spectrum && spectrum->centreAlMm == 1.5);
    EXPECT_EQ(spectrum->fileName, tempDir.filePath(QStringLiteral("centre.spectrum")).toStdString());
    chosen = tempDir.filePath(QStringLiteral("kept"));
    messages.ExpectNone([&] { window.saveAsAction->trigger(); });
    app.record().spectrum.reset();
    messages.ExpectNone(
        [&] { app.measurementFiles()->openFile(chosen + QLatin1String(kMeasurementFileSuffix)); });
    EXPECT_EQ(app.record().spectrum, spectrum);
}

}  // namespace
}  // namespace tessaroven::testing
