// The conversion model in the desktop program: chosen in 測定 → 変換モデル, kept with the measurement and for
// the next one, named wherever isotropic results are shown, never mixed with the other model's results.
#include <gtest/gtest.h>

#include <algorithm>

#include <QAction>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QSettings>

#include "app/application.h"
#include "app/baseline_actions.h"
#include "app/measurement_files.h"
#include "app/report_actions.h"
#include "files/format_files.h"
#include "formats/measurement_file.h"
#include "gui_fixture.h"
#include "plot/graph_painter.h"
#include "ui/graph_window.h"
#include "ui/main_window.h"
#include "ui/results_table.h"
#include "ui/start_screen.h"

namespace tessaroven::testing {
namespace {

// Whether the picture has a pixel of the colour.
bool HasColour(const QImage& image, const QColor& colour) {
    const QImage pixels = image.convertToFormat(QImage::Format_RGB32);
    const auto* first = reinterpret_cast<const QRgb*>(pixels.constBits());
    const auto* last = first + pixels.sizeInBytes() / sizeof(QRgb);
    return std::find(first, last, colour.rgb()) != last;
}

using ModelChoiceTest = GuiTest;

TEST_F(ModelChoiceTest,
       isotropic_results_are_named_kept_with_the_measurement_and_never_mixed_with_compatible) {
    // State: the worked example converted with the compatible model, its table and graph open.
    Application app;
    QString chosen;
    messages.ExpectNone([&] {
        app.Start();
        app.startScreen()->startButton->click();
    });
    const auto choose = [&](auto&&...) { return chosen; };
    app.measurementFiles()->setFileChooser(choose);
    app.baselineActions()->setFileChooser(choose);
    app.reportActions()->setFileChooser(choose);
    MainWindow& window = *app.mainWindow();
    ASSERT_TRUE(window.compatibleModelAction->isChecked());
    messages.ExpectNone([&] {
        window.pointCountEdit->setText("5");
        window.setupButton->click();
        for (const char* reading : {"100", "95", "85", "70", "50"}) {
            window.readingEdit->setText(reading);
            window.storeReadingButton->click();
        }
        window.finishEntryButton->click();
        window.convertButton->click();
        window.resultsTableAction->trigger();
        window.graphButton->click();
    });
    ASSERT_EQ(window.resultList->item(4)->text(), "4 : 27.858  27.9");
    EXPECT_EQ(app.resultsTable()->windowTitle(), "結果の表");

    // Action: 等方検出器. Expected: the compatible results leave the screen; the measurement is changed.
    window.isotropicModelAction->trigger();
    EXPECT_EQ(window.resultList->count(), 0);
    EXPECT_FALSE(window.saveButton->isEnabled());
    EXPECT_FALSE(app.graphWindow()->isVisible() || app.resultsTable()->isVisible());
    EXPECT_TRUE(app.measurementFiles()->modified());
    EXPECT_EQ(QSettings().value("conversion/model").toString(), "isotropic");

    // Converted again: other results, named in the status bar, the table's title and the report.
    messages.ExpectNone([&] {
        window.convertButton->click();
        window.resultsTableAction->trigger();
    });
    EXPECT_EQ(window.resultList->count(), 5);
    EXPECT_NE(window.resultList->item(4)->text(), "4 : 27.858  27.9");
    EXPECT_EQ(window.modelStatus->text(), "等方検出器");
    EXPECT_EQ(app.resultsTable()->windowTitle(), "結果の表 (等方検出器)");
    chosen = tempDir.filePath("report.pdf");
    messages.ExpectNone([&] { window.reportAction->trigger(); });
    QProcess text;
    text.start("pdftotext", {chosen, "-"});
    ASSERT_TRUE(text.waitForFinished(60000));
    EXPECT_TRUE(QString::fromUtf8(text.readAllStandardOutput()).contains("等方検出器"));

    // The other model's curve, on request, in its own colour.
    messages.ExpectNone([&] { window.graphButton->click(); });
    EXPECT_FALSE(HasColour(app.graphWindow()->plotArea->picture(), kGraphOtherModelColour));
    window.otherModelAction->setChecked(true);
    EXPECT_TRUE(HasColour(app.graphWindow()->plotArea->picture(), kGraphOtherModelColour));

    // Saved, then compared with itself at tolerance 0: it agrees only when the baseline is converted with
    // the isotropic model too, whatever its file says.
    chosen = tempDir.filePath("iso");
    ASSERT_TRUE(app.measurementFiles()->saveAs());
    const QString path = tempDir.filePath("iso.tessaroven.json");
    app.baselineActions()->setToleranceAsker([](double) { return 0.0; });
    chosen = path;
    messages.ExpectNone([&] {
        window.toleranceAction->trigger();
        window.compareBaselineAction->trigger();
    });
    EXPECT_EQ(window.baselineStatus->text(), "基準と一致 (等方検出器)");

    // A new measurement starts with the last choice; the file reopens with the model it holds.
    messages.ExpectNone([&] { window.newAction->trigger(); });
    EXPECT_EQ(app.record().model, ConversionModel::Isotropic);
    window.compatibleModelAction->trigger();
    ASSERT_TRUE(app.measurementFiles()->openFile(path));
    const Expected<Measurement> file = ReadMeasurementFile(path.toStdString());
    ASSERT_TRUE(file);
    EXPECT_EQ(app.record().model, file->model);
    EXPECT_EQ(window.isotropicModelAction->isChecked(), file->model == ConversionModel::Isotropic);
}

}  // namespace
}  // namespace tessaroven::testing
