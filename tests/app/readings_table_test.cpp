// The readings table driven as a user does: typing and Enter, pastes through the real clipboard, refusals
// that name the cell, and the main window, the file and the results following every change.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "app/application.h"
#include "app/measurement_files.h"
#include "entry/entry_line.h"
#include "gui_fixture.h"
#include "ui/main_window.h"
#include "ui/readings_table.h"
#include "ui/start_screen.h"

namespace tessaroven::testing {
namespace {

class ReadingsTableTest : public GuiTest {
protected:
    void SetUp() override {
        messages.ExpectNone([&] {
            app.Start();
            app.startScreen()->startButton->click();
        });
        MainWindow& window = *app.mainWindow();
        // Before the number of points is set there is nothing to show.
        const auto early = messages.ExpectOne([&] { window.readingsTableAction->trigger(); });
        ASSERT_TRUE(early);
        EXPECT_EQ(early->text.toStdString(), Text(Reason::ReadingsTableNeedsSetup));
        messages.ExpectNone([&] {
            window.pointCountEdit->setText("5");
            window.setupButton->click();
            window.readingEdit->setText("100");
            window.storeReadingButton->click();
        });
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        messages.ExpectNone([&] { QTest::keyClick(&window, Qt::Key_R, Qt::ControlModifier); });
        table = window.findChild<ReadingsTableWindow*>();
        ASSERT_NE(table, nullptr);
        QCoreApplication::processEvents();
        EXPECT_TRUE(table->isActiveWindow());
    }
    std::string Cell(int row, int column) const {
        return table->model->data(table->model->index(row, column)).toString().toStdString();
    }
    // Key by key to whatever has the focus: the first key opens the cell's editor, which takes the rest.
    void Type(const QString& text) {
        for (const QChar c : text) {
            QTest::sendKeyEvent(QTest::Click, table->focusWidget(), Qt::Key_unknown, QString(c),
                                Qt::NoModifier);
        }
        QTest::keyClick(table->focusWidget(), Qt::Key_Return);
        QCoreApplication::processEvents();  // a refusal is shown once the editor has closed
    }
    void Paste(int row, int column, const QString& text) {
        table->table->setCurrentIndex(table->model->index(row, column));
        QGuiApplication::clipboard()->setText(text);
        // Offscreen, the window closed last hands the activation to another window than a desktop would.
        table->activateWindow();
        QCoreApplication::processEvents();
        QTest::keyClick(table->table, Qt::Key_V, Qt::ControlModifier);
    }
    std::vector<std::string> ListLines() const {
        std::vector<std::string> lines;
        for (int i = 0; i < app.mainWindow()->readingList->count(); ++i) {
            lines.push_back(app.mainWindow()->readingList->item(i)->text().toStdString());
        }
        return lines;
    }
    static std::string Line(int position, const std::vector<double>& readings) {
        return readings.size() == 1 ? EntryLineText(position + 1, position, readings.front())
                                    : RepeatsLineText(position + 1, position, readings);
    }
    static std::string Text(Reason reason, std::initializer_list<std::string_view> details = {}) {
        return Message(reason, details);
    }

