// SpectrumDialog, the centre spectrum of the measurement: the spectrum file (typed, or chosen with 参照…),
// the bow-tie's central Al-equivalent thickness (empty when unknown), and the angle step of the files written
// for other programs. スペクトルを外す empties the file field, so that OK leaves the measurement without one.
// OK reads the file and checks the fields; a refusal is named in a message box, the field gets the focus and
// the dialog stays open with the record as it was.
#pragma once

#include <QDialog>
#include <QString>

#include <functional>
#include <optional>

#include "formats/spectrum_file.h"

class QLineEdit;
class QPushButton;

namespace tessaroven {

// The angle step (degrees) of the XCIST and EGSnrc files, kept in the settings between runs.
double BowtieAngleStepDeg();

class SpectrumDialog : public QDialog {
    Q_OBJECT
public:
    // Asks for a spectrum file, starting from the given one; empty when the user cancels.
    using Browse = std::function<QString(const QString& current)>;

    // Shows current (the measurement's spectrum, if any) and the kept angle step.
    SpectrumDialog(const std::optional<MeasurementSpectrum>& current, Browse browse,
                   QWidget* parent = nullptr);

    QLineEdit* fileEdit;
    QPushButton* browseButton;  // 参照…
    QLineEdit* centreAlEdit;
    QLineEdit* angleStepEdit;
    QPushButton* removeButton;  // スペクトルを外す
    QPushButton* okButton;
    QPushButton* cancelButton;

    // OK: the file is read again unless its name is the one shown (the measurement keeps a copy of the
    // values, so the file may be gone); the spectrum must have attenuation data at every energy.
    void accept() override;

    // After OK: the spectrum chosen (nothing when the file field was emptied).
    const std::optional<MeasurementSpectrum>& chosen() const { return m_chosen; }

private:
    void refuse(QLineEdit* field, const QString& message);

    std::optional<MeasurementSpectrum> m_current;
    QString m_shownCentre;  // a field left as shown keeps the value exactly
    std::optional<MeasurementSpectrum> m_chosen;
};

// Opens the dialog modally over parent. On OK writes the chosen spectrum into spectrum and returns whether it
// changed; Cancel, Escape or the close box change nothing and return false.
bool EditSpectrum(QWidget* parent, std::optional<MeasurementSpectrum>& spectrum,
                  SpectrumDialog::Browse browse);

}  // namespace tessaroven
