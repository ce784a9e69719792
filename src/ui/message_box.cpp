// The program's message box.
#include "ui/message_box.h"

#include <QDir>
#include <QFileInfo>
#include <QPushButton>

namespace tessaroven {

QString CatalogueText(Reason reason, std::initializer_list<std::string_view> details) {
    return QString::fromStdString(Message(reason, details));
}

void ShowMessage(QWidget* owner, const QString& text, QMessageBox::Icon icon) {
    QMessageBox box(icon, QString::fromLatin1(kApplicationTitle), text, QMessageBox::Ok, owner);
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
}

bool MayReplace(QWidget* owner, const QString& path) {
    const QFileInfo target(path);
    if (!target.exists() && !target.isSymLink()) {
        return true;
    }
    return AskYesNo(owner, CatalogueText(Reason::ReplaceFileQuestion, {ShownPath(path).toStdString()}));
}

QString ShownPath(const QString& path) {
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

bool AskYesNo(QWidget* owner, const QString& text) {
    QMessageBox box(QMessageBox::Question, QString::fromLatin1(kApplicationTitle), text,
                    QMessageBox::Yes | QMessageBox::No, owner);
    box.setTextFormat(Qt::PlainText);
    box.button(QMessageBox::Yes)->setText(CatalogueText(Reason::YesChoice));
    box.button(QMessageBox::No)->setText(CatalogueText(Reason::NoChoice));
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    box.setWindowModality(Qt::ApplicationModal);
    return box.exec() == QMessageBox::Yes;
}

}  // namespace tessaroven
