// Main window from the keyboard alone: Enter in the fields, Enter and Space on buttons, the Tab order.
#include <gtest/gtest.h>

#include "main_window_fixture.h"

namespace tessaroven::testing {
namespace {

using KeyboardTest = MainWindowTest;

TEST_F(KeyboardTest, enter_moves_on_whatever_the_modifiers) {
    const Qt::KeyboardModifiers modifiers[] = {Qt::NoModifier, Qt::ShiftModifier, Qt::ControlModifier,
                                               Qt::AltModifier};
    for (const Qt::KeyboardModifiers modifier : modifiers) {
        form.distanceEdit->setFocus();
        PressEnter(modifier);
        EXPECT_EQ(Focus(), form.pointCountEdit);
        PressEnter(modifier);
        EXPECT_EQ(Focus(), form.setupButton);
    }
    // The keypad's Enter key counts as Enter too.
    form.distanceEdit->setFocus();
    QTest::keyClick(form.distanceEdit, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(Focus(), form.pointCountEdit);
}

TEST_F(KeyboardTest, enter_leaves_the_field_texts_alone_and_other_keys_reach_the_field) {
    form.distanceEdit->setFocus();
    QTest::keyClicks(form.distanceEdit, "5");
    PressEnter();
    EXPECT_EQ(form.distanceEdit->text(), "605");
    // offCentreEdit has no Enter handling: the focus stays.
    form.offCentreEdit->setFocus();
    PressEnter();
    EXPECT_EQ(Focus(), form.offCentreEdit);
}

TEST_F(KeyboardTest, space_on_a_focused_button_presses_it) {
    QTest::keyClicks(form.pointCountEdit, "2");
    form.setupButton->setFocus();
    QTest::keyClick(form.setupButton, Qt::Key_Space);
    EXPECT_EQ(record.lastPosition, 1);
    EXPECT_EQ(Focus(), form.readingEdit);
}

TEST_F(KeyboardTest, tab_visits_the_enabled_controls_in_table_order) {
    const auto visit = [&] {
        QStringList names;
        form.distanceEdit->setFocus();
        for (int i = 0; i < 16; ++i) {
            names << Focus()->objectName();
            QTest::keyClick(Focus(), Qt::Key_Tab);
        }
        return names;
    };
    // After the load step storeReadingButton, 5, 1, 6, 7 and 8 are disabled and skipped.
    EXPECT_EQ(visit(), QStringList({"distanceEdit", "exitButton", "pointCountEdit", "setupButton",
                                    "offCentreEdit", "readingEdit", "readingList", "resultList",
                                    "pointNumberEdit", "distanceEdit", "exitButton", "pointCountEdit",
                                    "setupButton", "offCentreEdit", "readingEdit", "readingList"}));
    for (QPushButton* button : {form.storeReadingButton, form.convertButton, form.correctButton,
                                form.finishEntryButton, form.saveButton, form.graphButton}) {
        button->setEnabled(true);
    }
    EXPECT_EQ(visit(), QStringList({"distanceEdit", "exitButton", "pointCountEdit", "setupButton",
                                    "offCentreEdit", "readingEdit", "storeReadingButton", "readingList",
                                    "convertButton", "resultList", "pointNumberEdit", "correctButton",
                                    "finishEntryButton", "saveButton", "graphButton", "distanceEdit"}));
}

}  // namespace
}  // namespace tessaroven::testing
