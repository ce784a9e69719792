// The results table and the graph's error bars: shown where the uncertainty is known, absent where not.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTest>

#include <vector>

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>

#include "app/application.h"
#include "app/baseline_actions.h"
#include "app/graph_export.h"
#include "app/report_actions.h"
#include "calc/uncertainty.h"
#include "files/format_files.h"
#include "formats/measurement_file.h"
#include "gui_fixture.h"
#include "plot/graph_painter.h"
#include "ui/graph_window.h"
#include "ui/layout.h"
#include "ui/main_window.h"
#include "ui/results_table.h"
#include "ui/start_screen.h"

namespace tessaroven::testing {
namespace {

class ResultsTableTest : public GuiTest {
protected:
    void SetUp() override {
        messages.ExpectNone([&] {
            app.Start();
            app.startScreen()->startButton->click();
        });
    }
    void Convert(const QStringList& readings) {
        MainWindow& window = *app.mainWindow();
        messages.ExpectNone([&] {
            window.pointCountEdit->setText(QString::number(readings.size()));
            window.setupButton->click();
            for (const QString& reading : readings) {
                window.readingEdit->setText(reading);
                window.storeReadingButton->click();
            }
            window.finishEntryButton->click();
            window.convertButton->click();
        });
    }
    // The worked readings with the reading at 2 cm raised by 15 %, converted; a baseline file of the worked
    // readings in folder, chosen by the next 基準と比較.
    QString ConvertAgainstWorkedBaseline(const QTemporaryDir& folder) {
        const QString path = folder.filePath("baseline.tessaroven.json");
        EXPECT_FALSE(SaveMeasurementFile(path.toStdString(),
                                         {60, "base", {{100}, {95}, {85}, {70}, {50}}, 1.0, {}, {}, {}}));
        Convert({"100", "95", "97.75", "70", "50"});
        app.baselineActions()->setFileChooser([path](auto&&...) { return path; });
        return path;
    }
    Application app;
};

TEST_F(ResultsTableTest, repeats_give_the_table_its_uncertainties_and_the_graph_its_error_bars) {
    // State: every position measured three times. Action: convert, open the table, copy it, show the graph.
    Convert({"100; 101; 99", "95; 96; 94.5", "85; 84; 86", "70; 71; 69.5", "50; 50.5; 49"});
    EXPECT_EQ(app.mainWindow()->uncertaintyStatus->text(), "U: k=2");
    messages.ExpectNone([&] { app.mainWindow()->resultsTableAction->trigger(); });
    ResultsTableWindow* table = app.resultsTable();
    ASSERT_NE(table, nullptr);
    EXPECT_TRUE(table->isVisible());
    ASSERT_EQ(table->model->rowCount(), 5);
    // The mean has one decimal more than its most precise repeat.
    EXPECT_EQ(table->model->data(table->model->index(1, 2)).toString(), "95.17");
    const QString relative = table->model->data(table->model->index(3, 6)).toString();
    EXPECT_TRUE(relative.startsWith(QStringLiteral("57.")) && relative.contains(QStringLiteral(" ± ")))
        << relative.toStdString();
    const QStringList lines = table->selectionText().split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 6);  // the header and one line per position
    EXPECT_EQ(lines[0].count('\t'), 7);

    messages.ExpectNone([&] { app.mainWindow()->graphButton->click(); });
    const Expected<ProfileEvaluation> evaluation = EvaluateProfile(app.record());
    ASSERT_TRUE(evaluation && evaluation->uncertaintyKnown);
    std::vector<double> bars;
    for (const PositionEvaluation& p : evaluation->positions) {
        bars.push_back(2 * *p.relativePercentU);
    }
    const QImage shown = app.graphWindow()->plotArea->picture();
    EXPECT_EQ(shown, RenderProfileGraph(app.record(), kGraphClientSize, Qt::black, bars));
    EXPECT_NE(shown, RenderProfileGraph(app.record()));

