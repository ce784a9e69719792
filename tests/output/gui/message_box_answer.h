// Answers the program's message boxes from the test, so that no test ever waits on a modal window.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QString>
#include <QTimer>

#include <functional>
#include <vector>

namespace tessaroven::testing {

struct AnsweredMessage {
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString caption;
    int buttonCount = 0;
};

// Runs action and answers every message box that opens meanwhile with its OK button, recording what it said.
// A test that expects no message checks that the result is empty; one that expects a message checks the one
// recorded. Either way an unexpected box is closed instead of blocking the test.
inline std::vector<AnsweredMessage> AnswerMessageBoxes(const std::function<void()>& action) {
    std::vector<AnsweredMessage> answered;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, &poll, [&answered] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible()) {
            return;
        }
        answered.push_back({box->text(), box->icon(), box->windowTitle(), static_cast<int>(box->buttons().size())});
        if (QAbstractButton* ok = box->button(QMessageBox::Ok)) {
            ok->click();
        } else {
            box->reject();
        }
    });
    poll.start();
    action();
    poll.stop();
    return answered;
}

}  // namespace tessaroven::testing
