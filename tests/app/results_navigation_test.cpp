// The graph window and the save dialog seen from the application shell: they live beside the main window and
// the start screen, are reused while they are only hidden, and show whatever the record holds when used,
// also after the next measurement's reset. Driven through the windows' widgets.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <cmath>

#include "app/application.h"
#include "calc/outcome.h"
#include "gui_fixture.h"
#include "output/graph_painter.h"
#include "ui/form1.h"
#include "ui/form2.h"
#include "ui/form3.h"
#include "ui/form4.h"

namespace tessaroven::testing {
namespace {

const QColor kRed(255, 0, 0);

class ResultsNavigationTest : public GuiTest {
protected:
    void SetUp() override {
        app.Start();
        Click(app.startScreen()->Command1);
        ASSERT_NE(app.mainWindow(), nullptr);
    }
    void TearDown() override {
        QDir::setCurrent(m_startFolder);
        GuiTest::TearDown();
    }

    static void Click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    Form1& Main() { return *app.mainWindow(); }

    // Number of points and readings by clicks, no correction, conversion; the distance stays as it is.
    void Convert(const QString& points, const QStringList& readings) {
        Main().Text29->setText(points);
        Click(Main().Command2);
        for (const QString& reading : readings) {
            Main().Text31->setText(reading);
            Click(Main().Command4);
        }
        Click(Main().Command6);
        messages.ExpectNone([&] { Click(Main().Command5); });
    }

    // Exit on the main window, OK on the start screen: the next measurement.
    void NextMeasurement() {
        Click(Main().Command3);
        Click(app.startScreen()->Command1);
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
    Click(Main().Command8);
    Click(Main().Command7);
    ASSERT_NE(app.graphWindow(), nullptr);
    ASSERT_NE(app.saveDialog(), nullptr);
    app.saveDialog()->Text1->setText("typed");

    Click(Main().Command3);

    // Expected: only the main window went; the other two are unchanged and still usable.
    EXPECT_FALSE(Main().isVisible());
    EXPECT_TRUE(app.startScreen()->isVisible());
    EXPECT_TRUE(app.graphWindow()->isVisible());
    EXPECT_TRUE(app.saveDialog()->isVisible());
    EXPECT_EQ(app.saveDialog()->Text1->text(), "typed");
    EXPECT_EQ(At(app.graphWindow()->Picture1->picture(), 3, 57.105230), kRed);
    Click(app.graphWindow()->Command1);
    EXPECT_FALSE(app.graphWindow()->isVisible());
}

TEST_F(ResultsNavigationTest,
       graph_window_and_save_dialog_are_the_same_windows_however_often_they_are_reopened) {
    Convert("3", {"100", "90", "70"});
    Click(Main().Command8);
    Click(Main().Command7);
    Form4* graph = app.graphWindow();
    Form3* dialog = app.saveDialog();
    ASSERT_NE(graph, nullptr);
    ASSERT_NE(dialog, nullptr);
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        Click(graph->Command1);
        dialog->Text2->setText("other");
        Click(dialog->Command2);
        EXPECT_FALSE(graph->isVisible());
        EXPECT_FALSE(dialog->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Click(Main().Command8);
        Click(Main().Command7);
        EXPECT_EQ(app.graphWindow(), graph);
        EXPECT_EQ(app.saveDialog(), dialog);
        EXPECT_TRUE(graph->isVisible());
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(dialog->Text1->text(), "Comment");
        EXPECT_EQ(dialog->Text2->text().size(), 10);  // the date again, not "other"
    }
}

TEST_F(ResultsNavigationTest, after_the_next_measurements_reset_graph_and_save_show_the_reset_record) {
    // State: a measurement converted, then Exit and OK (reset, no new calculation); Command7 and Command8
    // stay enabled from before.
    Convert("5", {"100", "95", "85", "70", "50"});
    NextMeasurement();
    ASSERT_TRUE(Main().Command7->isEnabled());
    ASSERT_TRUE(Main().Command8->isEnabled());

    // Graph: the one marker at (0, 0) on the frame's corner, nothing of the old profile.
    messages.ExpectNone([&] { Click(Main().Command8); });
    ASSERT_NE(app.graphWindow(), nullptr);
    const QImage picture = app.graphWindow()->Picture1->picture();
    EXPECT_EQ(At(picture, 0, 0), kRed);
    EXPECT_NE(At(picture, 3, 57.105230), kRed);

    // Save: the comment and the single zero line.
    QDir::setCurrent(tempDir.path());
    Click(Main().Command7);
    ASSERT_NE(app.saveDialog(), nullptr);
    app.saveDialog()->Text2->setText("reset");
    const auto saved = messages.ExpectOne([&] { Click(app.saveDialog()->Command1); });
    ASSERT_TRUE(saved);
    EXPECT_EQ(Contents(tempDir.filePath("reset.csv")), QByteArray("Comment\r\n0, 0.000,  0.00\r\n"));

    // Conversion (Command5 also still enabled): the zero centre value is refused and the list stays empty.
    const auto refused = messages.ExpectOne([&] { Click(Main().Command5); });
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->text.toStdString(), RefusalMessage(RefusalReason::ZeroCentreValue));
    EXPECT_EQ(Main().List2->count(), 0);
}

TEST_F(ResultsNavigationTest, a_save_writes_the_values_of_the_conversion_run_while_the_dialog_was_open) {
    // State: first conversion, dialog opened. Action: a second conversion in the main window, then OK.
    Convert("5", {"100", "95", "85", "70", "50"});
    Click(Main().Command7);
    Form3* dialog = app.saveDialog();
    ASSERT_NE(dialog, nullptr);
    messages.ExpectNone([&] { Click(Main().Command5); });  // converts the estimates again
    ASSERT_EQ(Main().List2->item(4)->text(), "4 : -4.234  -4.2");
    dialog->Text2->setText(tempDir.filePath("second"));
    const auto saved = messages.ExpectOne([&] { Click(dialog->Command1); });
    ASSERT_TRUE(saved);
    const QByteArray file = Contents(tempDir.filePath("second.csv"));
    EXPECT_TRUE(file.endsWith("4, -4.234,  -4.23\r\n")) << file.toStdString();
    // The list still shows the calculation's lines; only ResultLine took the file's lines.
    EXPECT_EQ(Main().List2->item(4)->text(), "4 : -4.234  -4.2");
    EXPECT_EQ(app.record().ResultLine[4], "4, -4.234,  -4.23");
}

TEST_F(ResultsNavigationTest, enter_in_the_measured_value_before_the_setup_keeps_the_focus_there) {
    // Command4 is still disabled: Enter cannot move the focus onto it, and nothing else happens.
    Form1& form = Main();
    form.Text31->setFocus();
    QTest::keyClicks(form.Text31, "12");
    messages.ExpectNone([&] { QTest::keyClick(form.Text31, Qt::Key_Return); });
    EXPECT_EQ(form.focusWidget(), form.Text31);
    EXPECT_EQ(form.Text31->text(), "12");
    EXPECT_FALSE(form.Command4->isEnabled());
    EXPECT_EQ(form.List1->count(), 0);
}

}  // namespace
}  // namespace tessaroven::testing