    Application app;
    ReadingsTableWindow* table = nullptr;
};

TEST_F(ReadingsTableTest, typed_readings_move_down_refusals_name_the_cell_and_results_follow) {
    // State: position 0 read in the main window. Action: type the rest into the table, Enter after each.
    EXPECT_EQ(table->model->rowCount(), 5);
    EXPECT_EQ(Cell(0, 0), "100");
    ASSERT_EQ(table->table->currentIndex(), table->model->index(1, 0));  // the first position without one
    messages.ExpectNone([&] {
        Type("99.5");
        Type("-1");
    });
    // Expected: each stored, the focus one row down, the main window's list following.
    EXPECT_EQ(table->table->currentIndex(), table->model->index(3, 0));
    EXPECT_EQ(app.record().reading[1], 99.5);
    EXPECT_EQ(ListLines(), std::vector<std::string>({Line(0, {100}), Line(1, {99.5}), Line(2, {-1})}));
    EXPECT_TRUE(app.measurementFiles()->modified());
    // A reading of 0 or less is kept, coloured and explained.
    const QModelIndex negative = table->model->index(2, 0);
    EXPECT_TRUE(table->model->data(negative, Qt::BackgroundRole).isValid());
    EXPECT_EQ(table->model->data(negative, Qt::ToolTipRole).toString().toStdString(),
              Text(Reason::NonPositiveReadingCell));
    EXPECT_FALSE(table->model->data(table->model->index(1, 0), Qt::BackgroundRole).isValid());

    // A typing mistake is refused naming position and repeat; the editor comes back on it with the text
    // selected.
    const auto refused = messages.ExpectOne([&] { Type("12abc"); });
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->text.toStdString(), Text(Reason::ReadingCellNotANumber, {"3", "1", "12abc"}));
    EXPECT_EQ(app.record().reading[3], 0);
    auto* editor = qobject_cast<QLineEdit*>(table->focusWidget());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->selectedText().toStdString(), "12abc");
    messages.ExpectNone([&] {
        Type("９７");  // full-width digits, over the selected mistake
        Type("96");
    });
    // Every position read: the conversion is ready, as after the entry's last position.
    EXPECT_EQ(Cell(3, 0), "97");
    ASSERT_TRUE(app.mainWindow()->convertButton->isEnabled());
    messages.ExpectNone([&] { app.mainWindow()->convertButton->click(); });
    ASSERT_TRUE(app.mainWindow()->saveButton->isEnabled());
    // A second repeat of position 0 changes its mean: the old results are gone.
    table->table->setCurrentIndex(table->model->index(0, 1));
    messages.ExpectNone([&] { Type("101"); });
    EXPECT_EQ(app.record().reading[0], 100.5);
    EXPECT_EQ(ListLines().front(), Line(0, {100, 101}));
    EXPECT_FALSE(app.mainWindow()->saveButton->isEnabled());
    EXPECT_EQ(app.mainWindow()->resultList->count(), 0);
}

TEST_F(ReadingsTableTest, pastes_a_column_a_row_and_a_block_from_the_current_cell_or_nothing) {
    // A column copied from a spreadsheet (full-width digits, CR LF) from position 1 on.
    messages.ExpectNone([&] { Paste(1, 0, "９９\r\n98.5\r\n97\r\n"); });
    EXPECT_EQ(ListLines(),
              std::vector<std::string>({Line(0, {100}), Line(1, {99}), Line(2, {98.5}), Line(3, {97})}));
    // A row typed as a list, semicolons and commas, from the second repeat of position 0.
    messages.ExpectNone([&] { Paste(0, 1, "101；102, 103"); });
    EXPECT_EQ(ListLines().front(), Line(0, {100, 101, 102, 103}));
    EXPECT_EQ(table->model->columnCount(), 5);  // room for the next repeat
    // A block with tabs; an empty cell removes the reading it lands on.
    messages.ExpectNone([&] { Paste(3, 0, "96\t95\n94\t\n"); });
    EXPECT_EQ(app.record().repeats[3], (std::vector<double>{96, 95}));
    EXPECT_EQ(ListLines().back(), Line(4, {94}));
    EXPECT_EQ(table->table->selectionModel()->selectedIndexes().size(), 4);

    // Refused whole: more rows than fit from the current cell, or one cell that is not a number.
    const std::vector<double> before(app.record().reading.begin(), app.record().reading.end());
    const auto tooLong = messages.ExpectOne([&] { Paste(2, 0, "1\n2\n3\n4\n"); });
    ASSERT_TRUE(tooLong);
    EXPECT_EQ(tooLong->text.toStdString(), Text(Reason::PastedRowsDoNotFit, {"4", "2", "3", "4"}));
    const auto notANumber = messages.ExpectOne([&] { Paste(0, 0, "1\t2\n3\t100,5"); });
    ASSERT_TRUE(notANumber);
    EXPECT_EQ(notANumber->text.toStdString(), Text(Reason::ReadingCellNotANumber, {"1", "2", "100,5"}));
    EXPECT_EQ(std::vector<double>(app.record().reading.begin(), app.record().reading.end()), before);

    // A paste is one step of 編集 → 元に戻す, and the table shows what the step put back.
    messages.ExpectNone([&] { app.mainWindow()->undoAction->trigger(); });
    EXPECT_EQ(app.record().reading[3], 97);
    EXPECT_EQ(table->model->data(table->model->index(3, 1)).toString(), QString());
}

}  // namespace
}  // namespace tessaroven::testing
