// ConditionsDialog, the measuring conditions dialog: the comment, how the measurement was made (scanner,
// exposure, dosimeter, calibration, who, when, where) and the two uncertainties, edited in one form with OK
// and Cancel. Dates are taken in the forms people type them in; the physical numbers within plausible ranges.
// OK checks every field and writes them into the record; a refused field is named in a message box and gets
// the focus, the dialog stays open and the record is left as it was.
#pragma once

#include <QDialog>
#include <QString>

#include <vector>

#include "measurement/measurement_record.h"

class QLineEdit;
class QPushButton;

namespace tessaroven {

class ConditionsDialog : public QDialog {
    Q_OBJECT
public:
    // Fills the fields from the record's comment, conditions and uncertainties. The fields are found by their
    // object names ("scannerEdit", "tubeVoltageEdit", "repeatabilityEdit", ...).
    // record must outlive the dialog.
    explicit ConditionsDialog(MeasurementRecord& record, QWidget* parent = nullptr);

    QLineEdit* commentEdit;     // the first line of the result file
    QPushButton* okButton;      // the default button: Enter in a field confirms
    QPushButton* cancelButton;  // like Escape and the close box: nothing changes

    // OK: reads the fields from top to bottom. Empty number fields are not set; a field whose text is still
    // the one shown keeps the record's value exactly (so a free-text date read from an older file stays). The
    // first refused field is named in a message box and gets the focus, and the dialog stays open; otherwise
    // the conditions and the uncertainties are written into the record and the dialog closes as accepted.
    void accept() override;

private:
    MeasurementRecord& m_record;
    std::vector<QLineEdit*> m_fields;  // one per row of the form, top to bottom
    std::vector<QString> m_shown;      // the text each field was opened with
};

// Opens the dialog modally over parent with the record's conditions. On OK writes the comment, the conditions
// and the two uncertainties into record and returns true; Cancel, Escape or the close box change nothing and
// return false.
bool EditConditions(QWidget* parent, MeasurementRecord& record);

}  // namespace tessaroven
