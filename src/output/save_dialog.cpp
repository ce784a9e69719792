// The save dialog's handlers.
#include "output/save_dialog.h"

#include <QCoreApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>

#include "output/csv.h"
#include "ui/form3.h"
#include "ui/layout.h"
#include "ui/message_box.h"

namespace tessaroven {

QString DefaultFileName(const QDate& date) {
    return QString::asprintf("%02d-%02d-%04d", date.month(), date.day(), date.year());
}

QString ResultFilePath(const QString& typedName) {
    return typedName + QStringLiteral(".csv");
}

Form3* OpenSaveDialog(QPointer<Form3>& dialog, MeasurementRecord& record, const QDate& today) {
    if (dialog.isNull()) {
        Form3* form = new Form3();
        QObject::connect(form->Command1, &QPushButton::clicked, form,
                         [form, &record] { SaveDialogOk(*form, record); });
        QObject::connect(form->Command2, &QPushButton::clicked, form, &QWidget::hide);
        dialog = form;
    }
    dialog->Text1->setText(QString::fromUtf8(kDefaultComment));
    dialog->Text2->setText(DefaultFileName(today));
    ShowInFront(dialog);
    return dialog;
}

void SaveDialogOk(Form3& dialog, MeasurementRecord& record) {
    const QString comment = dialog.Text1->text();
    const QString name = dialog.Text2->text();
    if (comment.isEmpty() || name.isEmpty()) {
        ShowMessage(&dialog, QString::fromUtf8(kEmptyEntriesMessage), QMessageBox::Warning);
        return;
    }
    // A NUL would end the name early at the system call and write a different file than the one typed.
    if (name.contains(QChar(u'\0'))) {
        ShowMessage(&dialog, QStringLiteral("ファイル名に使えない文字 (NUL) があります。"),
                    QMessageBox::NoIcon);
        return;
    }

    const QPointer<Form3> guard(&dialog);
    const MaybeRefusal refusal =
        SaveCsvFile(QFile::encodeName(ResultFilePath(name)).toStdString(), comment.toStdString(), record);
    if (refusal) {
        ShowMessage(&dialog, QString::fromStdString(refusal->message), QMessageBox::NoIcon);
        return;
    }

    // Let the windows repaint before the confirmation; clicks wait until the handler is done.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    ShowMessage(guard, QString::fromUtf8(kSavedMessage));
    if (guard) {
        guard->hide();
    }
}

}  // namespace tessaroven
