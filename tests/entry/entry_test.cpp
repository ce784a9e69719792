// Main window: load step, setup confirmation and reading confirmation, driven through the widgets.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QSignalSpy>
#include <QStatusBar>

#include <cmath>

#include "main_window_fixture.h"
#include "messages/outcome.h"
#include "support/record_compare.h"

namespace tessaroven::testing {
namespace {

using EntryTest = MainWindowTest;

TEST_F(EntryTest, load_step_empties_fields_and_disables_the_later_buttons) {
    EXPECT_EQ(form.distanceEdit->text(), "60");
    for (const QLineEdit* box :
         {form.pointCountEdit, form.pointNumberEdit, form.offCentreEdit, form.readingEdit}) {
        EXPECT_TRUE(box->text().isEmpty()) << box->objectName().toStdString();
    }
    for (const QPushButton* button : {form.storeReadingButton, form.convertButton, form.correctButton,
                                      form.finishEntryButton, form.saveButton, form.graphButton}) {
        EXPECT_FALSE(button->isEnabled()) << button->objectName().toStdString();
    }
    EXPECT_TRUE(form.setupButton->isEnabled());
    EXPECT_TRUE(form.exitButton->isEnabled());
    EXPECT_EQ(form.readingList->count(), 0);
    EXPECT_EQ(form.resultList->count(), 0);
}

TEST_F(EntryTest, five_points_are_stored_by_slot_and_listed_by_point_number) {
    // State: fresh window. Action: setup with 5 points and five readings from the keyboard.
    SetUpMeasurement("5");
    EXPECT_EQ(record.lastPosition, 4);
    EXPECT_TRUE(form.storeReadingButton->isEnabled());
    EXPECT_EQ(form.pointNumberEdit->text(), "1");
    EXPECT_EQ(form.offCentreEdit->text(), "0");
    EXPECT_TRUE(form.readingEdit->text().isEmpty());
    EXPECT_EQ(Focus(), form.readingEdit);

    EnterReading("100");
    EXPECT_EQ(form.pointNumberEdit->text(), "2");
    EXPECT_EQ(form.offCentreEdit->text(), "1");
    EXPECT_TRUE(form.readingEdit->text().isEmpty());
    EnterReadings({"95", "85", "70", "50"});

    // Expected: reading[0..4], readingLines[1..5], five list lines, fields empty, focus on finishEntryButton.
    const double readings[] = {100, 95, 85, 70, 50};
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(record.reading[k], readings[k]) << k;
    }
    EXPECT_TRUE(record.readingLines[0].empty());
    EXPECT_EQ(Lines(form.readingList), QStringList({" (1)  0  :  100", " (2)  1  :  95", " (3)  2  :  85",
                                                    " (4)  3  :  70", " (5)  4  :  50"}));
    for (int point = 1; point <= 5; ++point) {
        EXPECT_EQ(QString::fromStdString(record.readingLines[point]),
                  form.readingList->item(point - 1)->text());
    }
    for (const QLineEdit* box : {form.pointNumberEdit, form.offCentreEdit, form.readingEdit}) {
        EXPECT_TRUE(box->text().isEmpty());
    }
    EXPECT_TRUE(form.correctButton->isEnabled());
    EXPECT_TRUE(form.finishEntryButton->isEnabled());
    EXPECT_FALSE(form.convertButton->isEnabled());
    EXPECT_TRUE(form.storeReadingButton->isEnabled());
    EXPECT_EQ(Focus(), form.finishEntryButton);

    // storeReadingButton again with the now empty value only shows the message.
    const auto box = messages.ExpectOne([&] { Click(form.storeReadingButton); });
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text, " 測定値が未入力です");
    EXPECT_EQ(box->icon, QMessageBox::NoIcon);
    EXPECT_EQ(form.readingList->count(), 5);
}

struct SetupCase {
    const char* distance;
    const char* points;
    double pointCount;  // lastPosition afterwards
};

class SetupAcceptedTest : public MainWindowTest, public ::testing::WithParamInterface<SetupCase> {};

