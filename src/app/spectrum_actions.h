// The centre spectrum and the bow-tie files in the desktop program: 測定 → スペクトル… and ファイル →
// 書き出す → XCIST… / EGSnrc…. The files are written from the converted profile's Al-equivalent thickness; a
// missing conversion, a missing spectrum or a position without a thickness is refused in a message box before
// any file name is asked for.
#pragma once

#include <QObject>
#include <QString>

#include "measurement/measurement_record.h"

namespace tessaroven {

class MainWindow;
class MeasurementFiles;

class SpectrumActions : public QObject {
    Q_OBJECT
public:
    // File names are asked for through files' chooser. window, files and record must outlive this object.
    SpectrumActions(MainWindow& window, MeasurementFiles& files, MeasurementRecord& record);

    // The menu entries; each returns whether it went through (false: cancelled, unchanged or refused).
    bool editSpectrum();
    bool exportXcist();
    bool exportEgsnrc();

signals:
    // The record's spectrum was chosen, changed or removed: the results need evaluating again.
    void spectrumChanged();

private:
    struct ExportTarget;
    bool exportBowtie(const ExportTarget& target);

    MainWindow& m_window;
    MeasurementFiles& m_files;
    MeasurementRecord& m_record;
};

}  // namespace tessaroven
