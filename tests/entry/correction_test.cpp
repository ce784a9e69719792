// Main window: the correction cycle (correctButton, the correction branch of storeReadingButton) and
// finishEntryButton.
#include <gtest/gtest.h>

#include "main_window_fixture.h"

namespace tessaroven::testing {
namespace {

using CorrectionTest = MainWindowTest;

TEST_F(CorrectionTest, correction_rebuilds_the_list_in_point_order) {
    // State: five points entered. Action: correct point 3 to 90 from the keyboard.
    EnterWorkedExample();
    Click(form.correctButton);
    EXPECT_TRUE(record.correcting);
    EXPECT_EQ(Focus(), form.pointNumberEdit);
    for (const QLineEdit* box : {form.pointNumberEdit, form.offCentreEdit, form.readingEdit}) {
        EXPECT_TRUE(box->text().isEmpty());
    }
    QTest::keyClicks(form.pointNumberEdit, "3");
    PressEnter();
    EXPECT_EQ(form.offCentreEdit->text(), "2");
    EnterReading("90");

    // Expected: slot 2 and line 3 replaced, five lines in point order, fields keep the corrected point.
    EXPECT_EQ(record.reading[2], 90);
    EXPECT_EQ(record.readingLines[3], " (3)  2  :  90");
    EXPECT_EQ(Lines(form.readingList), QStringList({" (1)  0  :  100", " (2)  1  :  95", " (3)  2  :  90",
                                                    " (4)  3  :  70", " (5)  4  :  50"}));
    EXPECT_FALSE(record.correcting);
    EXPECT_EQ(Focus(), form.finishEntryButton);
    EXPECT_EQ(form.pointNumberEdit->text(), "3");
    EXPECT_EQ(form.offCentreEdit->text(), "2");
    EXPECT_EQ(form.readingEdit->text(), "90");
}

TEST_F(CorrectionTest, correction_beyond_the_last_point_is_stored_but_not_listed) {
    EnterWorkedExample();
    Correct("7", "12");
    EXPECT_EQ(record.reading[6], 12);
    EXPECT_EQ(record.readingLines[7], " (7)  6  :  12");
    EXPECT_EQ(form.readingList->count(), 5);
    EXPECT_EQ(form.readingList->item(4)->text(), " (5)  4  :  50");
}

TEST_F(CorrectionTest, correction_of_the_only_point_lists_it_once) {
    SetUpMeasurement("1");
    EnterReading("5");
    Correct("1", "6");
    EXPECT_EQ(record.reading[0], 6);
    EXPECT_EQ(Lines(form.readingList), QStringList({" (1)  0  :  6"}));
    EXPECT_FALSE(record.correcting);
}

TEST_F(CorrectionTest, rebuild_lists_all_31_points_in_order) {
    // 31 points, the most the setup accepts: the rebuilt list reaches point 31, the last line index.
    record.lastPosition = 30;
    record.readingLines[31] = "last";
    record.correcting = true;
    form.storeReadingButton->setEnabled(true);
    Replace(form.pointNumberEdit, "1");
    Replace(form.offCentreEdit, "0");
    TypeInto(form.readingEdit, "1");
    Click(form.storeReadingButton);
    // Points without a reading leave no empty line.
    ASSERT_EQ(form.readingList->count(), 2);
    EXPECT_EQ(form.readingList->item(1)->text(), "last");
}

TEST_F(CorrectionTest, empty_value_keeps_the_correction_pending) {
    EnterWorkedExample();
    Click(form.correctButton);
    QTest::keyClicks(form.pointNumberEdit, "2");
    PressEnter();
    const auto box = messages.ExpectOne([&] { Click(form.storeReadingButton); });
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text, " 測定値が未入力です");
    EXPECT_TRUE(record.correcting);
    EXPECT_EQ(form.readingList->count(), 5);
}

TEST_F(CorrectionTest, empty_off_centre_field_is_refused_and_keeps_the_centre_reading) {
    EnterWorkedExample();
    Click(form.correctButton);
    TypeInto(form.pointNumberEdit, "3");  // no Enter: offCentreEdit stays empty
    TypeInto(form.readingEdit, "77");
    ASSERT_TRUE(messages.ExpectOne([&] { Click(form.storeReadingButton); }));
    EXPECT_EQ(Focus(), form.offCentreEdit);
    EXPECT_EQ(record.reading[0], 100);
    EXPECT_EQ(record.readingLines[3], " (3)  2  :  85");
}

TEST_F(CorrectionTest, finish_entry_enables_conversion_even_while_a_correction_is_pending) {
    EnterWorkedExample();
    Click(form.correctButton);
    Click(form.finishEntryButton);
    EXPECT_TRUE(form.convertButton->isEnabled());
    EXPECT_EQ(Focus(), form.convertButton);
    EXPECT_TRUE(record.correcting);

    // The next confirmation is still a correction: the list is rebuilt, not extended.
    Replace(form.pointNumberEdit, "2");
    PressEnter();
    EnterReading("96");
    EXPECT_FALSE(record.correcting);
    EXPECT_EQ(form.readingList->count(), 5);
    EXPECT_EQ(form.readingList->item(1)->text(), " (2)  1  :  96");
}

TEST_F(CorrectionTest, confirming_again_after_a_correction_lists_once_and_runs_the_end_test) {
    EnterWorkedExample();
    Correct("3", "90");
    // Fields still show point 3 at 2 cm: stored once more, listed once, and the entry advances (2 < 4).
    Click(form.storeReadingButton);
    EXPECT_EQ(form.readingList->count(), 5);
    EXPECT_EQ(form.readingList->item(2)->text(), " (3)  2  :  90");
    EXPECT_EQ(form.pointNumberEdit->text(), "4");
    EXPECT_EQ(form.offCentreEdit->text(), "3");
    EXPECT_TRUE(form.readingEdit->text().isEmpty());

    // At the last position the same confirmation empties the fields instead.
    Correct("5", "40");
    Click(form.storeReadingButton);
    EXPECT_EQ(form.readingList->count(), 5);
    EXPECT_TRUE(form.pointNumberEdit->text().isEmpty());
    EXPECT_TRUE(form.offCentreEdit->text().isEmpty());
    EXPECT_EQ(Focus(), form.finishEntryButton);
}

}  // namespace
}  // namespace tessaroven::testing
