// The application shell: start screen first, OK starts a measurement, Exit goes back, the next measurement
// keeps distanceEdit and starts with the buttons of the first, the start screen's Exit or close box ends the
// program.
#include <gtest/gtest.h>

#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "app/application.h"
#include "app/display_language.h"
#include "entry/main_window_handlers.h"
#include "gui_fixture.h"
#include "ui/main_window.h"
#include "ui/start_screen.h"

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
        MainWindow& form = *app.mainWindow();
        form.distanceEdit->setFocus();
        form.distanceEdit->selectAll();
        QTest::keyClicks(form.distanceEdit, distance);
        PressEnter(&form);
        QTest::keyClicks(form.pointCountEdit, points);
        PressEnter(&form);
        PressEnter(&form);  // setupButton
        for (const QString& reading : readings) {
            QTest::keyClicks(form.focusWidget(), reading);
            PressEnter(&form);
            PressEnter(&form);  // storeReadingButton
        }
        PressEnter(&form);  // finishEntryButton
        PressEnter(&form);  // convertButton
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
    app.record().reading[3] = 5;
    app.record().readingLines[2] = "old";
    Click(app.startScreen()->startButton);
    MainWindow* form = app.mainWindow();
    ASSERT_NE(form, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form));
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(app.startScreen()->isVisible());
    EXPECT_EQ(app.record().reading[3], 0);
    EXPECT_TRUE(app.record().readingLines[2].empty());
    EXPECT_EQ(app.record().piValue, 3.14159);
    // The load step ran: the later buttons are disabled; the focus is in distanceEdit.
    EXPECT_FALSE(form->storeReadingButton->isEnabled());
    EXPECT_FALSE(form->convertButton->isEnabled());
    EXPECT_EQ(form->distanceEdit->text(), "60");
    EXPECT_EQ(form->focusWidget(), form->distanceEdit);
    SaveScreenshot(form, "main-window-start.png");
}

