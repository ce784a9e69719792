// The comparison with a baseline in the desktop program: 測定 → 基準と比較…, 基準を外す and 許容差…. The
// baseline is a measurement file converted with its own readings and distance and with the model of the
// results it is compared with, whatever its own file names; it stays until it is removed or another is
// chosen, whatever the measurement on screen.
#pragma once

#include <QObject>
#include <QString>

#include <array>
#include <functional>
#include <optional>

#include "app/measurement_files.h"
#include "calc/uncertainty.h"

namespace tessaroven {

class MainWindow;

class BaselineActions : public QObject {
    Q_OBJECT
public:
    // Asks for a new tolerance, starting from current; nothing when the user cancels.
    using ToleranceAsker = std::function<std::optional<double>(double current)>;

    // window and record must outlive this object.
    BaselineActions(MainWindow& window, const MeasurementRecord& record);

    void setFileChooser(MeasurementFiles::FileChooser chooser) { m_chooser = std::move(chooser); }
    void setToleranceAsker(ToleranceAsker asker) { m_asker = std::move(asker); }

    bool compare();  // 基準と比較…: false when cancelled or refused
    bool compareWith(const QString& path);
    void remove();         // 基準を外す
    bool editTolerance();  // 許容差…, kept with QSettings

    bool hasBaseline() const { return m_measurement.has_value(); }
    // The baseline converted with model (that of the results it is compared with), converted once per model
    // and kept; nullptr when there is none. Refused as the conversion is, the message led by the file's name.
    Expected<const ProfileEvaluation*> baselineFor(ConversionModel model) const;
    const QString& baselineFile() const { return m_file; }
    // The baseline's measurement as its file holds it; nullptr when there is none.
    const Measurement* baselineMeasurement() const { return m_measurement ? &*m_measurement : nullptr; }
    double tolerancePercent() const;

signals:
    // The baseline or the tolerance changed: the results are to be compared again.
    void changed();

private:
    MainWindow& m_window;
    MeasurementFiles::FileChooser m_chooser;
    ToleranceAsker m_asker;
    const MeasurementRecord& m_record;
    std::optional<Measurement> m_measurement;
    mutable std::array<std::optional<Expected<ProfileEvaluation>>, 2> m_evaluations;  // by model
    QString m_file;
};

}  // namespace tessaroven