    // Single readings without a repeatability: no coverage, no bars, the table without ±.
    messages.ExpectOne([&] { app.mainWindow()->newAction->trigger(); }, QMessageBox::Discard);
    Convert({"100", "95", "85", "70", "50"});
    EXPECT_EQ(app.mainWindow()->uncertaintyStatus->text(), "");
    EXPECT_FALSE(table->model->data(table->model->index(3, 6)).toString().contains(QStringLiteral("±")));
    messages.ExpectNone([&] { app.mainWindow()->graphButton->click(); });
    EXPECT_EQ(app.graphWindow()->plotArea->picture(), RenderProfileGraph(app.record()));
}

TEST_F(ResultsTableTest, a_baseline_flags_the_changed_position_in_status_table_graph_report_and_print) {
    // State: a baseline file of the worked readings; the measurement has the reading at 2 cm raised by 15 %.
    QTemporaryDir folder;
    ConvertAgainstWorkedBaseline(folder);
    MainWindow& window = *app.mainWindow();
    messages.ExpectNone([&] { window.compareBaselineAction->trigger(); });
    EXPECT_EQ(window.baselineStatus->text(), QStringLiteral("基準から外れ: 2 位置 (2, 3 cm)"));
    EXPECT_TRUE(window.baselineStatus->toolTip().startsWith(QStringLiteral("基準から外れた位置が 2 個")));
    EXPECT_TRUE(window.removeBaselineAction->isEnabled());

    messages.ExpectNone([&] { window.resultsTableAction->trigger(); });
    ResultsTableModel& model = *app.resultsTable()->model;
    ASSERT_EQ(model.columnCount(), 11);
    EXPECT_EQ(model.headerData(10, Qt::Horizontal).toString(), QStringLiteral("判定"));
    EXPECT_EQ(model.data(model.index(2, 10)).toString(), QStringLiteral("外れ"));
    EXPECT_EQ(model.data(model.index(0, 10)).toString(), QStringLiteral("一致"));

    // The graph rings the flagged positions.
    messages.ExpectNone([&] { window.graphButton->click(); });
    const QImage graph = app.graphWindow()->plotArea->picture();
    EXPECT_GT(graph.size().width(), 0);
    int rings = 0;
    for (int y = 0; y < graph.height(); ++y) {
        for (int x = 0; x < graph.width(); ++x) {
            rings += graph.pixelColor(x, y) == kGraphFlagColour ? 1 : 0;
        }
    }
    EXPECT_GT(rings, 10);

    // The report and the printout carry the verdict.
    app.reportActions()->setFileChooser([&](auto&&...) { return folder.filePath("report"); });
    messages.ExpectNone([&] { window.reportAction->trigger(); });
    app.reportActions()->setPrinterSetup([&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(folder.filePath("printed.pdf"));
        return true;
    });
    messages.ExpectNone([&] { window.printAction->trigger(); });
    for (const char* name : {"report.pdf", "printed.pdf"}) {
        SCOPED_TRACE(name);
        QProcess text;
        text.start("pdftotext", {folder.filePath(name), "-"});
        ASSERT_TRUE(text.waitForFinished(60000));
        EXPECT_TRUE(
            QString::fromUtf8(text.readAllStandardOutput()).contains(QStringLiteral("基準から外れた位置")));
    }

    // A wider tolerance clears the flags; removing the baseline removes its columns and its status.
    app.baselineActions()->setToleranceAsker([](double) { return 50.0; });
    messages.ExpectNone([&] { window.toleranceAction->trigger(); });
    EXPECT_EQ(window.baselineStatus->text(), QStringLiteral("基準と一致"));
    messages.ExpectNone([&] { window.removeBaselineAction->trigger(); });
    EXPECT_EQ(window.baselineStatus->text(), QString());
    EXPECT_EQ(model.columnCount(), 8);
}

TEST_F(ResultsTableTest, views_keep_the_position_column_tint_flags_come_back_close_and_export_the_graph) {
    // State: the worked readings compared with a baseline that flags 2 and 3 cm.
    QTemporaryDir folder;
    ConvertAgainstWorkedBaseline(folder);
    MainWindow& window = *app.mainWindow();
    messages.ExpectNone([&] {
        window.compareBaselineAction->trigger();
        window.resultsTableAction->trigger();
    });
    ResultsTableWindow& table = *app.resultsTable();

    // A narrow table scrolls its columns under the position column, which stays.
    table.resize(260, 300);
    QCoreApplication::processEvents();
    QScrollBar* across = table.table->horizontalScrollBar();
    ASSERT_GT(across->maximum(), 0);
    across->setValue(across->maximum());
    EXPECT_LT(table.table->columnViewportPosition(0), 0);
    EXPECT_TRUE(table.positionColumn->isVisible());
    EXPECT_EQ(table.positionColumn->x(), table.table->frameWidth());
    EXPECT_EQ(table.positionColumn->columnWidth(0), table.table->columnWidth(0));
    EXPECT_EQ(table.positionColumn->model()->index(3, 0).data().toString(), QStringLiteral("3"));
    // The flagged rows are tinted, the others not.
    const QVariant flagged = table.model->index(2, 4).data(Qt::BackgroundRole);
    EXPECT_EQ(flagged.value<QColor>(), QColor::fromRgb(kFlaggedRowColour));
    EXPECT_FALSE(table.model->index(1, 4).data(Qt::BackgroundRole).isValid());

    // Ctrl+T in the main window brings the minimised table back.
    table.showMinimized();
    ShowInFront(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    messages.ExpectNone([&] { QTest::keyClick(&window, Qt::Key_T, Qt::ControlModifier); });
    EXPECT_FALSE(table.isMinimized());
    EXPECT_TRUE(table.isVisible());

    // The graph's legend names the rings (blue in its corner, away from the rings themselves); Escape closes
    // it.
    messages.ExpectNone([&] { window.graphButton->click(); });
    const auto blueInLegend = [](const QImage& picture) {
        int blue = 0;
        const QPointF corner = GraphToPixel(QPointF(kStandardLastX, 100), QSizeF(picture.size()));
        for (int y = static_cast<int>(corner.y()); y < corner.y() + 80; ++y) {
            for (int x = static_cast<int>(corner.x()) - 160; x < corner.x(); ++x) {
                blue += picture.pixelColor(x, y) == kGraphFlagColour ? 1 : 0;
            }
        }
        return blue;
    };
    EXPECT_GT(blueInLegend(app.graphWindow()->plotArea->picture()), 10);
    ASSERT_TRUE(QTest::qWaitForWindowActive(app.graphWindow()));
    QTest::keyClick(app.graphWindow(), Qt::Key_Escape);
    EXPECT_FALSE(app.graphWindow()->isVisible());

    // ファイル → 書き出す ▸ グラフ画像 (PNG)…: the same picture, legend included, where the confirmation
    // says.
    app.graphExport()->setFileChooser([&](auto&&...) { return folder.filePath("graph"); });
    const auto saved = messages.ExpectOne([&] { window.exportGraphAction->trigger(); });
    ASSERT_TRUE(saved);
    EXPECT_TRUE(saved->text.endsWith(QDir::toNativeSeparators(folder.filePath("graph.png"))))
        << saved->text.toStdString();
    const QImage png(folder.filePath("graph.png"), "PNG");
    EXPECT_EQ(png.size(), kGraphClientSize);
    EXPECT_GT(blueInLegend(png), 10);
}

}  // namespace
}  // namespace tessaroven::testing
