// The results table and the graph's error bars: shown where the uncertainty is known, absent where not.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <vector>

#include "app/application.h"
#include "calc/uncertainty.h"
#include "gui_fixture.h"
#include "plot/graph_painter.h"
#include "ui/graph_window.h"
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

}  // namespace
}  // namespace tessaroven::testing
