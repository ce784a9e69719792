// The main window's handlers: load step, Enter-key path, setup confirmation (Command2), reading confirmation
// (Command4) with its correction branch, start of a correction (Command1), end of the correction phase
// (Command6) and the conversion button (Command5). They read Form1's fields, write the MeasurementRecord
// directly and drive the controls. Refused input is reported in a message box and changes nothing.
#pragma once

#include <QObject>
#include <QString>

#include "calc/number_text.h"
#include "calc/outcome.h"
#include "record/measurement_record.h"

class QEvent;
class QLineEdit;

namespace tessaroven {

class Form1;

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
    // Connects to form's controls; form and record must outlive the handlers.
    MainWindowHandlers(Form1& form, MeasurementRecord& record, QObject* parent = nullptr);

    void OnLoad();                  // once, when the window is created
    void ClearForNewMeasurement();  // the window's part of the measurement reset

    void OnText1Enter();
    void OnText29Enter();
    void OnText2Enter();
    void OnText31Enter();
    void OnCommand2Click();  // setup confirmation
    void OnCommand4Click();  // reading confirmation
    void OnCommand1Click();  // start a correction
    void OnCommand6Click();  // no (further) correction
    void OnCommand5Click();  // conversion

    bool conversionRunning() const { return m_converting; }

signals:
    void exitRequested();   // Command3
    void saveRequested();   // Command7: the save dialog opens
    void graphRequested();  // Command8: the graph is drawn and shown

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ParsedNumber Parse(const QLineEdit* box) const;
    void SetNumber(QLineEdit* box, double value) const;
    void Refuse(const QString& message);
    void Refuse(const Refusal& refusal);
    void Refuse(RefusalReason reason);  // with the reason's standard message
    void FinishCorrection();
    void EndOfEntry();
    void AdvanceToNextPoint(double pointNumber, double offCentre);
    void FillResultList();

    Form1& m_form;
    MeasurementRecord& m_record;
    bool m_converting = false;
};

}  // namespace tessaroven
