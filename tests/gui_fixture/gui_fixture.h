// Shared fixture for window tests: offscreen platform, a fresh MeasurementRecord and a temporary folder per
// test, and a guard that answers message boxes so that no test ever waits on a modal window.
//
//   TEST_F(MyGuiTest, refuses_empty_value) {
//       const auto box = messages.ExpectOne([&] { QTest::mouseClick(form.storeReadingButton, Qt::LeftButton);
//       }); ASSERT_TRUE(box); EXPECT_EQ(box->text, " 測定値が未入力です");
//   }
//
// A box that opens outside Expect/ExpectOne is answered with OK as well, and fails the test.
#pragma once

#include <gtest/gtest.h>

#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <optional>
#include <vector>

#include "measurement/measurement_record.h"

namespace tessaroven::testing {

struct SeenMessageBox {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttonCount = 0;
    bool modal = false;
};

class MessageBoxGuard {
public:
    MessageBoxGuard();
    ~MessageBoxGuard();
    MessageBoxGuard(const MessageBoxGuard&) = delete;
    MessageBoxGuard& operator=(const MessageBoxGuard&) = delete;

    // Runs action and answers every box that opens meanwhile with OK; fails the test unless exactly count
    // boxes opened. Returns what they showed, in order.
    std::vector<SeenMessageBox> Expect(const std::function<void()>& action, int count,
                                       QMessageBox::StandardButton answer = QMessageBox::Ok);
    // The same for one box, answered with the given button (OK when the box has no such button); nullopt
    // (and a failure) when none opened.
    std::optional<SeenMessageBox> ExpectOne(const std::function<void()>& action,
                                            QMessageBox::StandardButton answer = QMessageBox::Ok);
    // Runs action and fails the test if any box opened.
    void ExpectNone(const std::function<void()>& action);

    int unexpectedCount() const { return m_unexpected; }

private:
    void Poll();

    QTimer m_timer;
    bool m_expecting = false;
    QMessageBox::StandardButton m_answer = QMessageBox::Ok;
    std::vector<SeenMessageBox> m_seen;
    int m_unexpected = 0;
};

class GuiTest : public ::testing::Test {
protected:
    GuiTest();
    void TearDown() override;

    MeasurementRecord record;  // fresh for every test
    QTemporaryDir tempDir;     // removed after the test
    MessageBoxGuard messages;
};

// Pins what the window tests rely on: the offscreen platform (unless one is chosen), "." as decimal separator
// (QLocale default C). Call before creating the QApplication.
void PrepareGuiTestEnvironment();

}  // namespace tessaroven::testing
