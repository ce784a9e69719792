// The measurement's undo history behind 編集 → 元に戻す / やり直す: every change to the readings, the number
// of points, the distance, the comment, the conditions, the spectrum or the model is one step that puts the
// whole measurement back as it was (or forward again), with every view following and the results dropped.
#pragma once

#include <QObject>
#include <QString>
#include <QUndoStack>

#include <optional>
#include <string>

#include "measurement/measurement_record.h"

namespace tessaroven {

class MainWindow;
class MainWindowHandlers;
class MeasurementFiles;

// What a step of the history puts back: the record's fields that a save keeps (the readings of every slot,
// beyond the number of points too, as the record keeps them), the distance box as it shows it (typed text,
// not yet a number) and whether the number of points was confirmed; the point-count box follows the count.
struct MeasurementState {
    double lastPosition = 0;
    SlotValues reading{};
    SlotRepeats repeats;
    PointTexts readingLines;
    std::string comment;
    std::optional<double> readingRepeatabilityPercent;
    std::optional<double> calibrationUncertaintyPercent;
    MeasurementConditions conditions;
    std::optional<MeasurementSpectrum> spectrum;
    ConversionModel model = ConversionModel::Compatible;
    QString distanceText;
    bool setUp = false;  // the number of points was confirmed: readings can be stored, the measurement saved

    bool operator==(const MeasurementState&) const = default;
};

// What a step changed; it names the step in the 編集 menu ("測定値の入力を元に戻す").
enum class MeasurementChange {
    Entry,  // a reading stored or corrected, or the number of points confirmed: told apart by what changed
    ReadingsTable,  // readings edited in the readings table
    Distance,
    Comment,
    Conditions,  // 測定条件 (only the comment changed there: named as a comment change)
    Spectrum,
    Model,
};

class UndoHistory : public QObject {
    Q_OBJECT
public:
    // Connects to the window's 編集 menu and to every place that changes the measurement; create it after
    // the objects that make those changes (the handlers, the files, the spectrum and model actions), so that
    // it hears of a change once it has been made. Owned by the window.
    UndoHistory(MainWindow& window, MainWindowHandlers& handlers, MeasurementFiles& files,
                MeasurementRecord& record);
    ~UndoHistory() override;

    // The one entry point after a change: when the measurement differs from what the history last saw, the
    // difference becomes the next step. A change that altered nothing adds no step.
    void recordChange(MeasurementChange change);

    void undo();
    void redo();
    // A new measurement began or a file was opened: nothing to undo, and this is the unmodified state.
    void clear();

    const QUndoStack& stack() const { return m_stack; }

signals:
    // A step was undone or redone: the record and the main window show the state put back.
    void restored();

private:
    friend class StateChange;
    MeasurementState currentState() const;
    void restore(const MeasurementState& state);
    // Takes in a change not yet heard of (a distance still being typed), so that undo or a save never
    // passes over it.
    void catchUp();
    void followStack();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    MainWindow& m_window;
    MainWindowHandlers& m_handlers;
    MeasurementFiles& m_files;
    MeasurementRecord& m_record;
    QUndoStack m_stack;
    MeasurementState m_seen;  // the state after the newest step (or the one put back)
    bool m_restoring = false;
};

}  // namespace tessaroven
