// Message boxes answered from the test, and the program's message texts.
#include "message_boxes.h"

#include <QAbstractButton>
#include <QApplication>
#include <QWidget>

#include "calc/outcome.h"
#include "entry/main_window_handlers.h"
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
    if (QAbstractButton* ok = box->button(QMessageBox::Ok)) {
        ok->click();
    } else {
        box->reject();
    }
}

bool IsProgramMessage(const QString& text) {
    static const QStringList fixed = [] {
        QStringList texts;
        for (const char* message :
             {kMissingSetupMessage, kMissingReadingMessage, kTooManyPointsMessage, kSlotOutOfRangeMessage,
              kPointNumberOutOfRangeMessage, kEmptyEntriesMessage, kSavedMessage,
              "ファイル名に使えない文字 (NUL) があります。",
              "コメントに改行は使えません。1 行で入力してください。"}) {
            texts << QString::fromUtf8(message);
        }
        for (RefusalReason reason :
             {RefusalReason::DistanceNotANumber, RefusalReason::DistanceTooShort,
              RefusalReason::NumberOutOfRange, RefusalReason::TooManyPositions, RefusalReason::ZeroPivot,
              RefusalReason::ZeroCentreValue, RefusalReason::NonFiniteResult, RefusalReason::NonFiniteValue,
              RefusalReason::InvalidText}) {
            texts << QString::fromStdString(RefusalMessage(reason));
        }
        return texts;
    }();
    if (fixed.contains(text)) {
        return true;
    }
    const QString writeFailed = QString::fromStdString(RefusalMessage(RefusalReason::FileWriteFailed)) +
                                QStringLiteral("\nファイル: ");
    if (text.startsWith(writeFailed) && text.contains(QStringLiteral("\n理由: "))) {
        return true;
    }
    return text.startsWith(QStringLiteral("コメントに、保存ファイル (Shift-JIS) で使えない文字 ")) &&
           text.endsWith(QStringLiteral(" があります。この文字を使わずに入力してください。"));
}

}  // namespace tessaroven::robustness
