// The measurement's undo history.
#include "app/undo_history.h"

#include <QAction>
#include <QEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QUndoCommand>

#include <utility>

#include "app/measurement_files.h"
#include "calc/number_text.h"
#include "entry/main_window_handlers.h"
#include "ui/layout.h"
#include "ui/main_window.h"

namespace tessaroven {

namespace {

// The 編集 menu's entries: plain, and naming the step.
constexpr const char* kUndo = QT_TRANSLATE_NOOP("Tessaroven", "元に戻す");
constexpr const char* kRedo = QT_TRANSLATE_NOOP("Tessaroven", "やり直す");
constexpr const char* kUndoStep = QT_TRANSLATE_NOOP("Tessaroven", "%1を元に戻す");
constexpr const char* kRedoStep = QT_TRANSLATE_NOOP("Tessaroven", "%1をやり直す");

// The steps' names.
constexpr const char* kReadingStored = QT_TRANSLATE_NOOP("Tessaroven", "測定値の入力");
constexpr const char* kReadingCorrected = QT_TRANSLATE_NOOP("Tessaroven", "測定値の修正");
constexpr const char* kPointsSet = QT_TRANSLATE_NOOP("Tessaroven", "測定ポイント数の設定");
constexpr const char* kTableEdited = QT_TRANSLATE_NOOP("Tessaroven", "読み値の表の編集");
constexpr const char* kDistanceChanged = QT_TRANSLATE_NOOP("Tessaroven", "距離の変更");
constexpr const char* kCommentChanged = QT_TRANSLATE_NOOP("Tessaroven", "コメントの変更");
constexpr const char* kConditionsChanged = QT_TRANSLATE_NOOP("Tessaroven", "測定条件の変更");
constexpr const char* kSpectrumChanged = QT_TRANSLATE_NOOP("Tessaroven", "スペクトルの変更");
constexpr const char* kModelChanged = QT_TRANSLATE_NOOP("Tessaroven", "変換モデルの変更");
constexpr const char* kMeasurementChanged = QT_TRANSLATE_NOOP("Tessaroven", "測定の変更");

// Whether before and after differ in nothing but the given member.
template <typename Member>
bool OnlyDiffers(MeasurementState before, const MeasurementState& after, Member member) {
    before.*member = after.*member;
    return before == after;
}

const char* StepName(MeasurementChange change, const MeasurementState& before, const MeasurementState& after,
                     bool correcting) {
    switch (change) {
        case MeasurementChange::Entry:
            if (before.setUp != after.setUp || before.lastPosition != after.lastPosition) {
                return kPointsSet;
            }
            return correcting ? kReadingCorrected : kReadingStored;
        case MeasurementChange::ReadingsTable:
            return kTableEdited;
        case MeasurementChange::Distance:
            return OnlyDiffers(before, after, &MeasurementState::distanceText) ? kDistanceChanged
                                                                               : kMeasurementChanged;
        case MeasurementChange::Comment:
            return kCommentChanged;
        case MeasurementChange::Conditions:
            return OnlyDiffers(before, after, &MeasurementState::comment) ? kCommentChanged
                                                                          : kConditionsChanged;
        case MeasurementChange::Spectrum:
            return kSpectrumChanged;
        case MeasurementChange::Model:
            return kModelChanged;
    }
    return kMeasurementChanged;
}

}  // namespace

// One step: the measurement before and after it. The change has been made when the step is pushed, so its
// first redo (QUndoStack::push calls it) does nothing.
class StateChange : public QUndoCommand {
public:
    StateChange(UndoHistory& history, const QString& text, MeasurementState before, MeasurementState after)
        : QUndoCommand(text), m_history(history), m_before(std::move(before)), m_after(std::move(after)) {}

