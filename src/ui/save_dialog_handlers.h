// The save dialog's handlers: opening it with its defaults (saveButton of the main window), and its OK, which
// writes the result file through the core's CSV writer.
#pragma once

#include <QDate>
#include <QObject>
#include <QPointer>
#include <QString>

#include "record/measurement_record.h"

namespace tessaroven {

class SaveDialog;

// The default file name: the date as MM-DD-YYYY, whatever the system's date settings.
QString DefaultFileName(const QDate& date);

// The file written for a typed name: the name exactly as typed, with ".csv" always appended.
QString ResultFilePath(const QString& typedName);

// The dialog's buttons. Owned by the dialog; dialog and record must outlive it.
class SaveDialogHandlers : public QObject {
    Q_OBJECT
public:
    SaveDialogHandlers(SaveDialog& dialog, MeasurementRecord& record);

    // OK: checks that both entries are filled, writes the file, confirms and hides the dialog. A refused save
    // tells the user why in a message box and leaves the dialog open with its entries.
    void save();
    // Cancel: hides the dialog and keeps its entries.
    void cancel();

private:
    SaveDialog& m_dialog;
    MeasurementRecord& m_record;
};

// The main window's save button: creates the dialog with its handlers if it does not exist (first use, or
// after its close box), fills in the comment and the date, and shows it without an owner and without a modal
// loop. Returns the dialog.
SaveDialog* OpenSaveDialog(QPointer<SaveDialog>& dialog, MeasurementRecord& record,
                           const QDate& today = QDate::currentDate());

}  // namespace tessaroven