TEST_P(SetupAcceptedTest, point_count_is_points_minus_one) {
    Replace(form.distanceEdit, GetParam().distance);
    QTest::keyClicks(form.pointCountEdit, GetParam().points);
    messages.ExpectNone([&] { Click(form.setupButton); });
    EXPECT_EQ(record.lastPosition, GetParam().pointCount);
    EXPECT_TRUE(form.storeReadingButton->isEnabled());
    EXPECT_EQ(form.pointNumberEdit->text(), "1");
    EXPECT_EQ(form.offCentreEdit->text(), "0");
    EXPECT_EQ(Focus(), form.readingEdit);
}

INSTANTIATE_TEST_SUITE_P(Setup, SetupAcceptedTest,
                         ::testing::Values(SetupCase{"60", "5", 4}, SetupCase{"60", "30", 29},
                                           SetupCase{"60", "31", 30}, SetupCase{" 60.5 ", "1", 0}));

struct SetupRefusalCase {
    const char* distance;
    const char* points;
    Reason reason;
    QMessageBox::Icon icon;  // the exclamation mark only for the missing-input message
};

class SetupRefusedTest : public MainWindowTest, public ::testing::WithParamInterface<SetupRefusalCase> {};

TEST_P(SetupRefusedTest, shows_a_warning_and_changes_nothing) {
    record.lastPosition = 7;
    Replace(form.distanceEdit, GetParam().distance);
    QTest::keyClicks(form.pointCountEdit, GetParam().points);
    form.pointNumberEdit->setText("4");
    const auto box = messages.ExpectOne([&] { Click(form.setupButton); });
    ASSERT_TRUE(box);
    EXPECT_TRUE(IsMessageOf(GetParam().reason, box->text.toStdString())) << box->text.toStdString();
    EXPECT_EQ(box->icon, GetParam().icon);
    EXPECT_EQ(box->title, "Tessaroven");
    EXPECT_EQ(box->buttonCount, 1);
    EXPECT_EQ(record.lastPosition, 7);
    EXPECT_FALSE(form.storeReadingButton->isEnabled());
    EXPECT_EQ(form.pointNumberEdit->text(), "4");
}

INSTANTIATE_TEST_SUITE_P(
    Setup, SetupRefusedTest,
    ::testing::Values(SetupRefusalCase{"", "5", Reason::MissingSetup, QMessageBox::Warning},
                      SetupRefusalCase{"60", "", Reason::MissingSetup, QMessageBox::Warning},
                      SetupRefusalCase{"", "", Reason::MissingSetup, QMessageBox::Warning},
                      SetupRefusalCase{"60", "32", Reason::TooManyPositions, QMessageBox::NoIcon},
                      SetupRefusalCase{"60", "1e300", Reason::TooManyPositions, QMessageBox::NoIcon},
                      SetupRefusalCase{"60", "1e999", Reason::NumberOutOfRange, QMessageBox::NoIcon},
                      SetupRefusalCase{"60", "5.9", Reason::PointCountInvalid, QMessageBox::NoIcon},
                      SetupRefusalCase{"60", "0", Reason::PointCountInvalid, QMessageBox::NoIcon},
                      SetupRefusalCase{"60", " 2 5", Reason::PointCountInvalid, QMessageBox::NoIcon},
                      SetupRefusalCase{"abc", "1", Reason::NumberBoxInvalid, QMessageBox::NoIcon},
                      SetupRefusalCase{" ", "3", Reason::NumberBoxEmpty, QMessageBox::NoIcon}));

TEST_F(EntryTest, setup_again_restarts_the_fields_but_keeps_the_list) {
    SetUpMeasurement("3");
    EnterReading("10");
    Replace(form.pointCountEdit, "2");
    Click(form.setupButton);
    EXPECT_EQ(record.lastPosition, 1);
    EXPECT_EQ(form.pointNumberEdit->text(), "1");
    EXPECT_EQ(form.offCentreEdit->text(), "0");
    EXPECT_EQ(form.readingList->count(), 1);
    EXPECT_EQ(record.reading[0], 10);
}

struct TypedCase {
    const char* box;  // object name
    const char* typed;
    bool taken;
    double stored = 0;  // readingEdit: the centre's reading taken
};

class TypedNumberTest : public MainWindowTest, public ::testing::WithParamInterface<TypedCase> {};

