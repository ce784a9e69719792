// The shared window-test fixture and its message-box guard.
#include "gui_fixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QLocale>
#include <QSettings>
#include <QStandardPaths>

#include <cstdlib>

namespace tessaroven::testing {

MessageBoxGuard::MessageBoxGuard() {
    // A modal box runs its own event loop, in which this timer keeps firing.
    m_timer.setInterval(10);
    QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] { Poll(); });
    m_timer.start();
}

MessageBoxGuard::~MessageBoxGuard() {
    m_timer.stop();
}

void MessageBoxGuard::Poll() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        if (box == nullptr || !box->isVisible()) {
            continue;
        }
        SeenMessageBox seen{box->windowTitle(), box->text(), box->icon(),
                            static_cast<int>(box->buttons().size()),
                            box->isModal() || QApplication::activeModalWidget() == box};
        if (!m_expecting) {
            ++m_unexpected;
            ADD_FAILURE() << "unexpected message box: \"" << seen.text.toStdString() << "\"";
        }
        m_seen.push_back(seen);
        if (QAbstractButton* answer = box->button(m_answer)) {
            answer->click();
        } else if (QAbstractButton* ok = box->button(QMessageBox::Ok)) {
            ok->click();
        } else {
            box->done(0);
        }
    }
}

std::vector<SeenMessageBox> MessageBoxGuard::Expect(const std::function<void()>& action, int count,
                                                    QMessageBox::StandardButton answer) {
    m_seen.clear();
    m_expecting = true;
    m_answer = answer;
    action();
    m_answer = QMessageBox::Ok;
    m_expecting = false;
    std::vector<SeenMessageBox> seen = std::move(m_seen);
    m_seen.clear();
    EXPECT_EQ(static_cast<int>(seen.size()), count) << "message boxes shown";
    return seen;
}

std::optional<SeenMessageBox> MessageBoxGuard::ExpectOne(const std::function<void()>& action,
                                                         QMessageBox::StandardButton answer) {
    std::vector<SeenMessageBox> seen = Expect(action, 1, answer);
    if (seen.empty()) {
        return std::nullopt;
    }
    return seen.front();
}

void MessageBoxGuard::ExpectNone(const std::function<void()>& action) {
    const int before = m_unexpected;
    action();
    EXPECT_EQ(m_unexpected, before) << "no message box expected";
}

GuiTest::GuiTest() {
    EXPECT_TRUE(tempDir.isValid());
    // Every test starts from the default settings (the test-mode settings file outlives the run).
    QSettings().clear();
}

void GuiTest::TearDown() {
    // Let deferred deletions and repaints finish inside the test that caused them.
    QCoreApplication::processEvents();
}

void PrepareGuiTestEnvironment() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QLocale::setDefault(QLocale::c());
    // Settings (recent files, last folder) go to a test location, never into the user's own.
    QStandardPaths::setTestModeEnabled(true);
}

}  // namespace tessaroven::testing
