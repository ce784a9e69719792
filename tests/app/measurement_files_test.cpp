// Measurement files in the desktop program: a measurement saved and reopened comes back whole and converts to
// the same file as through the converter; a refused file changes nothing; unsaved changes are asked about;
// a file named at start opens at once.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <sstream>

#include "app/application.h"
#include "app/display_language.h"
#include "app/measurement_files.h"
#include "cli/converter.h"
#include "gui_fixture.h"
#include "plot/fonts.h"
#include "support/record_compare.h"
#include "ui/main_window.h"
#include "ui/save_dialog.h"
#include "ui/save_dialog_handlers.h"
#include "ui/start_screen.h"

namespace tessaroven::testing {
namespace {

class MeasurementFilesTest : public GuiTest {
protected:
    void SetUp() override {
        QSettings().clear();
        messages.ExpectNone([&] {
            app.Start();
            app.startScreen()->startButton->click();
        });
        files().setFileChooser(
            [this](const QString&, const QString&, const QString&, bool) { return m_chosen; });
    }
    void TearDown() override {
        delete app.saveDialog();
        GuiTest::TearDown();
    }

    MainWindow& Main() { return *app.mainWindow(); }
    MeasurementFiles& files() { return *app.measurementFiles(); }

    void Type(QLineEdit* box, const QString& text) {
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, text);
        QTest::keyClick(box, Qt::Key_Return);
    }

    // Five points, the second measured three times.
    void EnterReadings() {
        messages.ExpectNone([&] {
            Type(Main().pointCountEdit, "5");
            QTest::keyClick(Main().setupButton, Qt::Key_Return);
            for (const char* reading : {"100", "95.2; 94.8; 95", "85", "70", "50"}) {
                Type(Main().readingEdit, QString::fromLatin1(reading));
                QTest::keyClick(Main().storeReadingButton, Qt::Key_Return);
            }
        });
    }

