// The save dialog's handlers: opening it with its defaults (saveButton of the main window), and its OK, which
// writes the result file through the core's CSV writer.
#pragma once

#include <QDate>
#include <QObject>
#include <QPointer>
#include <QString>

#include <string>

#include "measurement/measurement_record.h"

namespace tessaroven {

class SaveDialog;

// The default file name: the date as MM-DD-YYYY, whatever the system's date settings.
QString DefaultFileName(const QDate& date);

// The file written for a typed name: the name exactly as typed, with ".csv" always appended; a bare name
// (no folder in it) goes into folder.
QString ResultFilePath(const QString& typedName, const QString& folder);

// The folder a bare result-file name is saved in: the last one chosen in a file chooser for result files,
// else the working folder.
QString ResultsFolder();
void RememberResultsFolder(const QString& folder);

// The dialog's buttons. Owned by the dialog; dialog and record must outlive it.
class SaveDialogHandlers : public QObject {
    Q_OBJECT
public:
    SaveDialogHandlers(SaveDialog& dialog, MeasurementRecord& record);

    // OK: checks that both entries are filled, asks before replacing an existing file, writes the file,
    // confirms with its full path and hides the dialog. A refused or declined save leaves the dialog open
    // with its entries.
    void save();
    // Cancel: hides the dialog and keeps its entries.
    void cancel();
    // Puts the record's comment into the comment box when it changed since the box last showed or took it.
    void refreshComment();

private:
    SaveDialog& m_dialog;
    MeasurementRecord& m_record;
    std::string m_shownComment;
};

// The main window's save button: creates the dialog with its handlers if it does not exist (first use, or
// after its close box) and fills in the comment and the date; a dialog that exists keeps what was typed, but
// takes a comment changed elsewhere. Shows it without an owner and without a modal loop. Returns the dialog.
SaveDialog* OpenSaveDialog(QPointer<SaveDialog>& dialog, MeasurementRecord& record,
                           const QDate& today = QDate::currentDate());

}  // namespace tessaroven
