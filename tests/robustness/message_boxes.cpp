// Message boxes answered from the test, and the program's message texts.
#include "message_boxes.h"

#include <QAbstractButton>
#include <QApplication>
#include <QWidget>

#include "entry/main_window_handlers.h"
#include "messages/outcome.h"
#include "ui/save_dialog_handlers.h"

namespace tessaroven::robustness {

MessageBoxAnswerer::MessageBoxAnswerer() {
    m_timer.setInterval(0);
    QObject::connect(&m_timer, &QTimer::timeout, this, &MessageBoxAnswerer::AnswerModal);
}

void MessageBoxAnswerer::Start() {
    m_timer.start();
}

void MessageBoxAnswerer::Stop() {
    m_timer.stop();
}

std::vector<SeenMessage> MessageBoxAnswerer::Take() {
    std::vector<SeenMessage> seen;
    seen.swap(m_seen);
    return seen;
}

void MessageBoxAnswerer::AnswerModal() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr) {
        return;
    }
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (box == nullptr) {
        m_seen.push_back({modal->windowTitle(), QMessageBox::NoIcon, modal->windowTitle(), false});
        modal->close();
        return;
    }
    m_seen.push_back({box->text(), box->icon(), box->windowTitle(), true});
    // A question to replace a file is agreed to; one about unsaved readings is cancelled.
    if (QAbstractButton* ok = box->button(QMessageBox::Ok)) {
        ok->click();
    } else if (QAbstractButton* yes = box->button(QMessageBox::Yes)) {
        yes->click();
    } else {
        box->reject();
    }
}

bool IsProgramMessage(const QString& text) {
    const std::string utf8 = text.toStdString();
    for (const CatalogueEntry& entry : MessageCatalogue()) {
        if (IsMessageOf(entry.reason, utf8)) {
            return true;
        }
    }
    return false;
}

}  // namespace tessaroven::robustness
