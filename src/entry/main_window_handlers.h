// The main window's handlers: the load step, the Enter-key path through the entry fields, the setup
// confirmation, storing a reading (with its correction branch), starting a correction, ending the entry and
// the conversion. They read MainWindow's fields, write the MeasurementRecord directly and drive the controls.
// Refused input is reported in a message box and changes nothing.
#pragma once

#include <QObject>
#include <QString>

#include "calc/number_text.h"
#include "messages/outcome.h"
#include "record/measurement_record.h"

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

    void load();                    // once, when the window is created
    void clearForNewMeasurement();  // the window's part of the measurement reset (checks the record's model)
    // The conversion's results are dropped from the record and the window (the readings stay): the model
    // changed, and results of another model must not stay on screen beside it. Ready to convert again.
    void clearResults();
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

    bool conversionRunning() const { return m_converting; }

signals:
    void exitRequested();      // exitButton
    void saveRequested();      // saveButton: the save dialog opens
    void graphRequested();     // graphButton: the graph is drawn and shown
    void measurementEdited();  // a setup or a reading changed the measurement
    void converted();          // a conversion went through: the results changed

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ParsedNumber parse(const QLineEdit* box) const;
    void setNumber(QLineEdit* box, double value) const;
    void refuse(const Refusal& refusal);
    void refuse(Reason reason);
    void finishCorrection();
    void reachLastPosition();
    void advanceToNextPoint(double pointNumber, double offCentre);
    void fillResultList();

    MainWindow& m_window;
    MeasurementRecord& m_record;
    bool m_converting = false;
};

}  // namespace tessaroven
