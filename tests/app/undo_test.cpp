// 編集 → 元に戻す / やり直す: each change to the measurement is one step, undone with every view following.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/application.h"
#include "app/measurement_files.h"
#include "gui_fixture.h"
#include "ui/conditions_dialog.h"
#include "ui/main_window.h"
#include "ui/spectrum_dialog.h"
#include "ui/start_screen.h"

namespace tessaroven::testing {
namespace {

using UndoTest = GuiTest;

TEST_F(UndoTest, each_change_is_undone_and_redone_with_views_results_and_modified_flag_following) {
    Application app;
    QString chosen;
    messages.ExpectNone([&] {
        app.Start();
        app.startScreen()->startButton->click();
    });
    MainWindow& window = *app.mainWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    app.measurementFiles()->setFileChooser([&](auto&&...) { return chosen; });
    const auto type = [&](QLineEdit* box, const QString& text) {
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, text);
        QTest::keyClick(box, Qt::Key_Return);
    };
    // A modal dialog filled in and confirmed by fill once its exec() runs.
    const auto inDialog = [&](QAction* action, auto fill) {
        QTimer::singleShot(0, [&] { fill(QApplication::activeModalWidget()); });
        messages.ExpectNone([&] { action->trigger(); });
    };

    // State: three points, two readings typed; the focus is in the empty reading box.
    messages.ExpectNone([&] {
        type(window.pointCountEdit, "3");
        window.setupButton->click();
        type(window.readingEdit, "100");
        window.storeReadingButton->click();
        type(window.readingEdit, "95");
        window.storeReadingButton->click();
    });
    ASSERT_TRUE(window.readingEdit->hasFocus());
    // Action: Ctrl+Z there, then Ctrl+Shift+Z. Expected: not swallowed by the box; the reading goes, comes
    // back.
    QTest::keyClick(window.readingEdit, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(app.record().reading[1], 0);
    EXPECT_EQ(window.readingList->count(), 1);
    EXPECT_EQ(window.redoAction->text(), "測定値の入力をやり直す");
    // The entry goes back to the position undone, so that the next reading fills it.
    EXPECT_EQ(window.pointNumberEdit->text() + window.offCentreEdit->text(), "21");
    QTest::keyClick(window.readingEdit, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(app.record().reading[1], 95);

    // State: converted, saved. Action: undo, redo. Expected: results gone, modified; then the saved state.
    messages.ExpectNone([&] {
        type(window.readingEdit, "85");
        window.storeReadingButton->click();
        window.finishEntryButton->click();
        window.convertButton->click();
    });
    chosen = tempDir.filePath("m");
    ASSERT_TRUE(app.measurementFiles()->save());
    ASSERT_TRUE(window.saveButton->isEnabled());
    window.undoAction->trigger();
    EXPECT_FALSE(window.saveButton->isEnabled() || window.graphButton->isEnabled());
    EXPECT_TRUE(app.measurementFiles()->modified());
    window.redoAction->trigger();
    EXPECT_FALSE(app.measurementFiles()->modified());
    // Action: a correction, the distance, the model; each undone once.
    messages.ExpectNone([&] {
        window.correctButton->click();
        type(window.pointNumberEdit, "2");
        type(window.readingEdit, "90");
        window.storeReadingButton->click();
    });
    EXPECT_EQ(window.undoAction->text(), "測定値の修正を元に戻す");
    window.undoAction->trigger();
    EXPECT_EQ(window.readingList->item(1)->text(), " (2)  1  :  95");
    type(window.distanceEdit, "65");
    EXPECT_EQ(window.undoAction->text(), "距離の変更を元に戻す");
    window.undoAction->trigger();
    EXPECT_EQ(window.distanceEdit->text(), "60");
    window.isotropicModelAction->trigger();
    window.undoAction->trigger();
    EXPECT_TRUE(window.compatibleModelAction->isChecked());
    // Action: the conditions, then the comment alone, then a spectrum, each in its dialog; each undone.
    inDialog(window.conditionsAction, [](QWidget* dialog) {
        dialog->findChild<QLineEdit*>("scannerEdit")->setText("CT-1");
        static_cast<ConditionsDialog*>(dialog)->okButton->click();
    });
    EXPECT_EQ(app.record().conditions.scanner, "CT-1");
    window.undoAction->trigger();
    EXPECT_EQ(app.record().conditions.scanner, "");
    inDialog(window.conditionsAction, [](QWidget* dialog) {
        static_cast<ConditionsDialog*>(dialog)->commentEdit->setText("Room 2");
        static_cast<ConditionsDialog*>(dialog)->okButton->click();
    });
    EXPECT_EQ(window.undoAction->text(), "コメントの変更を元に戻す");
    window.undoAction->trigger();
    EXPECT_EQ(app.record().comment, "Comment");
    chosen = tempDir.filePath("centre.spectrum");
    QFile spectrumFile(chosen);
    ASSERT_TRUE(spectrumFile.open(QIODevice::WriteOnly) &&
                spectrumFile.write("20, 1\n40, 6\n60, 9\n80, 6\n") > 0);
    spectrumFile.close();
    inDialog(window.spectrumAction, [](QWidget* dialog) {
        auto* spectrum = static_cast<SpectrumDialog*>(dialog);
        spectrum->browseButton->click();
        spectrum->centreAlEdit->setText("1.5");
        spectrum->okButton->click();
    });
    ASSERT_TRUE(app.record().spectrum);
    window.undoAction->trigger();
    EXPECT_FALSE(app.record().spectrum);

    // Action: 新しい測定. Expected: back at the saved state nothing is asked; nothing left to undo or redo.
    EXPECT_FALSE(app.measurementFiles()->modified());
    messages.ExpectNone([&] { window.newAction->trigger(); });
    EXPECT_FALSE(window.undoAction->isEnabled() || window.redoAction->isEnabled());
}

}  // namespace
}  // namespace tessaroven::testing
