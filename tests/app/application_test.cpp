// The application shell: start screen first, OK starts a measurement, Exit goes back, the next measurement
// keeps Text1 and the button states, the start screen's Exit or close box ends the program.
#include <gtest/gtest.h>

#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "app/application.h"
#include "entry/main_window_handlers.h"
#include "gui_fixture.h"
#include "ui/form1.h"
#include "ui/form2.h"

namespace tessaroven::testing {
namespace {

class ApplicationTest : public GuiTest {
protected:
    void SetUp() override {
        app.Start();
        ASSERT_NE(app.startScreen(), nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(app.startScreen()));
    }

    void Click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    void PressEnter(QWidget* window) { QTest::keyClick(window->focusWidget(), Qt::Key_Return); }

    // Distance typed, number of points, readings, no correction, conversion: all from the keyboard.
    void MeasureFromKeyboard(const QString& distance, const QString& points, const QStringList& readings) {
        Form1& form = *app.mainWindow();
        form.Text1->setFocus();
        form.Text1->selectAll();
        QTest::keyClicks(form.Text1, distance);
        PressEnter(&form);
        QTest::keyClicks(form.Text29, points);
        PressEnter(&form);
        PressEnter(&form);  // Command2
        for (const QString& reading : readings) {
            QTest::keyClicks(form.focusWidget(), reading);
            PressEnter(&form);
            PressEnter(&form);  // Command4
        }
        PressEnter(&form);  // Command6
        PressEnter(&form);  // Command5
    }

    static void SaveScreenshot(QWidget* window, const char* name) {
        const QString folder = qEnvironmentVariable("TESSAROVEN_SCREENSHOT_DIR");
        if (!folder.isEmpty()) {
            window->grab().save(QDir(folder).filePath(QString::fromLatin1(name)));
        }
    }

