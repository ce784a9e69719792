// The main window's handlers: the load step, the Enter-key path through the entry fields, the setup
// confirmation, storing a reading (with its correction branch), starting a correction, ending the entry and
// the conversion. They read MainWindow's fields, write the MeasurementRecord directly and drive the controls.
// Every number box takes one complete number, read as the converter reads its readings; anything else is
// refused in a message box, the box focused with its text selected, and changes nothing.
#pragma once

#include <QMessageBox>
#include <QObject>
#include <QString>

#include <optional>
#include <vector>

#include "calc/number_text.h"
#include "measurement/measurement_record.h"
#include "messages/outcome.h"

class QEvent;
class QLineEdit;

namespace tessaroven {

class MainWindow;

// The decimal separator of the user's locale (QLocale's default, which is the system locale unless a test
// pins it); "." when the locale's separator is not a single ASCII character.
char LocaleDecimalSeparator();

class MainWindowHandlers : public QObject {
    Q_OBJECT
public:
    // Connects to the window's controls; window and record must outlive the handlers.
    MainWindowHandlers(MainWindow& window, MeasurementRecord& record, QObject* parent = nullptr);

    void load();  // once, when the window is created
    // The window's part of the measurement reset (checks the record's model): fields, lists, buttons and
    // results as at the first start; the distance stays.
    void clearForNewMeasurement();
    // The one place where results stop matching what is on screen (a reading, the number of points, the
    // distance or the model changed, a conversion failed, a new measurement began): the results leave the
    // record and the window, and nothing can save or draw them until the next conversion. The readings stay.
    void invalidateResults();
    // The readings were edited outside the entry boxes (the readings table): the results of the old readings
    // go, the reading list shows the record's lines again, and once every position has a reading the
    // conversion is ready, as after the last one was typed.
    void showEditedReadings();

    // Enter in an entry field.
    void distanceEntered();
    void pointCountEntered();
    void pointNumberEntered();
    void readingEntered();

    void confirmSetup();     // distance and number of points
    void storeReading();     // the reading of one position (or its correction)
    void startCorrection();  // a correction of one position follows
    void finishEntry();      // no (further) correction: the conversion may run
    void convert();

    // Fills the window from the record (a measurement just opened) as if its readings had been typed:
    // distance, number of points, the reading list; ready to convert or to correct.
    void showMeasurement(double distance);
    // The record's readings, number of points or model were put back (編集 → 元に戻す): the reading list, the
    // model's check mark and the warning about readings at or below 0 follow it, and the results go. When the
    // readings changed, the entry goes on at the first position without a reading.
    void followRecord(bool readingsChanged);

    bool conversionRunning() const { return m_converting; }

signals:
    void exitRequested();       // exitButton
    void saveRequested();       // saveButton: the save dialog opens
    void graphRequested();      // graphButton: the graph is drawn and shown
    void measurementEdited();   // a setup or a reading changed the measurement
    void converted();           // a conversion went through: the results changed
    void resultsInvalidated();  // invalidateResults(): every other view of the results goes too

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setNumber(QLineEdit* box, double value) const;
    void refuse(const Refusal& refusal);
    void refuse(Reason reason);
    // Shows the refusal and puts the focus on the box with its text selected, ready to be typed over.
    void refuseBox(QLineEdit* box, const QString& message, QMessageBox::Icon icon = QMessageBox::NoIcon);
    // The box's number (name: the box's name in the catalogue), or nothing after refusing it.
    std::optional<double> readNumber(QLineEdit* box, Reason name);
    std::optional<int> readPointCount();
    std::optional<std::vector<double>> readReadings();
    // Asks before the readings beyond pointCount positions are dropped; false when the user keeps them.
    bool dropPositionsBeyond(int pointCount);
    void listReadings();  // the reading list rebuilt from the record, in point order
    // enteredOnly: positions that never had a reading typed are left out.
    void warnAboutNonPositive(int firstPosition, int lastPosition, bool enteredOnly = false);
    void enableResultOutputs(bool enabled);
    void finishCorrection();
    void reachLastPosition();
    void advanceToNextPoint(double pointNumber, double offCentre);
    void fillResultList();

    MainWindow& m_window;
    MeasurementRecord& m_record;
    bool m_converting = false;
    bool m_nonPositiveShown = false;  // the status bar shows the warning about a reading of 0 or less
};

}  // namespace tessaroven