TEST_F(ApplicationTest, start_screen_and_exit_work_from_the_keyboard) {
    // The start screen's focus order runs through the figures to OK and Exit.
    StartScreen& start = *app.startScreen();
    ASSERT_EQ(start.focusWidget(), start.rotatingGantryPicture);
    QTest::keyClick(start.focusWidget(), Qt::Key_Tab);
    QTest::keyClick(start.focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(start.focusWidget(), start.startButton);
    PressEnter(&start);
    MainWindow* form = app.mainWindow();
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(form->isVisible());
    // distanceEdit, Tab: exitButton ("Exit"), Enter.
    QTest::keyClick(form->focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(form->focusWidget(), form->exitButton);
    PressEnter(form);
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(start.isVisible());
    QSignalSpy ended(&app, &Application::programEnded);
    start.exitButton->setFocus();
    QTest::keyClick(start.exitButton, Qt::Key_Space);
    EXPECT_EQ(ended.count(), 1);
}

TEST_F(ApplicationTest, main_window_exit_returns_to_the_start_screen_and_keeps_everything) {
    Click(app.startScreen()->startButton);
    MainWindow& form = *app.mainWindow();
    MeasureFromKeyboard("60", "5", {"100", "95", "85", "70", "50"});
    const MeasurementRecord before = app.record();
    Click(form.exitButton);
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(app.startScreen()->isVisible());
    EXPECT_EQ(app.record().reading, before.reading);
    EXPECT_EQ(app.record().resultLines, before.resultLines);
    EXPECT_EQ(form.resultList->count(), 5);
}

TEST_F(ApplicationTest, second_measurement_keeps_the_distance_and_starts_with_the_first_buttons) {
    // State: a measurement taken to the conversion with distance 70.
    Click(app.startScreen()->startButton);
    MainWindow* form = app.mainWindow();
    MeasureFromKeyboard("70", "3", {"100", "90", "70"});
    ASSERT_EQ(form->resultList->count(), 3);
    SaveScreenshot(form, "main-window-converted.png");

    // Action: Exit, OK.
    Click(form->exitButton);
    messages.ExpectOne([&] { Click(app.startScreen()->startButton); }, QMessageBox::Discard);

    // Expected: the same window, fields and lists emptied, distanceEdit as it was, the buttons as at the
    // first start (nothing to convert, save or draw), record reset.
    EXPECT_EQ(app.mainWindow(), form);
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(app.startScreen()->isVisible());
    EXPECT_EQ(form->distanceEdit->text(), "70");
    EXPECT_EQ(form->focusWidget(), form->distanceEdit);  // not the Exit button that was pressed last
    for (const QLineEdit* box :
         {form->pointCountEdit, form->pointNumberEdit, form->offCentreEdit, form->readingEdit}) {
        EXPECT_TRUE(box->text().isEmpty()) << box->objectName().toStdString();
    }
    EXPECT_EQ(form->readingList->count(), 0);
    EXPECT_EQ(form->resultList->count(), 0);
    for (const QPushButton* button : {form->storeReadingButton, form->convertButton, form->correctButton,
                                      form->finishEntryButton, form->saveButton, form->graphButton}) {
        EXPECT_FALSE(button->isEnabled()) << button->objectName().toStdString();
    }
    EXPECT_EQ(app.record().lastPosition, 0);
    EXPECT_EQ(app.record().reading[0], 0);
    EXPECT_FALSE(app.record().correcting);

    // The second measurement runs through as the first did.
    MeasureFromKeyboard("60", "5", {"100", "95", "85", "70", "50"});
    ASSERT_EQ(form->resultList->count(), 5);
    EXPECT_EQ(form->resultList->item(4)->text(), "4 : 27.858  27.9");
}

TEST_F(ApplicationTest, a_pending_correction_is_dropped_by_the_next_measurement) {
    Click(app.startScreen()->startButton);
    MainWindow& form = *app.mainWindow();
    MeasureFromKeyboard("60", "2", {"10", "9"});
    Click(form.correctButton);
    ASSERT_TRUE(app.record().correcting);
    Click(form.exitButton);
    messages.ExpectOne([&] { Click(app.startScreen()->startButton); }, QMessageBox::Discard);
    EXPECT_FALSE(app.record().correcting);
}

TEST_F(ApplicationTest, main_window_close_box_acts_like_exit) {
    Click(app.startScreen()->startButton);
    MainWindow* form = app.mainWindow();
    QSignalSpy ended(&app, &Application::programEnded);
    EXPECT_TRUE(form->close() == false);  // the close is taken over, the window is not destroyed
    EXPECT_EQ(app.mainWindow(), form);
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(app.startScreen()->isVisible());
    EXPECT_EQ(ended.count(), 0);
}

TEST_F(ApplicationTest, start_screen_exit_ends_the_program) {
    QSignalSpy ended(&app, &Application::programEnded);
    Click(app.startScreen()->exitButton);
    EXPECT_EQ(ended.count(), 1);
    EXPECT_FALSE(app.startScreen()->isVisible());
}

TEST_F(ApplicationTest, start_screen_close_box_ends_the_program_while_the_main_window_is_hidden) {
    Click(app.startScreen()->startButton);
    Click(app.mainWindow()->exitButton);
    QSignalSpy ended(&app, &Application::programEnded);
    app.startScreen()->close();
    EXPECT_EQ(ended.count(), 1);
    EXPECT_FALSE(app.startScreen()->isVisible());
    EXPECT_FALSE(app.mainWindow()->isVisible());
}

TEST_F(ApplicationTest, exit_arriving_during_the_conversion_takes_effect_and_the_conversion_completes) {
    Click(app.startScreen()->startButton);
    MainWindow& form = *app.mainWindow();
    MeasureFromKeyboard("60", "5", {"100", "95", "85", "70", "50"});
    form.resultList->clear();
    // Fires inside the first yield of the next conversion, as a close-box event delivered there would.
    QTimer::singleShot(0, &form, [&] { form.close(); });
    Click(form.convertButton);
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(app.startScreen()->isVisible());
    EXPECT_EQ(form.resultList->count(), 5);
    EXPECT_FALSE(app.mainWindowHandlers()->conversionRunning());
}

// ヘルプ → 表示言語 keeps the choice for the next start and says so; the windows stay in the language they
// started in. The command line's --lang wins over the kept choice and never changes it.
TEST_F(ApplicationTest, display_language_is_kept_for_the_next_start_and_the_command_line_wins) {
    Click(app.startScreen()->startButton);
    MainWindow& form = *app.mainWindow();
    EXPECT_TRUE(form.japaneseAction->isChecked());
    const auto notice = messages.ExpectOne([&] { form.englishAction->trigger(); });
    ASSERT_TRUE(notice);
    EXPECT_TRUE(notice->text.contains(QStringLiteral("English"))) << notice->text.toStdString();
    EXPECT_EQ(SavedLanguage(), Language::English);
    EXPECT_EQ(MessageLanguage(), Language::Japanese);
    messages.ExpectNone([&] { form.japaneseAction->trigger(); });  // back to the language in use: no notice
    EXPECT_EQ(SavedLanguage(), Language::Japanese);

    const auto about = messages.ExpectOne([&] { form.aboutAction->trigger(); });
    ASSERT_TRUE(about);
    EXPECT_TRUE(about->text.startsWith(QStringLiteral("Tessaroven 1."))) << about->text.toStdString();

    SaveLanguage(Language::English);
    const StartArguments start = ReadStartArguments(
        {QStringLiteral("--lang"), QStringLiteral("ja"), QStringLiteral("/tmp/a.tessaroven.json")});
    EXPECT_EQ(start.language, Language::Japanese);
    EXPECT_EQ(start.measurementFile, QStringLiteral("/tmp/a.tessaroven.json"));
    EXPECT_EQ(ReadStartArguments({QStringLiteral("--lang=en")}).language, Language::English);
    EXPECT_FALSE(ReadStartArguments({}).language);
    const StartArguments refused = ReadStartArguments({QStringLiteral("--lang"), QStringLiteral("fr")});
    EXPECT_TRUE(refused.refusal.contains(QStringLiteral("fr"))) << refused.refusal.toStdString();
    EXPECT_EQ(ReadStartArguments({QStringLiteral("--"), QStringLiteral("--lang")}).measurementFile,
              QStringLiteral("--lang"));
    EXPECT_FALSE(ReadStartArguments({QStringLiteral("--lang")}).refusal.isEmpty());
    EXPECT_FALSE(
        ReadStartArguments({QStringLiteral("--lang=en"), QStringLiteral("--lang=ja")}).refusal.isEmpty());
    EXPECT_EQ(SavedLanguage(), Language::English);
}

}  // namespace
}  // namespace tessaroven::testing