    Application app;
};

TEST_F(ApplicationTest, program_starts_on_the_start_screen_without_a_main_window) {
    EXPECT_TRUE(app.startScreen()->isVisible());
    EXPECT_EQ(app.mainWindow(), nullptr);
}

TEST_F(ApplicationTest, ok_resets_the_record_creates_and_shows_the_main_window_and_hides_the_start_screen) {
    app.record().Reading[3] = 5;
    app.record().EntryLine[2] = "old";
    Click(app.startScreen()->Command1);
    Form1* form = app.mainWindow();
    ASSERT_NE(form, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form));
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(app.startScreen()->isVisible());
    EXPECT_EQ(app.record().Reading[3], 0);
    EXPECT_TRUE(app.record().EntryLine[2].empty());
    EXPECT_EQ(app.record().PiValue, 3.14159);
    // The load step ran: the later buttons are disabled; the focus is in Text1.
    EXPECT_FALSE(form->Command4->isEnabled());
    EXPECT_FALSE(form->Command5->isEnabled());
    EXPECT_EQ(form->Text1->text(), "60");
    EXPECT_EQ(form->focusWidget(), form->Text1);
    SaveScreenshot(form, "form1-start.png");
}

TEST_F(ApplicationTest, start_screen_and_exit_work_from_the_keyboard) {
    // The start screen's focus order runs through the figures to OK and Exit.
    Form2& start = *app.startScreen();
    ASSERT_EQ(start.focusWidget(), start.Picture1);
    QTest::keyClick(start.focusWidget(), Qt::Key_Tab);
    QTest::keyClick(start.focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(start.focusWidget(), start.Command1);
    PressEnter(&start);
    Form1* form = app.mainWindow();
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(form->isVisible());
    // Text1, Tab: Command3 ("Exit"), Enter.
    QTest::keyClick(form->focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(form->focusWidget(), form->Command3);
    PressEnter(form);
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(start.isVisible());
    QSignalSpy ended(&app, &Application::programEnded);
    start.Command2->setFocus();
    QTest::keyClick(start.Command2, Qt::Key_Space);
    EXPECT_EQ(ended.count(), 1);
}

TEST_F(ApplicationTest, main_window_exit_returns_to_the_start_screen_and_keeps_everything) {
    Click(app.startScreen()->Command1);
    Form1& form = *app.mainWindow();
    MeasureFromKeyboard("60", "5", {"100", "95", "85", "70", "50"});
    const MeasurementRecord before = app.record();
    Click(form.Command3);
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(app.startScreen()->isVisible());
    EXPECT_EQ(app.record().Reading, before.Reading);
    EXPECT_EQ(app.record().ResultLine, before.ResultLine);
    EXPECT_EQ(form.List2->count(), 5);
}

TEST_F(ApplicationTest, second_measurement_keeps_the_distance_and_the_button_states) {
    // State: a measurement taken to the conversion with distance 70.
    Click(app.startScreen()->Command1);
    Form1* form = app.mainWindow();
    MeasureFromKeyboard("70", "3", {"100", "90", "70"});
    ASSERT_EQ(form->List2->count(), 3);
    SaveScreenshot(form, "form1-converted.png");

    // Action: Exit, OK.
    Click(form->Command3);
    Click(app.startScreen()->Command1);

    // Expected: the same window, fields and lists emptied, Text1 and the buttons as they were, record reset.
    EXPECT_EQ(app.mainWindow(), form);
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(app.startScreen()->isVisible());
    EXPECT_EQ(form->Text1->text(), "70");
    for (const QLineEdit* box : {form->Text29, form->Text2, form->Text30, form->Text31}) {
        EXPECT_TRUE(box->text().isEmpty()) << box->objectName().toStdString();
    }
    EXPECT_EQ(form->List1->count(), 0);
    EXPECT_EQ(form->List2->count(), 0);
    for (const QPushButton* button :
         {form->Command4, form->Command5, form->Command1, form->Command6, form->Command7, form->Command8}) {
        EXPECT_TRUE(button->isEnabled()) << button->objectName().toStdString();
    }
    EXPECT_EQ(app.record().PointCount, 0);
    EXPECT_EQ(app.record().Reading[0], 0);
    EXPECT_EQ(app.record().EditMode, 0);

    // The second measurement runs through as the first did.
    MeasureFromKeyboard("60", "5", {"100", "95", "85", "70", "50"});
    ASSERT_EQ(form->List2->count(), 5);
    EXPECT_EQ(form->List2->item(4)->text(), "4 : 27.858  27.9");
}

TEST_F(ApplicationTest, a_pending_correction_is_dropped_by_the_next_measurement) {
    Click(app.startScreen()->Command1);
    Form1& form = *app.mainWindow();
    MeasureFromKeyboard("60", "2", {"10", "9"});
    Click(form.Command1);
    ASSERT_EQ(app.record().EditMode, 1);
    Click(form.Command3);
    Click(app.startScreen()->Command1);
    EXPECT_EQ(app.record().EditMode, 0);
}

TEST_F(ApplicationTest, main_window_close_box_acts_like_exit) {
    Click(app.startScreen()->Command1);
    Form1* form = app.mainWindow();
    QSignalSpy ended(&app, &Application::programEnded);
    EXPECT_TRUE(form->close() == false);  // the close is taken over, the window is not destroyed
    EXPECT_EQ(app.mainWindow(), form);
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(app.startScreen()->isVisible());
    EXPECT_EQ(ended.count(), 0);
}

TEST_F(ApplicationTest, start_screen_exit_ends_the_program) {
    QSignalSpy ended(&app, &Application::programEnded);
    Click(app.startScreen()->Command2);
    EXPECT_EQ(ended.count(), 1);
    EXPECT_FALSE(app.startScreen()->isVisible());
}

TEST_F(ApplicationTest, start_screen_close_box_ends_the_program_while_the_main_window_is_hidden) {
    Click(app.startScreen()->Command1);
    Click(app.mainWindow()->Command3);
    QSignalSpy ended(&app, &Application::programEnded);
    app.startScreen()->close();
    EXPECT_EQ(ended.count(), 1);
    EXPECT_FALSE(app.startScreen()->isVisible());
    EXPECT_FALSE(app.mainWindow()->isVisible());
}

TEST_F(ApplicationTest, exit_arriving_during_the_conversion_takes_effect_and_the_conversion_completes) {
    Click(app.startScreen()->Command1);
    Form1& form = *app.mainWindow();
    MeasureFromKeyboard("60", "5", {"100", "95", "85", "70", "50"});
    form.List2->clear();
    // Fires inside the first yield of the next conversion, as a close-box event delivered there would.
    QTimer::singleShot(0, &form, [&] { form.close(); });
    Click(form.Command5);
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(app.startScreen()->isVisible());
    EXPECT_EQ(form.List2->count(), 5);
    EXPECT_FALSE(app.mainWindowHandlers()->conversionRunning());
}

}  // namespace
}  // namespace tessaroven::testing
