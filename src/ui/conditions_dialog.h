// ConditionsDialog, the measuring conditions dialog: how the measurement was made (scanner, exposure,
// dosimeter, calibration, who, when, where) and the two uncertainties, edited in one form with OK and Cancel.
// OK checks every field and writes them into the record; a refused field is named in a message box and gets
// the focus, the dialog stays open and the record is left as it was.
#pragma once

#include <QDialog>
#include <QString>

#include <vector>

#include "record/measurement_record.h"

class QLineEdit;
class QPushButton;

namespace tessaroven {

class ConditionsDialog : public QDialog {
    Q_OBJECT
public:
    // Fills the fields from the record's conditions and uncertainties (the comment is not edited here). The
    // fields are found by their object names ("scannerEdit", "tubeVoltageEdit", "repeatabilityEdit", ...).
    // record must outlive the dialog.
    explicit ConditionsDialog(MeasurementRecord& record, QWidget* parent = nullptr);

    QPushButton* okButton;      // the default button: Enter in a field confirms
    QPushButton* cancelButton;  // like Escape and the close box: nothing changes

    // OK: reads the fields from top to bottom. Empty number fields are not set; a field whose text is still
    // the one shown keeps the record's value exactly. The first refused field is named in a message box
    // and gets the focus, and the dialog stays open; otherwise the conditions and the uncertainties are
    // written into the record and the dialog closes as accepted.
    void accept() override;

private:
    MeasurementRecord& m_record;
    std::vector<QLineEdit*> m_fields;  // one per row of the form, top to bottom
    std::vector<QString> m_shown;      // the text each field was opened with
};

// Opens the dialog modally over parent with the record's conditions. On OK writes the conditions and the two
// uncertainties into record and returns true; Cancel, Escape or the close box change nothing and return
// false.
bool EditConditions(QWidget* parent, MeasurementRecord& record);

}  // namespace tessaroven