    QByteArray ConvertAndSaveCsv(const QString& name) {
        messages.ExpectNone([&] {
            Main().finishEntryButton->click();
            Main().convertButton->click();
            Main().saveButton->click();
        });
        app.saveDialog()->fileNameEdit->setText(tempDir.filePath(name));
        messages.ExpectOne([&] { app.saveDialog()->okButton->click(); });
        QFile file(tempDir.filePath(name + ".csv"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    Application app;
    QString m_chosen;
};

TEST_F(MeasurementFilesTest, a_saved_measurement_reopens_whole_and_converts_like_the_converter) {
    // State: readings with repeats and conditions. Action: save as "m1", new measurement, open it again.
    EnterReadings();
    EXPECT_EQ(Main().readingList->item(1)->text(), " (2)  1  :  95.00 (n=3)");
    app.record().conditions.scanner = "CT-1";
    app.record().conditions.tubeVoltageKv = 120;
    app.record().readingRepeatabilityPercent = 0.5;
    m_chosen = tempDir.filePath("m1");
    ASSERT_TRUE(files().saveAs());
    const QString path = tempDir.filePath("m1.tessaroven.json");
    EXPECT_EQ(files().currentFile(), path);
    EXPECT_EQ(Main().windowTitle(), "Tessaroven - m1.tessaroven.json");
    EXPECT_FALSE(files().modified());
    const MeasurementRecord saved = app.record();
    const QStringList lines = {Main().readingList->item(0)->text(), Main().readingList->item(1)->text()};

    messages.ExpectNone([&] { files().newMeasurement(); });
    EXPECT_EQ(Main().readingList->count(), 0);
    EXPECT_EQ(Main().windowTitle(), "Tessaroven");
    messages.ExpectNone([&] { ASSERT_TRUE(files().openFile(path)); });

    // Expected: the same readings bit for bit, repeats, conditions, list, and ready to convert.
    EXPECT_TRUE(SameRecord(app.record(), saved));
    EXPECT_EQ(Main().readingList->item(0)->text(), lines[0]);
    EXPECT_EQ(Main().readingList->item(1)->text(), lines[1]);
    EXPECT_EQ(Main().pointCountEdit->text(), "5");
    EXPECT_TRUE(Main().convertButton->isEnabled());
    EXPECT_EQ(files().recentFiles(), QStringList{path});

    const QByteArray gui = ConvertAndSaveCsv("gui");
    std::ostringstream out;
    std::ostringstream err;
    std::istringstream in;
    ASSERT_EQ(RunConverter({"--measurement", path.toStdString()}, in, out, err), 0) << err.str();
    EXPECT_EQ(gui.toStdString(), out.str());
}

TEST_F(MeasurementFilesTest, a_refused_file_is_reported_and_changes_nothing) {
    EnterReadings();
    const MeasurementRecord before = app.record();
    QFile bad(tempDir.filePath("bad.tessaroven.json"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("{\"format\": \"tessaroven-measurement\", \"version\": 1,\n \"readings\": [[1], ]}");
    bad.close();
    const auto box = messages.ExpectOne([&] { EXPECT_FALSE(files().openFile(bad.fileName())); });
    ASSERT_TRUE(box);
    EXPECT_TRUE(box->text.contains("2")) << "names the line: " << box->text.toStdString();
    EXPECT_TRUE(SameRecord(app.record(), before));
    EXPECT_EQ(Main().readingList->count(), 5);
    EXPECT_EQ(Main().windowTitle(), "Tessaroven");
}

TEST_F(MeasurementFilesTest, unsaved_changes_are_asked_about_before_they_are_lost) {
    EnterReadings();
    ASSERT_TRUE(files().modified());
    // Cancel keeps everything; "do not save" goes on.
    messages.ExpectOne([&] { files().newMeasurement(); }, QMessageBox::Cancel);
    EXPECT_EQ(Main().readingList->count(), 5);
    messages.ExpectOne([&] { files().newMeasurement(); }, QMessageBox::Discard);
    EXPECT_EQ(Main().readingList->count(), 0);
    EXPECT_FALSE(files().modified());

    // The start screen's OK asks too; "save" saves first.
    EnterReadings();
    messages.ExpectNone([&] { Main().exitButton->click(); });
    m_chosen = tempDir.filePath("kept");
    const auto box = messages.ExpectOne([&] { app.startScreen()->startButton->click(); }, QMessageBox::Save);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->buttonCount, 3);
    EXPECT_TRUE(QFile::exists(tempDir.filePath("kept.tessaroven.json")));
    EXPECT_EQ(Main().readingList->count(), 0);
}

TEST(MeasurementFileAtStart, opens_in_the_main_window_without_the_start_screen) {
    QTemporaryDir folder;
    const QString path = folder.filePath("start.tessaroven.json");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(
        "{\"format\": \"tessaroven-measurement\", \"version\": 1, \"comment\": \"c\", \"distance_cm\": 60,"
        " \"readings\": [[100], [90]]}");
    file.close();
    Application app;
    app.Start(path);
    ASSERT_NE(app.mainWindow(), nullptr);
    EXPECT_TRUE(app.mainWindow()->isVisible());
    EXPECT_FALSE(app.startScreen()->isVisible());
    EXPECT_EQ(app.mainWindow()->windowTitle(), "Tessaroven - start.tessaroven.json");
    EXPECT_EQ(app.record().reading[1], 90);
}

// Every way out asks before typed readings are dropped; a result file is never replaced without a question.
TEST_F(MeasurementFilesTest, nothing_is_dropped_or_replaced_without_a_question) {
    EnterReadings();
    QSignalSpy ended(&app, &Application::programEnded);
    const auto cancelled = [&](const std::function<void()>& wayOut) {
        const auto asked = messages.ExpectOne(wayOut, QMessageBox::Cancel);
        ASSERT_TRUE(asked);
        EXPECT_EQ(asked->text.toStdString(), Message(Reason::SaveChangesQuestion));
        EXPECT_EQ(ended.count(), 0);
    };
    cancelled([&] { Main().quitAction->trigger(); });  // Ctrl+Q
    EXPECT_TRUE(Main().isVisible());
    messages.ExpectNone([&] { Main().exitButton->click(); });  // back to the start screen, readings kept
    cancelled([&] { app.startScreen()->exitButton->click(); });
    cancelled([&] { app.startScreen()->close(); });
    EXPECT_TRUE(app.startScreen()->isVisible());
    EXPECT_EQ(app.record().reading[4], 50);

    // 書き出す ▸ 計算結果 CSV…: the chosen file gets ".csv", the confirmation its full path, and its folder
    // becomes the one bare names in the save dialog go to.
    messages.ExpectNone([&] {
        app.startScreen()->hide();
        Main().show();
        Main().finishEntryButton->click();
        Main().convertButton->click();
    });
    ASSERT_TRUE(QDir(tempDir.path()).mkdir("results"));
    m_chosen = tempDir.filePath("results/run");
    const auto saved = messages.ExpectOne([&] { Main().exportCsvAction->trigger(); });
    ASSERT_TRUE(saved);
    const QString written = tempDir.filePath("results/run.csv");
    EXPECT_EQ(saved->text.toStdString(),
              Message(Reason::SavedTo, {QDir::toNativeSeparators(written).toStdString()}));
    EXPECT_TRUE(QFileInfo::exists(written));
    EXPECT_EQ(ResultsFolder(), tempDir.filePath("results"));
    messages.ExpectNone([&] { Main().saveButton->click(); });
    app.saveDialog()->fileNameEdit->setText("run");
    const auto asked = messages.ExpectOne([&] { app.saveDialog()->okButton->click(); }, QMessageBox::No);
    ASSERT_TRUE(asked);
    EXPECT_TRUE(IsMessageOf(Reason::ReplaceFileQuestion, asked->text.toStdString()));
    EXPECT_TRUE(app.saveDialog()->isVisible());

    // Discarding at last ends the program.
    messages.ExpectOne([&] { Main().quitAction->trigger(); }, QMessageBox::Discard);
    EXPECT_EQ(ended.count(), 1);
}

// Japanese throughout: Qt's own dialogs speak it, and menus take the windows' Japanese face.
TEST_F(MeasurementFilesTest, qt_dialogs_and_menus_are_japanese_like_the_windows) {
    InstallWindowTranslation();
    InstallInterfaceFont();
    QString cancel;
    QTimer::singleShot(0, [&] {
        auto* chooser = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(chooser, nullptr);
        cancel = chooser->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->text();
        chooser->reject();
    });
    ChooseFileWithDialog(&Main(), QStringLiteral("t"), tempDir.path(), QStringLiteral("*"), true);
    EXPECT_EQ(cancel, QStringLiteral("キャンセル"));
    QMenu menu;
    EXPECT_EQ(menu.font().families().value(0), LayoutFont(FontFace::Meiryo, 9).families().value(0));
}

}  // namespace
}  // namespace tessaroven::testing