    void undo() override { m_history.restore(m_before); }
    void redo() override {
        if (m_made) {
            m_history.restore(m_after);
        }
        m_made = true;
    }

private:
    UndoHistory& m_history;
    MeasurementState m_before;
    MeasurementState m_after;
    bool m_made = false;
};

UndoHistory::UndoHistory(MainWindow& window, MainWindowHandlers& handlers, MeasurementFiles& files,
                         MeasurementRecord& record)
    : QObject(&window), m_window(window), m_handlers(handlers), m_files(files), m_record(record) {
    m_seen = currentState();
    // Each of these runs after the slot that makes the change, which was connected first.
    const auto after = [this](MeasurementChange change) { return [this, change] { recordChange(change); }; };
    connect(&m_handlers, &MainWindowHandlers::measurementEdited, this, after(MeasurementChange::Entry));
    // A finished edit of the distance, not every key typed into it.
    connect(m_window.distanceEdit, &QLineEdit::editingFinished, this, after(MeasurementChange::Distance));
    connect(m_window.conditionsAction, &QAction::triggered, this, after(MeasurementChange::Conditions));
    connect(m_window.spectrumAction, &QAction::triggered, this, after(MeasurementChange::Spectrum));
    for (QAction* model : {m_window.compatibleModelAction, m_window.isotropicModelAction}) {
        connect(model, &QAction::triggered, this, after(MeasurementChange::Model));
    }
    connect(&m_files, &MeasurementFiles::saved, this, [this] {
        catchUp();
        m_stack.setClean();
    });
    connect(&m_files, &MeasurementFiles::replaced, this, &UndoHistory::clear);
    connect(m_window.undoAction, &QAction::triggered, this, &UndoHistory::undo);
    connect(m_window.redoAction, &QAction::triggered, this, &UndoHistory::redo);
    connect(&m_stack, &QUndoStack::indexChanged, this, &UndoHistory::followStack);
    connect(&m_stack, &QUndoStack::cleanChanged, this, &UndoHistory::followStack);
    for (QLineEdit* box : {m_window.distanceEdit, m_window.pointCountEdit, m_window.pointNumberEdit,
                           m_window.offCentreEdit, m_window.readingEdit}) {
        box->installEventFilter(this);
    }
    followStack();
}

UndoHistory::~UndoHistory() {
    // The stack clears itself as it goes, after the window's actions may have gone.
    m_stack.disconnect(this);
}

MeasurementState UndoHistory::currentState() const {
    return {.lastPosition = m_record.lastPosition,
            .reading = m_record.reading,
            .repeats = m_record.repeats,
            .readingLines = m_record.readingLines,
            .comment = m_record.comment,
            .readingRepeatabilityPercent = m_record.readingRepeatabilityPercent,
            .calibrationUncertaintyPercent = m_record.calibrationUncertaintyPercent,
            .conditions = m_record.conditions,
            .spectrum = m_record.spectrum,
            .model = m_record.model,
            .distanceText = m_window.distanceEdit->text(),
            .setUp = m_window.storeReadingButton->isEnabled()};
}

void UndoHistory::recordChange(MeasurementChange change) {
    if (m_restoring) {
        return;
    }
    MeasurementState now = currentState();
    if (now == m_seen) {
        return;
    }
    const QString name = UiText(StepName(change, m_seen, now, m_record.correcting));
    MeasurementState before = std::exchange(m_seen, now);
    m_stack.push(new StateChange(*this, name, std::move(before), std::move(now)));
}

void UndoHistory::catchUp() {
    recordChange(MeasurementChange::Distance);
}

void UndoHistory::undo() {
    catchUp();
    m_stack.undo();
}

void UndoHistory::redo() {
    // A change not yet heard of would make redo put back a state beside it, not after it.
    catchUp();
    m_stack.redo();
}

void UndoHistory::clear() {
    m_stack.clear();
    m_seen = currentState();
    followStack();
}

void UndoHistory::restore(const MeasurementState& state) {
    const QScopedValueRollback restoring(m_restoring, true);
    m_record.lastPosition = state.lastPosition;
    m_record.reading = state.reading;
    m_record.repeats = state.repeats;
    m_record.readingLines = state.readingLines;
    m_record.comment = state.comment;
    m_record.readingRepeatabilityPercent = state.readingRepeatabilityPercent;
    m_record.calibrationUncertaintyPercent = state.calibrationUncertaintyPercent;
    m_record.conditions = state.conditions;
    m_record.spectrum = state.spectrum;
    m_record.model = state.model;
    m_window.distanceEdit->setText(state.distanceText);
    // The count in force, as an opened measurement shows it; before the setup the box is empty again.
    m_window.pointCountEdit->setText(state.setUp ? QString::fromStdString(GeneralNumberText(
                                                       state.lastPosition + 1, LocaleDecimalSeparator()))
                                                 : QString());
    m_window.storeReadingButton->setEnabled(state.setUp);
    if (!state.setUp) {
        for (QPushButton* button :
             {m_window.correctButton, m_window.finishEntryButton, m_window.convertButton}) {
            button->setEnabled(false);
        }
    }
    m_handlers.followRecord(state.lastPosition != m_seen.lastPosition || state.reading != m_seen.reading ||
                            state.repeats != m_seen.repeats || state.readingLines != m_seen.readingLines);
    m_seen = state;
    emit restored();
}

void UndoHistory::followStack() {
    m_window.undoAction->setEnabled(m_stack.canUndo());
    m_window.undoAction->setText(m_stack.canUndo() ? UiText(kUndoStep).arg(m_stack.undoText())
                                                   : UiText(kUndo));
    m_window.redoAction->setEnabled(m_stack.canRedo());
    m_window.redoAction->setText(m_stack.canRedo() ? UiText(kRedoStep).arg(m_stack.redoText())
                                                   : UiText(kRedo));
    // The clean state is the measurement as last saved, opened or begun; before the setup there is nothing a
    // save could keep, so nothing to ask about on leaving.
    m_files.setModified(!m_stack.isClean() && m_seen.setUp);
}

bool UndoHistory::eventFilter(QObject* watched, QEvent* event) {
    // A box takes the undo and redo keys for its own typing while it has some; an empty box, or one whose
    // text the program set, lets them undo the measurement's last change (after a reading is stored, the
    // focus is in the empty reading box).
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* box = static_cast<QLineEdit*>(watched);
        const QKeySequence key(static_cast<QKeyEvent*>(event)->keyCombination());
        const bool boxUndoes = box->isUndoAvailable() && !box->text().isEmpty();
        if ((m_window.undoAction->shortcuts().contains(key) && !boxUndoes) ||
            (m_window.redoAction->shortcuts().contains(key) && !box->isRedoAvailable())) {
            event->ignore();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace tessaroven
