// The save dialog's handlers.
#include "ui/save_dialog_handlers.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>

#include "files/format_files.h"
#include "formats/csv.h"
#include "ui/layout.h"
#include "ui/message_box.h"
#include "ui/save_dialog.h"

namespace tessaroven {

QString DefaultFileName(const QDate& date) {
    return date.toString(QStringLiteral("MM-dd-yyyy"));
}

namespace {

const QString kResultsFolderKey = QStringLiteral("results/folder");

}  // namespace

QString ResultFilePath(const QString& typedName, const QString& folder) {
    const QString name = typedName + QStringLiteral(".csv");
    const bool bare = !name.contains(QLatin1Char('/')) && !name.contains(QDir::separator());
    return bare ? QDir(folder).filePath(name) : name;
}

QString ResultsFolder() {
    const QString folder = QSettings().value(kResultsFolderKey).toString();
    return !folder.isEmpty() && QDir(folder).exists() ? folder : QDir::currentPath();
}

void RememberResultsFolder(const QString& folder) {
    QSettings().setValue(kResultsFolderKey, folder);
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
        dialog->fileNameEdit->setText(DefaultFileName(today));
    }
    dialog->findChild<SaveDialogHandlers*>()->refreshComment();
    ShowInFront(dialog);
    return dialog;
}

void SaveDialogHandlers::refreshComment() {
    if (m_record.comment != m_shownComment) {
        m_shownComment = m_record.comment;
        m_dialog.commentEdit->setText(QString::fromStdString(m_record.comment));
    }
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
    const QString path = ResultFilePath(name, ResultsFolder());
    if (!MayReplace(&dialog, path) || guard.isNull()) {
        return;
    }
    const MaybeRefusal refusal =
        SaveCsvFile(QFile::encodeName(path).toStdString(), comment.toStdString(), record);
    if (refusal) {
        ShowMessage(&dialog, QString::fromStdString(refusal->message), QMessageBox::NoIcon);
        return;
    }

    record.comment = comment.toStdString();  // kept with the measurement
    m_shownComment = record.comment;
    // Let the windows repaint before the confirmation; clicks wait until the handler is done.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    ShowMessage(guard, CatalogueText(Reason::SavedTo, {ShownPath(path).toStdString()}));
    if (guard) {
        guard->hide();
    }
}

}  // namespace tessaroven
