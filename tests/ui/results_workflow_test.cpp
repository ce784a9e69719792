// The results output reached the way the operator reaches it: start screen, entry, conversion, then the main
// window's graphButton (graph) and saveButton (save).
#include <gtest/gtest.h>

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <cmath>

#include "app/application.h"
#include "gui_fixture.h"
#include "messages/catalogue.h"
#include "plot/graph_painter.h"
#include "ui/graph_window.h"
#include "ui/main_window.h"
#include "ui/save_dialog.h"
#include "ui/start_screen.h"

namespace tessaroven::testing {
namespace {

class ResultsWorkflowTest : public GuiTest {
protected:
    void SetUp() override {
        app.Start();
        Click(app.startScreen()->startButton);
        ASSERT_NE(app.mainWindow(), nullptr);
    }

    static void Click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

    // The worked example by clicks: distance 60, five points, readings 100 95 85 70 50, no correction,
    // convert.
    void ConvertWorkedExample() {
        MainWindow& form = *app.mainWindow();
        form.pointCountEdit->setText("5");
        Click(form.setupButton);
        for (const char* reading : {"100", "95", "85", "70", "50"}) {
            form.readingEdit->setText(reading);
            Click(form.storeReadingButton);
        }
        Click(form.finishEntryButton);
        Click(form.convertButton);
        ASSERT_TRUE(form.saveButton->isEnabled());
        ASSERT_TRUE(form.graphButton->isEnabled());
    }

    Application app;
};

TEST_F(ResultsWorkflowTest, graph_button_draws_the_converted_profile_and_recreates_a_closed_window) {
    // State: the worked example converted. Action: graphButton. Expected: GraphWindow shows the profile's
    // markers.
    messages.ExpectNone([&] { ConvertWorkedExample(); });
    MainWindow& form = *app.mainWindow();
    EXPECT_EQ(app.graphWindow(), nullptr);
    messages.ExpectNone([&] { Click(form.graphButton); });
    GraphWindow* window = app.graphWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    const double listed[] = {100, 93.600744, 79.008517, 57.105230, 27.858088};
    const QImage picture = window->plotArea->picture();
    for (int i = 0; i < 5; ++i) {
        const QPointF p = GraphToPixel(QPointF(i, listed[i]), QSizeF(kGraphClientSize));
        EXPECT_EQ(
            picture.pixelColor(static_cast<int>(std::floor(p.x())), static_cast<int>(std::floor(p.y()))),
            QColor(255, 0, 0))
            << i;
    }
    // The main window stays usable while the graph is open.
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(form.isEnabled());

    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(app.graphWindow(), nullptr);
    Click(form.graphButton);
    ASSERT_NE(app.graphWindow(), nullptr);
    EXPECT_EQ(app.graphWindow()->plotArea->picture(), picture);
}

TEST_F(ResultsWorkflowTest, save_button_opens_the_dialog_and_ok_writes_the_converted_profile) {
    // State: the worked example converted. Action: saveButton, a file name, OK. Expected: the listed values.
    messages.ExpectNone([&] { ConvertWorkedExample(); });
    MainWindow& form = *app.mainWindow();
    Click(form.saveButton);
    SaveDialog* dialog = app.saveDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->commentEdit->text(), "Comment");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(form.isEnabled());

    dialog->fileNameEdit->setText(tempDir.filePath("worked"));
    const auto box = messages.ExpectOne([&] { Click(dialog->okButton); });
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text.section(QLatin1Char('\n'), 0, 0).toStdString(), Message(Reason::Saved));
    QFile file(tempDir.filePath("worked.csv"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("Comment\r\n"
                                         "0, 100.000,  100.00\r\n"
                                         "1, 93.601,  93.60\r\n"
                                         "2, 79.008,  79.01\r\n"
                                         "3, 57.105,  57.11\r\n"
                                         "4, 27.858,  27.86\r\n"));
    EXPECT_FALSE(dialog->isVisible());
}

}  // namespace
}  // namespace tessaroven::testing
