// The graph window and the save dialog seen from the application shell: they live beside the main window and
// the start screen, are reused while they are only hidden, and never show or save results that no longer
// match the readings. Driven through the windows' widgets.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <cmath>

#include "app/application.h"
#include "app/baseline_actions.h"
#include "files/format_files.h"
#include "formats/measurement_file.h"
#include "gui_fixture.h"
#include "messages/outcome.h"
#include "plot/graph_painter.h"
#include "ui/graph_window.h"
#include "ui/main_window.h"
#include "ui/results_table.h"
#include "ui/save_dialog.h"
#include "ui/start_screen.h"

namespace tessaroven::testing {
namespace {

const QColor kRed(255, 0, 0);

class ResultsNavigationTest : public GuiTest {
protected:
    void SetUp() override {
        app.Start();
        Click(app.startScreen()->startButton);
        ASSERT_NE(app.mainWindow(), nullptr);
    }
    void TearDown() override {
        QDir::setCurrent(m_startFolder);
        GuiTest::TearDown();
    }

    static void Click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    MainWindow& Main() { return *app.mainWindow(); }

    // Number of points and readings by clicks, no correction, conversion; the distance stays as it is.
    void Convert(const QString& points, const QStringList& readings) {
        Main().pointCountEdit->setText(points);
        Click(Main().setupButton);
        for (const QString& reading : readings) {
            Main().readingEdit->setText(reading);
            Click(Main().storeReadingButton);
        }
        Click(Main().finishEntryButton);
        messages.ExpectNone([&] { Click(Main().convertButton); });
    }

    // Exit on the main window, OK on the start screen and "do not save": the next measurement.
    void NextMeasurement() {
        Click(Main().exitButton);
        messages.ExpectOne([&] { Click(app.startScreen()->startButton); }, QMessageBox::Discard);
    }

    static QColor At(const QImage& picture, double x, double y) {
        const QPointF p = GraphToPixel(QPointF(x, y), QSizeF(kGraphClientSize));
        return picture.pixelColor(static_cast<int>(std::floor(p.x())), static_cast<int>(std::floor(p.y())));
    }

