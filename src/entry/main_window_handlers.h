// The main window's handlers: the load step, the Enter-key path through the entry fields, the setup
// confirmation, storing a reading (with its correction branch), starting a correction, ending the entry and
// the conversion. They read MainWindow's fields, write the MeasurementRecord directly and drive the controls.
// Refused input is reported in a message box and changes nothing.
#pragma once

#include <QObject>
#include <QString>

#include "calc/number_text.h"
#include "calc/outcome.h"
#include "record/measurement_record.h"

class QEvent;
class QLineEdit;

namespace tessaroven {

class MainWindow;

// Largest number of points the setup accepts: the last point number must still be a list-line index (<= 30).
inline constexpr int kMaxPointCount = 30;

// The message texts of the entry (UTF-8).
inline constexpr const char* kMissingSetupMessage = "データが未入力です";
inline constexpr const char* kMissingReadingMessage = " 測定値が未入力です";
inline constexpr const char* kTooManyPointsMessage =
    "測定ポイント数が多すぎます。測定ポイント数は 30 以下 (推奨 25 以下) にしてください。";
inline constexpr const char* kSlotOutOfRangeMessage =
    "off center の値が範囲外です。0 ～ 30 (cm) の範囲で入力してください。";
inline constexpr const char* kPointNumberOutOfRangeMessage =
    "測定点 No. が範囲外です。0 ～ 30 の範囲で入力してください。";

// The decimal separator of the user's locale (QLocale's default, which is the system locale unless a test
// pins it); "." when the locale's separator is not a single ASCII character.
char LocaleDecimalSeparator();

class MainWindowHandlers : public QObject {
    Q_OBJECT
public:
    // Connects to the window's controls; window and record must outlive the handlers.
    MainWindowHandlers(MainWindow& window, MeasurementRecord& record, QObject* parent = nullptr);

    void load();                    // once, when the window is created
    void clearForNewMeasurement();  // the window's part of the measurement reset

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

    bool conversionRunning() const { return m_converting; }

signals:
    void exitRequested();   // exitButton
    void saveRequested();   // saveButton: the save dialog opens
    void graphRequested();  // graphButton: the graph is drawn and shown

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ParsedNumber parse(const QLineEdit* box) const;
    void setNumber(QLineEdit* box, double value) const;
    void refuse(const QString& message);
    void refuse(const Refusal& refusal);
    void refuse(RefusalReason reason);  // with the reason's standard message
    void finishCorrection();
    void reachLastPosition();
    void advanceToNextPoint(double pointNumber, double offCentre);
    void fillResultList();

    MainWindow& m_window;
    MeasurementRecord& m_record;
    bool m_converting = false;
};

}  // namespace tessaroven
