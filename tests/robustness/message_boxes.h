// Answering the program's message boxes from a test: every modal window that appears while a gesture runs is
// recorded (text, icon, caption) and answered with OK, so no test can hang on one; and the set of texts the
// program may show, to tell its own messages from anything unexpected.
#pragma once

#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QTimer>
#include <vector>

namespace tessaroven::robustness {

struct SeenMessage {
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString caption;
    bool isMessageBox = true;  // false: some other modal window appeared (closed, and a failure)
};

// While started, looks for a modal window at every turn of the event loop (the message box's own loop
// included) and answers it.
class MessageBoxAnswerer : public QObject {
public:
    MessageBoxAnswerer();
    void Start();
    void Stop();
    // What was answered since the last call.
    std::vector<SeenMessage> Take();

private:
    void AnswerModal();

    QTimer m_timer;
    std::vector<SeenMessage> m_seen;
};

// Whether text is one of the program's own messages: an entry of the catalogue, its details filled in.
bool IsProgramMessage(const QString& text);

// The caption every message box carries.
inline constexpr const char* kMessageCaption = "Tessaroven";

}  // namespace tessaroven::robustness
