// Main window: the correction cycle (Command1, the correction branch of Command4) and Command6.
#include <gtest/gtest.h>

#include "main_window_fixture.h"

namespace tessaroven::testing {
namespace {

using CorrectionTest = MainWindowTest;

TEST_F(CorrectionTest, correction_rebuilds_the_list_in_point_order) {
    // State: five points entered. Action: correct point 3 to 90 from the keyboard.
    EnterWorkedExample();
    Click(form.Command1);
    EXPECT_EQ(record.EditMode, 1);
    EXPECT_EQ(Focus(), form.Text2);
    for (const QLineEdit* box : {form.Text2, form.Text30, form.Text31}) {
        EXPECT_TRUE(box->text().isEmpty());
    }
    QTest::keyClicks(form.Text2, "3");
    PressEnter();
    EXPECT_EQ(form.Text30->text(), "2");
    EnterReading("90");

    // Expected: slot 2 and line 3 replaced, five lines in point order, fields keep the corrected point.
    EXPECT_EQ(record.Reading[2], 90);
    EXPECT_EQ(record.EntryLine[3], " (3)  2  :  90");
    EXPECT_EQ(Lines(form.List1), QStringList({" (1)  0  :  100", " (2)  1  :  95", " (3)  2  :  90",
                                              " (4)  3  :  70", " (5)  4  :  50"}));
    EXPECT_EQ(record.EditMode, 0);
    EXPECT_EQ(Focus(), form.Command6);
    EXPECT_EQ(form.Text2->text(), "3");
    EXPECT_EQ(form.Text30->text(), "2");
    EXPECT_EQ(form.Text31->text(), "90");
}

TEST_F(CorrectionTest, correction_beyond_the_last_point_is_stored_but_not_listed) {
    EnterWorkedExample();
    Correct("7", "12");
    EXPECT_EQ(record.Reading[6], 12);
    EXPECT_EQ(record.EntryLine[7], " (7)  6  :  12");
    EXPECT_EQ(form.List1->count(), 5);
    EXPECT_EQ(form.List1->item(4)->text(), " (5)  4  :  50");
}

TEST_F(CorrectionTest, correction_with_no_points_leaves_the_list_empty) {
    SetUpMeasurement("0");
    EnterReading("5");
    Correct("1", "6");
    EXPECT_EQ(record.Reading[0], 6);
    EXPECT_EQ(form.List1->count(), 0);
    EXPECT_EQ(record.EditMode, 0);
}

TEST_F(CorrectionTest, rebuild_stops_at_the_last_line_index) {
    // PointCount 30 cannot come from the setup (refused); the walk must still stay inside the array.
    record.PointCount = 30;
    record.EntryLine[30] = "last";
    record.EditMode = 1;
    form.Command4->setEnabled(true);
    Replace(form.Text2, "1");
    Replace(form.Text30, "0");
    TypeInto(form.Text31, "1");
    Click(form.Command4);
    ASSERT_EQ(form.List1->count(), 30);
    EXPECT_EQ(form.List1->item(29)->text(), "last");
}

TEST_F(CorrectionTest, empty_value_keeps_the_correction_pending) {
    EnterWorkedExample();
    Click(form.Command1);
    QTest::keyClicks(form.Text2, "2");
    PressEnter();
    const auto box = messages.ExpectOne([&] { Click(form.Command4); });
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text, " 測定値が未入力です");
    EXPECT_EQ(record.EditMode, 1);
    EXPECT_EQ(form.List1->count(), 5);
}

TEST_F(CorrectionTest, empty_off_centre_field_stores_into_slot_zero) {
    EnterWorkedExample();
    Click(form.Command1);
    TypeInto(form.Text2, "3");  // no Enter: Text30 stays empty
    TypeInto(form.Text31, "77");
    Click(form.Command4);
    EXPECT_EQ(record.Reading[0], 77);
    EXPECT_EQ(record.EntryLine[3], " (3)  0  :  77");
}

TEST_F(CorrectionTest, command6_enables_conversion_even_while_a_correction_is_pending) {
    EnterWorkedExample();
    Click(form.Command1);
    Click(form.Command6);
    EXPECT_TRUE(form.Command5->isEnabled());
    EXPECT_EQ(Focus(), form.Command5);
    EXPECT_EQ(record.EditMode, 1);

    // The next confirmation is still a correction: the list is rebuilt, not extended.
    Replace(form.Text2, "2");
    PressEnter();
    EnterReading("96");
    EXPECT_EQ(record.EditMode, 0);
    EXPECT_EQ(form.List1->count(), 5);
    EXPECT_EQ(form.List1->item(1)->text(), " (2)  1  :  96");
}

TEST_F(CorrectionTest, confirming_again_after_a_correction_appends_and_runs_the_end_test) {
    EnterWorkedExample();
    Correct("3", "90");
    // Fields still show point 3 at 2 cm: stored once more, appended, and the entry advances (2 < 4).
    Click(form.Command4);
    EXPECT_EQ(form.List1->count(), 6);
    EXPECT_EQ(form.List1->item(5)->text(), " (3)  2  :  90");
    EXPECT_EQ(form.Text2->text(), "4");
    EXPECT_EQ(form.Text30->text(), "3");
    EXPECT_TRUE(form.Text31->text().isEmpty());

    // At the last position the same confirmation empties the fields instead.
    Correct("5", "40");
    Click(form.Command4);
    EXPECT_EQ(form.List1->count(), 6);
    EXPECT_TRUE(form.Text2->text().isEmpty());
    EXPECT_TRUE(form.Text30->text().isEmpty());
    EXPECT_EQ(Focus(), form.Command6);
}

}  // namespace
}  // namespace tessaroven::testing
