// The program's message box: modal, one OK button, the application title as caption.
#pragma once

#include <QMessageBox>
#include <QString>

#include <initializer_list>
#include <string_view>

#include "messages/catalogue.h"

class QWidget;

namespace tessaroven {

inline constexpr const char* kApplicationTitle = "Tessaroven";

// Shows text and waits for OK. QMessageBox::Warning is the exclamation icon; NoIcon shows none.
// The catalogue's text for reason with its details, as a QString.
QString CatalogueText(Reason reason, std::initializer_list<std::string_view> details = {});

void ShowMessage(QWidget* owner, const QString& text, QMessageBox::Icon icon = QMessageBox::NoIcon);

// True when nothing is at path, or the user agrees to replace what is there (the answer defaults to No).
bool MayReplace(QWidget* owner, const QString& path);

// A path as the user reads it: absolute, with the system's separators.
QString ShownPath(const QString& path);

// Asks text with はい and いいえ (No is the default and Escape); whether the answer was yes.
bool AskYesNo(QWidget* owner, const QString& text);

}  // namespace tessaroven