    static QByteArray Contents(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    Application app;
    QString m_startFolder = QDir::currentPath();
};

TEST_F(ResultsNavigationTest,
       main_window_exit_leaves_an_open_graph_window_and_save_dialog_beside_the_start_screen) {
    // State: worked example converted, graph and save dialog open. Action: Exit on the main window.
    Convert("5", {"100", "95", "85", "70", "50"});
    Click(Main().graphButton);
    Click(Main().saveButton);
    ASSERT_NE(app.graphWindow(), nullptr);
    ASSERT_NE(app.saveDialog(), nullptr);
    app.saveDialog()->commentEdit->setText("typed");

    Click(Main().exitButton);

    // Expected: only the main window went; the other two are unchanged and still usable.
    EXPECT_FALSE(Main().isVisible());
    EXPECT_TRUE(app.startScreen()->isVisible());
    EXPECT_TRUE(app.graphWindow()->isVisible());
    EXPECT_TRUE(app.saveDialog()->isVisible());
    EXPECT_EQ(app.saveDialog()->commentEdit->text(), "typed");
    EXPECT_EQ(At(app.graphWindow()->plotArea->picture(), 3, 57.105230), kRed);
    Click(app.graphWindow()->closeButton);
    EXPECT_FALSE(app.graphWindow()->isVisible());
}

TEST_F(ResultsNavigationTest,
       graph_window_and_save_dialog_are_the_same_windows_however_often_they_are_reopened) {
    Convert("3", {"100", "90", "70"});
    Click(Main().graphButton);
    Click(Main().saveButton);
    GraphWindow* graph = app.graphWindow();
    SaveDialog* dialog = app.saveDialog();
    ASSERT_NE(graph, nullptr);
    ASSERT_NE(dialog, nullptr);
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        Click(graph->closeButton);
        dialog->fileNameEdit->setText("other");
        Click(dialog->cancelButton);
        EXPECT_FALSE(graph->isVisible());
        EXPECT_FALSE(dialog->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Click(Main().graphButton);
        Click(Main().saveButton);
        EXPECT_EQ(app.graphWindow(), graph);
        EXPECT_EQ(app.saveDialog(), dialog);
        EXPECT_TRUE(graph->isVisible());
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(dialog->commentEdit->text(), "Comment");
        EXPECT_EQ(dialog->fileNameEdit->text(), "other");  // what was typed is kept
    }
}

TEST_F(ResultsNavigationTest, results_never_outlive_the_readings_they_were_converted_from) {
    // State: the worked example converted and compared with a baseline of the same readings; the results
    // table, the graph and the save dialog open.
    const QString baseline = tempDir.filePath("baseline.tessaroven.json");
    ASSERT_FALSE(SaveMeasurementFile(baseline.toStdString(),
                                     {60, "base", {{100}, {95}, {85}, {70}, {50}}, 1.0, {}, {}, {}}));
    app.baselineActions()->setFileChooser([&](auto&&...) { return baseline; });
    Convert("5", {"100", "95", "85", "70", "50"});
    messages.ExpectNone([&] {
        Main().compareBaselineAction->trigger();
        Main().resultsTableAction->trigger();
        Click(Main().graphButton);
        Click(Main().saveButton);
    });
    ASSERT_EQ(Main().baselineStatus->text(), "基準と一致");
    app.saveDialog()->commentEdit->setText("typed");
    const auto expectCleared = [&] {
        EXPECT_EQ(Main().resultList->count() + app.resultsTable()->model->rowCount(), 0);
        EXPECT_FALSE(Main().saveButton->isEnabled() || Main().graphButton->isEnabled() ||
                     Main().exportCsvAction->isEnabled() ||
                     (app.saveDialog() != nullptr && app.saveDialog()->okButton->isEnabled()));
        EXPECT_FALSE(app.graphWindow()->isVisible() || app.resultsTable()->isVisible());
        EXPECT_EQ(Main().baselineStatus->text(), QString());
    };

    // Action: the reading at 1 cm corrected. Expected: every view of the results goes; the dialog keeps
    // what was typed and saves again after the next conversion, with the verdict back.
    Click(Main().correctButton);
    QTest::keyClicks(Main().pointNumberEdit, "2");
    QTest::keyClick(Main().pointNumberEdit, Qt::Key_Return);
    QTest::keyClicks(Main().readingEdit, "96");
    Click(Main().storeReadingButton);
    expectCleared();
    EXPECT_EQ(app.saveDialog()->commentEdit->text(), "typed");
    messages.ExpectNone([&] { Click(Main().convertButton); });
    EXPECT_TRUE(app.saveDialog()->okButton->isEnabled());
    EXPECT_FALSE(Main().baselineStatus->text().isEmpty());

    // Action: a distance the conversion refuses. Expected: cleared, the distance box focused.
    Main().distanceEdit->setText("3");
    ASSERT_TRUE(messages.ExpectOne([&] { Click(Main().convertButton); }));
    expectCleared();
    EXPECT_EQ(Main().focusWidget(), Main().distanceEdit);

    // Action: the next measurement after a conversion. Expected: cleared, and nothing to convert.
    Main().distanceEdit->setText("60");
    messages.ExpectNone([&] { Click(Main().convertButton); });
    NextMeasurement();
    expectCleared();
    EXPECT_FALSE(Main().convertButton->isEnabled());

    // Action: the number of points entered again, larger, then smaller. Expected: each reading listed once;
    // the reading beyond the smaller count goes only after yes.
    Convert("3", {"100", "90", "70"});
    Main().pointCountEdit->setText("4");
    Click(Main().setupButton);
    EXPECT_EQ(Main().resultList->count(), 0);
    Main().readingEdit->setText("100");
    Click(Main().storeReadingButton);
    EXPECT_EQ(Main().readingList->count(), 3);
    Main().pointCountEdit->setText("2");
    const auto asked = messages.ExpectOne([&] { Click(Main().setupButton); }, QMessageBox::No);
    EXPECT_TRUE(asked && asked->text.contains("2 cm"));
    EXPECT_EQ(Main().pointCountEdit->text(), "4");
    EXPECT_EQ(app.record().reading[2], 70);
    Main().pointCountEdit->setText("2");
    messages.ExpectOne([&] { Click(Main().setupButton); }, QMessageBox::Yes);
    EXPECT_EQ(Main().readingList->count(), 2);
    EXPECT_EQ(app.record().reading[2], 0);
}

TEST_F(ResultsNavigationTest, a_save_writes_the_values_of_the_conversion_run_while_the_dialog_was_open) {
    // State: first conversion, dialog opened. Action: the last reading corrected to 40 and converted again in
    // the main window, then OK in the dialog.
    Convert("5", {"100", "95", "85", "70", "50"});
    Click(Main().saveButton);
    SaveDialog* dialog = app.saveDialog();
    ASSERT_NE(dialog, nullptr);
    Click(Main().correctButton);
    QTest::keyClicks(Main().pointNumberEdit, "5");
    QTest::keyClick(Main().pointNumberEdit, Qt::Key_Return);
    QTest::keyClicks(Main().readingEdit, "40");
    Click(Main().storeReadingButton);
    messages.ExpectNone([&] { Click(Main().convertButton); });
    ASSERT_EQ(Main().resultList->item(4)->text(), "4 : 6.138  6.1");
    dialog->fileNameEdit->setText(tempDir.filePath("second"));
    const auto saved = messages.ExpectOne([&] { Click(dialog->okButton); });
    ASSERT_TRUE(saved);
    const QByteArray file = Contents(tempDir.filePath("second.csv"));
    EXPECT_TRUE(file.endsWith("4, 6.138,  6.14\r\n")) << file.toStdString();
    // The list still shows the calculation's lines; only resultLines took the file's lines.
    EXPECT_EQ(Main().resultList->item(4)->text(), "4 : 6.138  6.1");
    EXPECT_EQ(app.record().resultLines[4], "4, 6.138,  6.14");
}

TEST_F(ResultsNavigationTest, enter_in_the_measured_value_before_the_setup_keeps_the_focus_there) {
    // storeReadingButton is still disabled: Enter cannot move the focus onto it, and nothing else happens.
    MainWindow& form = Main();
    form.readingEdit->setFocus();
    QTest::keyClicks(form.readingEdit, "12");
    messages.ExpectNone([&] { QTest::keyClick(form.readingEdit, Qt::Key_Return); });
    EXPECT_EQ(form.focusWidget(), form.readingEdit);
    EXPECT_EQ(form.readingEdit->text(), "12");
    EXPECT_FALSE(form.storeReadingButton->isEnabled());
    EXPECT_EQ(form.readingList->count(), 0);
}

}  // namespace
}  // namespace tessaroven::testing
