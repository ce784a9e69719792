// The save dialog's handlers.
#include "ui/save_dialog_handlers.h"

#include <QCoreApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>

#include "files/csv.h"
#include "ui/layout.h"
#include "ui/message_box.h"
#include "ui/save_dialog.h"

namespace tessaroven {

QString DefaultFileName(const QDate& date) {
    return date.toString(QStringLiteral("MM-dd-yyyy"));
}

QString ResultFilePath(const QString& typedName) {
    return typedName + QStringLiteral(".csv");
}

SaveDialogHandlers::SaveDialogHandlers(SaveDialog& dialog, MeasurementRecord& record)
    : QObject(&dialog), m_dialog(dialog), m_record(record) {
    connect(m_dialog.okButton, &QPushButton::clicked, this, &SaveDialogHandlers::save);
    connect(m_dialog.cancelButton, &QPushButton::clicked, this, &SaveDialogHandlers::cancel);
}

SaveDialog* OpenSaveDialog(QPointer<SaveDialog>& dialog, MeasurementRecord& record, const QDate& today) {
    if (dialog.isNull()) {
        dialog = new SaveDialog();
        new SaveDialogHandlers(*dialog, record);
    }
    dialog->commentEdit->setText(QString::fromStdString(record.comment));
    dialog->fileNameEdit->setText(DefaultFileName(today));
    ShowInFront(dialog);
    return dialog;
}

void SaveDialogHandlers::cancel() {
    m_dialog.hide();
}

void SaveDialogHandlers::save() {
    // The dialog's close box may destroy it (and these handlers) while a message box is open.
    SaveDialog& dialog = m_dialog;
    MeasurementRecord& record = m_record;
    const QString comment = dialog.commentEdit->text();
    const QString name = dialog.fileNameEdit->text();
    if (comment.isEmpty() || name.isEmpty()) {
        ShowMessage(&dialog, QString::fromStdString(Message(Reason::MissingCommentOrFileName)),
                    QMessageBox::Warning);
        return;
    }
    // A NUL would end the name early at the system call and write a different file than the one typed.
    if (name.contains(QChar(u'\0'))) {
        ShowMessage(&dialog, QString::fromStdString(Message(Reason::NulInFileName)), QMessageBox::NoIcon);
        return;
    }

    const QPointer<SaveDialog> guard(&dialog);
    const MaybeRefusal refusal =
        SaveCsvFile(QFile::encodeName(ResultFilePath(name)).toStdString(), comment.toStdString(), record);
    if (refusal) {
        ShowMessage(&dialog, QString::fromStdString(refusal->message), QMessageBox::NoIcon);
        return;
    }

    record.comment = comment.toStdString();  // kept with the measurement
    // Let the windows repaint before the confirmation; clicks wait until the handler is done.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    ShowMessage(guard, QString::fromStdString(Message(Reason::Saved)));
    if (guard) {
        guard->hide();
    }
}

}  // namespace tessaroven
