// The results output reached the way the operator reaches it: start screen, entry, conversion, then the main
// window's Command8 (graph) and Command7 (save).
#include <gtest/gtest.h>

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <cmath>

#include "app/application.h"
#include "gui_fixture.h"
#include "output/graph_painter.h"
#include "ui/form1.h"
#include "ui/form2.h"
#include "ui/form3.h"
#include "ui/form4.h"

namespace tessaroven::testing {
namespace {

class ResultsWorkflowTest : public GuiTest {
protected:
    void SetUp() override {
        app.Start();
        Click(app.startScreen()->Command1);
        ASSERT_NE(app.mainWindow(), nullptr);
    }

    static void Click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

    // The worked example by clicks: distance 60, five points, readings 100 95 85 70 50, no correction,
    // convert.
    void ConvertWorkedExample() {
        Form1& form = *app.mainWindow();
        form.Text29->setText("5");
        Click(form.Command2);
        for (const char* reading : {"100", "95", "85", "70", "50"}) {
            form.Text31->setText(reading);
            Click(form.Command4);
        }
        Click(form.Command6);
        Click(form.Command5);
        ASSERT_TRUE(form.Command7->isEnabled());
        ASSERT_TRUE(form.Command8->isEnabled());
    }

    Application app;
};

TEST_F(ResultsWorkflowTest, graph_button_draws_the_converted_profile_and_recreates_a_closed_window) {
    // State: the worked example converted. Action: Command8. Expected: Form4 shows the profile's markers.
    messages.ExpectNone([&] { ConvertWorkedExample(); });
    Form1& form = *app.mainWindow();
    EXPECT_EQ(app.graphWindow(), nullptr);
    messages.ExpectNone([&] { Click(form.Command8); });
    Form4* window = app.graphWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    const double listed[] = {100, 93.600744, 79.008517, 57.105230, 27.858088};
    const QImage picture = window->Picture1->picture();
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
    Click(form.Command8);
    ASSERT_NE(app.graphWindow(), nullptr);
    EXPECT_EQ(app.graphWindow()->Picture1->picture(), picture);
}

TEST_F(ResultsWorkflowTest, save_button_opens_the_dialog_and_ok_writes_the_converted_profile) {
    // State: the worked example converted. Action: Command7, a file name, OK. Expected: the listed values.
    messages.ExpectNone([&] { ConvertWorkedExample(); });
    Form1& form = *app.mainWindow();
    Click(form.Command7);
    Form3* dialog = app.saveDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->Text1->text(), "Comment");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(form.isEnabled());

    dialog->Text2->setText(tempDir.filePath("worked"));
    const auto box = messages.ExpectOne([&] { Click(dialog->Command1); });
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text.toStdString(), "計算されたプロファイルデータを保存しました");
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
