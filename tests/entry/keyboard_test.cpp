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
        form.Text1->setFocus();
        PressEnter(modifier);
        EXPECT_EQ(Focus(), form.Text29);
        PressEnter(modifier);
        EXPECT_EQ(Focus(), form.Command2);
    }
    // The keypad's Enter key counts as Enter too.
    form.Text1->setFocus();
    QTest::keyClick(form.Text1, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(Focus(), form.Text29);
}

TEST_F(KeyboardTest, enter_leaves_the_field_texts_alone_and_other_keys_reach_the_field) {
    form.Text1->setFocus();
    QTest::keyClicks(form.Text1, "5");
    PressEnter();
    EXPECT_EQ(form.Text1->text(), "605");
    // Text30 has no Enter handling: the focus stays.
    form.Text30->setFocus();
    PressEnter();
    EXPECT_EQ(Focus(), form.Text30);
}

TEST_F(KeyboardTest, space_on_a_focused_button_presses_it) {
    QTest::keyClicks(form.Text29, "2");
    form.Command2->setFocus();
    QTest::keyClick(form.Command2, Qt::Key_Space);
    EXPECT_EQ(record.PointCount, 1);
    EXPECT_EQ(Focus(), form.Text31);
}

TEST_F(KeyboardTest, tab_visits_the_enabled_controls_in_table_order) {
    const auto visit = [&] {
        QStringList names;
        form.Text1->setFocus();
        for (int i = 0; i < 16; ++i) {
            names << Focus()->objectName();
            QTest::keyClick(Focus(), Qt::Key_Tab);
        }
        return names;
    };
    // After the load step Command4, 5, 1, 6, 7 and 8 are disabled and skipped.
    EXPECT_EQ(visit(),
              QStringList({"Text1", "Command3", "Text29", "Command2", "Text30", "Text31", "List1", "List2",
                           "Text2", "Text1", "Command3", "Text29", "Command2", "Text30", "Text31", "List1"}));
    for (QPushButton* button :
         {form.Command4, form.Command5, form.Command1, form.Command6, form.Command7, form.Command8}) {
        button->setEnabled(true);
    }
    EXPECT_EQ(visit(), QStringList({"Text1", "Command3", "Text29", "Command2", "Text30", "Text31", "Command4",
                                    "List1", "Command5", "List2", "Text2", "Command1", "Command6", "Command7",
                                    "Command8", "Text1"}));
}

}  // namespace
}  // namespace tessaroven::testing
