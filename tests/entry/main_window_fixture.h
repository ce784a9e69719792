// A main window with its handlers on the fixture's record, shown offscreen, and the user's gestures:
// typing into a field, Enter on the focused control, clicks.
#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStringList>
#include <QTest>

#include "entry/main_window_handlers.h"
#include "gui_fixture.h"
#include "ui/main_window.h"

namespace tessaroven::testing {

class MainWindowTest : public GuiTest {
protected:
    MainWindowTest() : handlers(form, record) {}

    void SetUp() override {
        ResetMeasurement(record);
        handlers.load();
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        form.distanceEdit->setFocus();
    }

    // The control that has the keyboard focus inside the main window.
    QWidget* Focus() const { return form.focusWidget(); }

    // Types text into whatever has the focus (checks that it is the expected box first).
    void TypeInto(QLineEdit* box, const QString& text) {
        box->setFocus();
        QTest::keyClicks(box, text);
    }
    void Replace(QLineEdit* box, const QString& text) {
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClicks(box, text);
    }

    // Enter on the focused control, as the keyboard-only operator presses it.
    void PressEnter(Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* target = Focus();
        ASSERT_NE(target, nullptr);
        QTest::keyClick(target, Qt::Key_Return, modifiers);
    }

    void Click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

    // Distance kept at "60" unless given; number of points typed; setup confirmed with Enter on setupButton.
    void SetUpMeasurement(const QString& points) {
        form.distanceEdit->setFocus();
        PressEnter();
        ASSERT_EQ(Focus(), form.pointCountEdit);
        QTest::keyClicks(form.pointCountEdit, points);
        PressEnter();
        ASSERT_EQ(Focus(), form.setupButton);
        PressEnter();
    }

    // One reading typed into readingEdit and confirmed from the keyboard: Enter, Enter on storeReadingButton.
    void EnterReading(const QString& value) {
        ASSERT_EQ(Focus(), form.readingEdit);
        QTest::keyClicks(form.readingEdit, value);
        PressEnter();
        ASSERT_EQ(Focus(), form.storeReadingButton);
        PressEnter();
    }

    void EnterReadings(const QStringList& values) {
        for (const QString& value : values) {
            EnterReading(value);
        }
    }

    // Correction of one point: correctButton, point number + Enter, value + Enter, Enter on
    // storeReadingButton.
    void Correct(const QString& point, const QString& value) {
        Click(form.correctButton);
        ASSERT_EQ(Focus(), form.pointNumberEdit);
        QTest::keyClicks(form.pointNumberEdit, point);
        PressEnter();
        EnterReading(value);
    }

    static QStringList Lines(const QListWidget* list) {
        QStringList lines;
        for (int i = 0; i < list->count(); ++i) {
            lines << list->item(i)->text();
        }
        return lines;
    }

    // The worked example: distance 60, five points, readings 100 95 85 70 50.
    void EnterWorkedExample() {
        SetUpMeasurement("5");
        EnterReadings({"100", "95", "85", "70", "50"});
    }

    MainWindow form;
    MainWindowHandlers handlers;
};

}  // namespace tessaroven::testing