TEST_P(TypedNumberTest, a_box_takes_one_complete_number_and_refuses_anything_else) {
    // State: five points set up. Action: the text pasted into the box, Enter (and in readingEdit, Enter on
    // storeReadingButton).
    SCOPED_TRACE(GetParam().typed);
    SetUpMeasurement("5");
    const MeasurementRecord before = record;
    auto* box = form.findChild<QLineEdit*>(GetParam().box);
    ASSERT_NE(box, nullptr);
    box->setFocus();
    box->clear();
    QApplication::clipboard()->setText(QString::fromUtf8(GetParam().typed));
    box->paste();
    const auto act = [&] {
        PressEnter();
        if (Focus() == form.storeReadingButton) {
            PressEnter();
        }
    };
    if (GetParam().taken) {
        messages.ExpectNone(act);
        EXPECT_EQ(Focus() == box, box == form.readingEdit);  // there: the next point's reading
        EXPECT_DOUBLE_EQ(record.reading[0], GetParam().stored);
        // A reading of 0 or less is kept, with a warning.
        EXPECT_EQ(form.statusBar()->currentMessage().isEmpty(), !(GetParam().stored < 0));
        return;
    }
    // Expected: a message, the box focused with its text selected, nothing stored.
    ASSERT_TRUE(messages.ExpectOne(act));
    EXPECT_EQ(Focus(), box);
    EXPECT_EQ(box->selectedText(), box->text());
    EXPECT_TRUE(SameRecord(record, before));
    EXPECT_EQ(form.readingList->count(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, TypedNumberTest,
    ::testing::Values(TypedCase{"distanceEdit", "60.5", true}, TypedCase{"distanceEdit", "６０", true},
                      TypedCase{"distanceEdit", "abc", false}, TypedCase{"distanceEdit", "60cm", false},
                      TypedCase{"distanceEdit", "60,5", false}, TypedCase{"distanceEdit", "1e999", false},
                      TypedCase{"pointCountEdit", "5", true}, TypedCase{"pointCountEdit", "３１", true},
                      TypedCase{"pointCountEdit", "abc", false}, TypedCase{"pointCountEdit", "-1", false},
                      TypedCase{"pointCountEdit", "0", false}, TypedCase{"pointCountEdit", "1.5", false},
                      TypedCase{"pointCountEdit", "32", false}, TypedCase{"pointNumberEdit", "－３", true},
                      TypedCase{"pointNumberEdit", "2x", false}, TypedCase{"pointNumberEdit", "", false},
                      TypedCase{"readingEdit", "95.50", true, 95.5},
                      TypedCase{"readingEdit", "１２．５", true, 12.5},
                      TypedCase{"readingEdit", "-0.125", true, -0.125},
                      TypedCase{"readingEdit", "100.2；100.0", true, 100.1},
                      TypedCase{"readingEdit", " 99 ; 101 ", true, 100},
                      TypedCase{"readingEdit", "abc", false}, TypedCase{"readingEdit", "😀", false},
                      TypedCase{"readingEdit", "12abc", false}, TypedCase{"readingEdit", "100,5", false},
                      TypedCase{"readingEdit", "1 5", false}, TypedCase{"readingEdit", "2.5E2x", false},
                      TypedCase{"readingEdit", "100.2;", false}, TypedCase{"readingEdit", "   ", false},
                      TypedCase{"readingEdit", "100.0\n99.8\n98.1\n",
                                false}));  // a column from a spreadsheet

TEST_F(EntryTest, hand_typed_point_and_offset_choose_line_index_and_slot) {
    SetUpMeasurement("5");
    // Point 2.5 (half to even: line 2) at 3.6 cm (slot 3).
    Replace(form.pointNumberEdit, "2.5");
    Replace(form.offCentreEdit, "3.6");
    TypeInto(form.readingEdit, "7");
    Click(form.storeReadingButton);
    EXPECT_EQ(record.reading[3], 7);
    EXPECT_EQ(record.readingLines[2], " (2.5)  3  :  7");
    EXPECT_EQ(form.pointNumberEdit->text(), "3.5");
    EXPECT_EQ(form.offCentreEdit->text(), "4.6");  // 3.6 < 4: not the last position yet

    // 3.5 rounds to line 4; 4.6 >= lastPosition 4 ends the entry.
    TypeInto(form.readingEdit, "8");
    Click(form.storeReadingButton);
    EXPECT_EQ(record.reading[4], 8);
    EXPECT_EQ(record.readingLines[4], " (3.5)  4  :  8");
    EXPECT_TRUE(form.pointNumberEdit->text().isEmpty());
    EXPECT_TRUE(form.finishEntryButton->isEnabled());
    EXPECT_EQ(Lines(form.readingList), QStringList({" (2.5)  3  :  7", " (3.5)  4  :  8"}));
}

TEST_F(EntryTest, one_point_ends_the_entry_at_the_first_confirmation) {
    SetUpMeasurement("1");
    EXPECT_EQ(record.lastPosition, 0);
    EnterReading("42");
    EXPECT_EQ(record.reading[0], 42);
    EXPECT_TRUE(form.correctButton->isEnabled());
    EXPECT_EQ(Focus(), form.finishEntryButton);
}

TEST_F(EntryTest, enter_in_point_number_derives_the_off_centre_distance) {
    SetUpMeasurement("5");
    Replace(form.pointNumberEdit, "0");
    PressEnter();
    EXPECT_EQ(form.offCentreEdit->text(), "-1");
    EXPECT_EQ(Focus(), form.readingEdit);

    Replace(form.pointNumberEdit, "99");
    PressEnter();
    EXPECT_EQ(form.offCentreEdit->text(), "98");

    Replace(form.pointNumberEdit, "1e300");
    PressEnter();
    EXPECT_EQ(form.offCentreEdit->text(), "1E+300");
}

TEST_F(EntryTest, point_number_beyond_double_range_is_refused_at_enter) {
    SetUpMeasurement("5");
    Replace(form.pointNumberEdit, "1e999");
    const auto box = messages.ExpectOne([&] { PressEnter(); });
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text.toStdString(), Message(Reason::NumberOutOfRange));
    EXPECT_EQ(form.offCentreEdit->text(), "0");
    EXPECT_EQ(Focus(), form.pointNumberEdit);
}

TEST_F(EntryTest, typing_a_point_number_without_enter_keeps_the_old_slot) {
    SetUpMeasurement("5");
    Replace(form.pointNumberEdit, "4");  // left with the mouse, not Enter
    TypeInto(form.readingEdit, "33");
    Click(form.storeReadingButton);
    EXPECT_EQ(record.reading[0], 33);
    EXPECT_EQ(record.readingLines[4], " (4)  0  :  33");
}

struct ConfirmationRefusalCase {
    const char* point;
    const char* offCentre;
    const char* value;
    Reason reason;
};

class ConfirmationRefusedTest : public MainWindowTest,
                                public ::testing::WithParamInterface<ConfirmationRefusalCase> {};

TEST_P(ConfirmationRefusedTest, shows_a_message_and_changes_nothing) {
    SetUpMeasurement("5");
    EnterReading("100");
    const MeasurementRecord before = record;
    Replace(form.pointNumberEdit, GetParam().point);
    Replace(form.offCentreEdit, GetParam().offCentre);
    Replace(form.readingEdit, GetParam().value);

    const auto box = messages.ExpectOne([&] { Click(form.storeReadingButton); });
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text.toStdString(), Message(GetParam().reason));
    EXPECT_EQ(box->title, "Tessaroven");
    EXPECT_EQ(box->buttonCount, 1);
    EXPECT_TRUE(box->modal);
    EXPECT_EQ(record.reading, before.reading);
    EXPECT_EQ(record.readingLines, before.readingLines);
    EXPECT_EQ(record.correcting, before.correcting);
    EXPECT_EQ(Lines(form.readingList), QStringList({" (1)  0  :  100"}));
    EXPECT_EQ(form.pointNumberEdit->text(), GetParam().point);
    EXPECT_EQ(form.offCentreEdit->text(), GetParam().offCentre);
    EXPECT_EQ(form.readingEdit->text(), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Confirmation, ConfirmationRefusedTest,
    ::testing::Values(ConfirmationRefusalCase{"2", "1", "", Reason::MissingReading},
                      ConfirmationRefusalCase{"32", "31", "5", Reason::PositionOutOfRange},
                      ConfirmationRefusalCase{"2", "-0.5", "5", Reason::PositionOutOfRange},
                      ConfirmationRefusalCase{"2", "1e300", "5", Reason::PositionOutOfRange},
                      ConfirmationRefusalCase{"32", "30", "5", Reason::PointNumberOutOfRange},
                      ConfirmationRefusalCase{"31.6", "29", "5", Reason::PointNumberOutOfRange},
                      ConfirmationRefusalCase{"-0.6", "0", "5", Reason::PointNumberOutOfRange},
                      ConfirmationRefusalCase{"2", "1", "1e999", Reason::NumberOutOfRange},
                      ConfirmationRefusalCase{"2", "-1e999", "5", Reason::NumberOutOfRange},
                      ConfirmationRefusalCase{"1e400", "1", "5", Reason::NumberOutOfRange}));

TEST_F(EntryTest, refusal_icons_warn_except_for_the_missing_value) {
    SetUpMeasurement("5");
    const auto missing = messages.ExpectOne([&] { Click(form.storeReadingButton); });
    ASSERT_TRUE(missing);
    EXPECT_EQ(missing->icon, QMessageBox::NoIcon);
    Replace(form.offCentreEdit, "40");
    TypeInto(form.readingEdit, "1");
    const auto outside = messages.ExpectOne([&] { Click(form.storeReadingButton); });
    ASSERT_TRUE(outside);
    EXPECT_EQ(outside->icon, QMessageBox::NoIcon);
}

TEST_F(EntryTest, indices_at_the_edges_of_the_arrays_are_accepted) {
    SetUpMeasurement("30");
    Replace(form.pointNumberEdit, "30.5");  // half to even: line 30
    Replace(form.offCentreEdit, "30.99");
    TypeInto(form.readingEdit, "5");
    messages.ExpectNone([&] { Click(form.storeReadingButton); });
    EXPECT_EQ(record.reading[30], 5);
    EXPECT_EQ(record.readingLines[30], " (30.5)  30  :  5");

    Replace(form.pointNumberEdit, "-0.5");  // half to even: line 0
    Replace(form.offCentreEdit, "0");
    TypeInto(form.readingEdit, "6");
    messages.ExpectNone([&] { Click(form.storeReadingButton); });
    EXPECT_EQ(record.readingLines[0], " (-0.5)  0  :  6");
}

TEST_F(EntryTest, exit_save_and_graph_buttons_are_announced) {
    QSignalSpy exit(&handlers, &MainWindowHandlers::exitRequested);
    QSignalSpy save(&handlers, &MainWindowHandlers::saveRequested);
    QSignalSpy graph(&handlers, &MainWindowHandlers::graphRequested);
    Click(form.exitButton);
    form.saveButton->setEnabled(true);
    form.graphButton->setEnabled(true);
    Click(form.saveButton);
    Click(form.graphButton);
    EXPECT_EQ(exit.count(), 1);
    EXPECT_EQ(save.count(), 1);
    EXPECT_EQ(graph.count(), 1);
}

TEST_F(EntryTest, full_width_digits_read_as_their_ascii_forms_in_every_number_box) {
    // Pasted (or typed through an input method): distance ６０, ５ points, reading １２．５, point No. －３.
    form.distanceEdit->setText(QStringLiteral("６０"));
    form.pointCountEdit->setText(QStringLiteral("５"));
    Click(form.setupButton);
    EXPECT_EQ(record.lastPosition, 4);
    form.readingEdit->setText(QStringLiteral("１２．５"));
    Click(form.storeReadingButton);
    EXPECT_EQ(record.reading[0], 12.5);
    form.pointNumberEdit->setText(QStringLiteral("－３"));
    form.pointNumberEdit->setFocus();
    PressEnter();
    EXPECT_EQ(form.offCentreEdit->text(), "-4");
    EXPECT_FALSE(form.readingEdit->testAttribute(Qt::WA_InputMethodEnabled));
}

}  // namespace
}  // namespace tessaroven::testing
