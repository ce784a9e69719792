// The program's message box: modal, one OK button, the application title as caption.
#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

namespace tessaroven {

inline constexpr const char* kApplicationTitle = "Tessaroven";

// Shows text and waits for OK. QMessageBox::Warning is the exclamation icon; NoIcon shows none.
void ShowMessage(QWidget* owner, const QString& text, QMessageBox::Icon icon = QMessageBox::NoIcon);

}  // namespace tessaroven
