// 測定 → 読み値の表…: the readings table beside the main window, open once the number of points is set. It
// follows every other change of the readings (the entry, a new setup, an opened file, a new measurement), and
// its own edits mark the measurement changed and go on to the main window.
#pragma once

#include <QObject>

#include "measurement/measurement_record.h"

namespace tessaroven {

class MainWindow;
class MainWindowHandlers;
class MeasurementFiles;
class ReadingsTableWindow;

class ReadingsActions : public QObject {
    Q_OBJECT
public:
    // Owned by window; handlers, files and record must outlive it.
    ReadingsActions(MainWindow& window, MainWindowHandlers& handlers, MeasurementFiles& files,
                    MeasurementRecord& record);

    void showTable();
    ReadingsTableWindow* table() const { return m_table; }  // null until first opened
    // Shows the record's readings again (after an undone or redone step, say).
    void refresh();

signals:
    // A reading changed in the table: the reading list and the results must follow, as after the entry.
    void readingsEdited();

private:
    MainWindow& m_window;
    MeasurementFiles& m_files;
    MeasurementRecord& m_record;
    ReadingsTableWindow* m_table = nullptr;
};

}  // namespace tessaroven
