// The main window's entry, correction and conversion handlers.
#include "entry/main_window_handlers.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QStatusBar>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <string>

#include "calc/conversion.h"
#include "entry/entry_line.h"
#include "formats/measurement_file.h"
#include "ui/main_window.h"
#include "ui/message_box.h"

namespace tessaroven {

char LocaleDecimalSeparator() {
    const QString separator = QLocale().decimalPoint();
    if (separator.size() == 1 && separator.at(0).unicode() < 0x80) {
        return static_cast<char>(separator.at(0).unicode());
    }
    return '.';
}

namespace {

bool IsEnterKey(const QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// Lets pending window events (repaints) run; clicks and keys wait, so no handler can start inside the
// conversion.
void YieldToPendingEvents() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

QString ToQString(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

bool IsBlank(const QLineEdit* box) {
    return box->text().trimmed().isEmpty();
}

bool HoldsReading(const MeasurementRecord& record, int position) {
    const auto k = static_cast<std::size_t>(position);
    return record.reading[k] != 0 || !record.repeats[k].empty() || !record.readingLines[k + 1].empty();
}

// "2, 5": the positions for a message.
void AppendPosition(std::string& positions, int position) {
    positions += (positions.empty() ? "" : ", ") + std::to_string(position);
}

}  // namespace

MainWindowHandlers::MainWindowHandlers(MainWindow& window, MeasurementRecord& record, QObject* parent)
    : QObject(parent), m_window(window), m_record(record) {
    // Enter is taken before the text box sees it, whatever Shift, Ctrl or Alt; other keys go to the box.
    for (QLineEdit* box :
         {m_window.distanceEdit, m_window.pointCountEdit, m_window.pointNumberEdit, m_window.readingEdit}) {
        box->installEventFilter(this);
    }
    connect(m_window.setupButton, &QPushButton::clicked, this, &MainWindowHandlers::confirmSetup);
    connect(m_window.storeReadingButton, &QPushButton::clicked, this, &MainWindowHandlers::storeReading);
    connect(m_window.correctButton, &QPushButton::clicked, this, &MainWindowHandlers::startCorrection);
    connect(m_window.finishEntryButton, &QPushButton::clicked, this, &MainWindowHandlers::finishEntry);
    connect(m_window.convertButton, &QPushButton::clicked, this, &MainWindowHandlers::convert);
    connect(m_window.exitButton, &QPushButton::clicked, this, &MainWindowHandlers::exitRequested);
    connect(m_window.saveButton, &QPushButton::clicked, this, &MainWindowHandlers::saveRequested);
    connect(m_window.graphButton, &QPushButton::clicked, this, &MainWindowHandlers::graphRequested);
    // The results hold the distance they were converted with; a saved CSV must not pair them with another.
    connect(m_window.distanceEdit, &QLineEdit::textChanged, this, &MainWindowHandlers::invalidateResults);
}

bool MainWindowHandlers::eventFilter(QObject* watched, QEvent* event) {
    if (!IsEnterKey(event)) {
        return QObject::eventFilter(watched, event);
    }
    if (watched == m_window.distanceEdit) {
        distanceEntered();
    } else if (watched == m_window.pointCountEdit) {
        pointCountEntered();
    } else if (watched == m_window.pointNumberEdit) {
        pointNumberEntered();
    } else if (watched == m_window.readingEdit) {
        readingEntered();
    } else {
        return QObject::eventFilter(watched, event);
    }
    return true;
}

void MainWindowHandlers::setNumber(QLineEdit* box, double value) const {
    box->setText(ToQString(GeneralNumberText(value, LocaleDecimalSeparator())));
}

void MainWindowHandlers::refuse(const Refusal& refusal) {
    ShowMessage(&m_window, ToQString(refusal.message), QMessageBox::NoIcon);
}

void MainWindowHandlers::refuse(Reason reason) {
    refuse(tessaroven::Refuse(reason));
}

void MainWindowHandlers::refuseBox(QLineEdit* box, const QString& message, QMessageBox::Icon icon) {
    ShowMessage(&m_window, message, icon);
    box->setFocus();
    box->selectAll();
}

std::optional<double> MainWindowHandlers::readNumber(QLineEdit* box, Reason name) {
    const QString text = box->text();
    if (IsBlank(box)) {
        refuseBox(box, CatalogueText(Reason::NumberBoxEmpty, {Message(name)}));
        return std::nullopt;
    }
    const StrictNumber number = ReadTypedNumber(text.toStdString(), LocaleDecimalSeparator());
    if (!number.isNumber) {
        refuseBox(box, CatalogueText(Reason::NumberBoxInvalid, {Message(name), text.toStdString()}));
        return std::nullopt;
    }
    if (number.outOfRange) {
        refuseBox(box, CatalogueText(Reason::NumberOutOfRange));
        return std::nullopt;
    }
    return number.value;
}

std::optional<int> MainWindowHandlers::readPointCount() {
    QLineEdit* box = m_window.pointCountEdit;
    const std::string text = box->text().toStdString();
    const StrictNumber number = ReadTypedNumber(text, LocaleDecimalSeparator());
    if (number.outOfRange) {
        refuseBox(box, CatalogueText(Reason::NumberOutOfRange));
        return std::nullopt;
    }
    // The record holds the positions 0 to 30 cm.
    if (number.isNumber && number.value > kSlotCount) {
        refuseBox(box, CatalogueText(Reason::TooManyPositions));
        return std::nullopt;
    }
    if (!number.isNumber || !(number.value >= 1) || number.value != std::floor(number.value)) {
        refuseBox(box, CatalogueText(Reason::PointCountInvalid, {text, std::to_string(kSlotCount)}));
        return std::nullopt;
    }
    return static_cast<int>(number.value);
}

std::optional<std::vector<double>> MainWindowHandlers::readReadings() {
    QLineEdit* box = m_window.readingEdit;
    if (IsBlank(box)) {
        refuseBox(box, CatalogueText(Reason::MissingReading));
        return std::nullopt;
    }
    Expected<std::vector<double>> readings =
        ReadTypedReadings(box->text().toStdString(), LocaleDecimalSeparator());
    if (!readings) {
        refuseBox(box, ToQString(readings.error().message));
        return std::nullopt;
    }
    return std::move(*readings);
}

void MainWindowHandlers::load() {
    clearForNewMeasurement();
}

void MainWindowHandlers::clearForNewMeasurement() {
    // distanceEdit is kept for the next measurement; the buttons start as they did at the first show, so
    // that nothing converts, saves or draws the empty record.
    m_window.pointCountEdit->clear();
    m_window.pointNumberEdit->clear();
    m_window.offCentreEdit->clear();
    m_window.readingEdit->clear();
    m_window.readingList->clear();
    for (QPushButton* button : {m_window.storeReadingButton, m_window.convertButton, m_window.correctButton,
                                m_window.finishEntryButton}) {
        button->setEnabled(false);
    }
    invalidateResults();
    m_window.statusBar()->clearMessage();
    m_nonPositiveShown = false;
    (m_record.model == ConversionModel::Isotropic ? m_window.isotropicModelAction
                                                  : m_window.compatibleModelAction)
        ->setChecked(true);
    // The next measurement starts at the distance, as on the first show (not on the Exit button that took
    // the user back to the start screen).
    m_window.distanceEdit->setFocus();
}

void MainWindowHandlers::invalidateResults() {
    m_record.profile = {};
    m_record.relativePercent = {};
    m_record.resultLines = {};
    m_record.convertedDistanceCm = 0;
    m_record.convertedModel = m_record.model;
    m_window.resultList->clear();
    enableResultOutputs(false);
    emit resultsInvalidated();
}

void MainWindowHandlers::enableResultOutputs(bool enabled) {
    m_window.saveButton->setEnabled(enabled);
    m_window.graphButton->setEnabled(enabled);
    // Shortcuts reach the actions without their menu being opened.
    for (QAction* action : {m_window.exportCsvAction, m_window.exportProfileAction,
                            m_window.exportXcistAction, m_window.exportEgsnrcAction, m_window.reportAction,
                            m_window.printAction, m_window.resultsTableAction, m_window.graphAction}) {
        action->setEnabled(enabled);
    }
}

void MainWindowHandlers::showEditedReadings() {
    invalidateResults();
    listReadings();
    bool complete = true;
    const int lastPoint = std::min(LastPositionIndex(m_record.lastPosition + 1), kSlotCount);
    for (int i = 1; i <= lastPoint; ++i) {
        complete = complete && !m_record.readingLines[static_cast<std::size_t>(i)].empty();
    }
    m_window.finishEntryButton->setEnabled(complete);
    m_window.convertButton->setEnabled(complete);
    m_window.correctButton->setEnabled(complete || m_window.correctButton->isEnabled());
    emit measurementEdited();
}

// Enter checks what was typed; a box left empty is refused by the step that needs its number.
void MainWindowHandlers::distanceEntered() {
    if (IsBlank(m_window.distanceEdit) || readNumber(m_window.distanceEdit, Reason::DistanceBoxName)) {
        m_window.pointCountEdit->setFocus();
    }
}

void MainWindowHandlers::pointCountEntered() {
    if (IsBlank(m_window.pointCountEdit) || readPointCount()) {
        m_window.setupButton->setFocus();
    }
}

void MainWindowHandlers::pointNumberEntered() {
    if (const std::optional<double> pointNumber =
            readNumber(m_window.pointNumberEdit, Reason::PointNumberBoxName)) {
        setNumber(m_window.offCentreEdit, *pointNumber - 1);
        m_window.readingEdit->setFocus();
    }
}

void MainWindowHandlers::readingEntered() {
    if (IsBlank(m_window.readingEdit) || readReadings()) {
        m_window.storeReadingButton->setFocus();
    }
}

void MainWindowHandlers::confirmSetup() {
    for (QLineEdit* box : {m_window.distanceEdit, m_window.pointCountEdit}) {
        if (box->text().isEmpty()) {
            refuseBox(box, CatalogueText(Reason::MissingSetup), QMessageBox::Warning);
            return;
        }
    }
    if (!readNumber(m_window.distanceEdit, Reason::DistanceBoxName)) {
        return;
    }
    const std::optional<int> pointCount = readPointCount();
    if (!pointCount || !dropPositionsBeyond(*pointCount)) {
        return;
    }
    m_window.storeReadingButton->setEnabled(true);
    m_record.lastPosition = *pointCount - 1;
    invalidateResults();
    // Entered again, the count keeps the readings it still covers: the list shows each of them once.
    listReadings();
    emit measurementEdited();
    setNumber(m_window.pointNumberEdit, 1);
    setNumber(m_window.offCentreEdit, 0);
    m_window.readingEdit->clear();
    m_window.readingEdit->setFocus();
}

bool MainWindowHandlers::dropPositionsBeyond(int pointCount) {
    std::string positions;
    for (int k = pointCount; k < kSlotCount; ++k) {
        if (HoldsReading(m_record, k)) {
            AppendPosition(positions, k);
        }
    }
    if (positions.empty()) {
        return true;
    }
    if (!AskYesNo(&m_window,
                  CatalogueText(Reason::DropPositionsQuestion, {std::to_string(pointCount), positions}))) {
        // The box shows the count still in force.
        setNumber(m_window.pointCountEdit, m_record.lastPosition + 1);
        m_window.pointCountEdit->setFocus();
        m_window.pointCountEdit->selectAll();
        return false;
    }
    for (int k = pointCount; k < kSlotCount; ++k) {
        const auto slot = static_cast<std::size_t>(k);
        m_record.reading[slot] = 0;
        m_record.repeats[slot].clear();
        m_record.readingLines[slot + 1].clear();
    }
    return true;
}

void MainWindowHandlers::listReadings() {
    m_window.readingList->clear();
    // Never beyond the last line index.
    const int lastPoint = std::min(LastPositionIndex(m_record.lastPosition + 1), kSlotCount);
    for (int i = 1; i <= lastPoint; ++i) {
        const std::string& line = m_record.readingLines[static_cast<std::size_t>(i)];
        if (!line.empty()) {
            m_window.readingList->addItem(ToQString(line));
        }
    }
}

void MainWindowHandlers::warnAboutNonPositive(int firstPosition, int lastPosition, bool enteredOnly) {
    std::string positions;
    for (int k = firstPosition; k <= lastPosition; ++k) {
        const auto slot = static_cast<std::size_t>(k);
        if (enteredOnly && !HoldsReading(m_record, k)) {
            continue;
        }
        const std::vector<double>& repeats = m_record.repeats[slot];
        if (!(m_record.reading[slot] > 0) ||
            std::any_of(repeats.begin(), repeats.end(), [](double r) { return !(r > 0); })) {
            AppendPosition(positions, k);
        }
    }
    // Kept, as a reading of 0 or less can be real (a broken chamber, a background subtracted), but the
    // conversion turns it into a negative profile without a word.
    if (!positions.empty()) {
        m_window.statusBar()->showMessage(CatalogueText(Reason::NonPositiveReading, {positions}));
        m_nonPositiveShown = true;
    } else if (m_nonPositiveShown) {
        m_window.statusBar()->clearMessage();
        m_nonPositiveShown = false;
    }
}

void MainWindowHandlers::storeReading() {
    if (IsBlank(m_window.readingEdit)) {
        refuseBox(m_window.readingEdit, CatalogueText(Reason::MissingReading));
        return;
    }
    const std::optional<double> pointNumber =
        readNumber(m_window.pointNumberEdit, Reason::PointNumberBoxName);
    if (!pointNumber) {
        return;
    }
    const std::optional<double> offCentre = readNumber(m_window.offCentreEdit, Reason::OffCentreBoxName);
    if (!offCentre) {
        return;
    }
    // One reading, or several of one position: "100.2; 100.0; 99.9".
    std::optional<std::vector<double>> repeats = readReadings();
    if (!repeats) {
        return;
    }
    const double slot = std::floor(*offCentre);
    if (!IsSlotIndex(slot)) {
        refuseBox(m_window.offCentreEdit, CatalogueText(Reason::PositionOutOfRange));
        return;
    }
    const double lineIndex = RoundHalfEven(*pointNumber);
    if (!IsPointNumberIndex(lineIndex)) {
        refuseBox(m_window.pointNumberEdit, CatalogueText(Reason::PointNumberOutOfRange));
        return;
    }

    const auto k = static_cast<std::size_t>(slot);
    const auto line = static_cast<std::size_t>(lineIndex);
    if (repeats->size() > 1) {
        m_record.reading[k] = MeanOfRepeats(*repeats);
        m_record.readingLines[line] = RepeatsLineText(*pointNumber, slot, *repeats, LocaleDecimalSeparator());
        m_record.repeats[k] = std::move(*repeats);
    } else {
        m_record.reading[k] = repeats->front();
        m_record.readingLines[line] =
            EntryLineText(*pointNumber, slot, m_record.reading[k], LocaleDecimalSeparator());
        m_record.repeats[k].clear();
    }
    invalidateResults();
    // Rebuilt rather than appended to, so a position typed again is listed once.
    listReadings();
    emit measurementEdited();
    warnAboutNonPositive(static_cast<int>(k), static_cast<int>(k));

    if (m_record.correcting) {
        finishCorrection();
        return;
    }
    // The unfloored off-centre value decides whether this was the last position.
    if (*offCentre >= m_record.lastPosition) {
        reachLastPosition();
    } else {
        advanceToNextPoint(*pointNumber, *offCentre);
    }
}

void MainWindowHandlers::showMeasurement(double distance) {
    clearForNewMeasurement();
    const char separator = LocaleDecimalSeparator();
    m_window.distanceEdit->setText(ToQString(GeneralNumberText(distance, separator)));
    m_window.pointCountEdit->setText(ToQString(GeneralNumberText(m_record.lastPosition + 1, separator)));
    const int last = std::min(LastPositionIndex(m_record.lastPosition), kLastSlot);
    for (int k = 0; k <= last; ++k) {
        const std::vector<double>& repeats = m_record.repeats[static_cast<std::size_t>(k)];
        std::string& line = m_record.readingLines[static_cast<std::size_t>(k + 1)];
        line = repeats.size() > 1
                   ? RepeatsLineText(k + 1, k, repeats, separator)
                   : EntryLineText(k + 1, k, m_record.reading[static_cast<std::size_t>(k)], separator);
    }
    listReadings();
    // As after typing every reading and choosing no correction: ready to convert, or to correct.
    for (QPushButton* button : {m_window.storeReadingButton, m_window.correctButton,
                                m_window.finishEntryButton, m_window.convertButton}) {
        button->setEnabled(true);
    }
    m_window.convertButton->setFocus();
}

void MainWindowHandlers::followRecord(bool readingsChanged) {
    invalidateResults();
    listReadings();
    (m_record.model == ConversionModel::Isotropic ? m_window.isotropicModelAction
                                                  : m_window.compatibleModelAction)
        ->setChecked(true);
    const int last = std::min(LastPositionIndex(m_record.lastPosition), kLastSlot);
    warnAboutNonPositive(0, last, true);
    if (!readingsChanged || !m_window.storeReadingButton->isEnabled()) {
        return;
    }
    // The next reading typed fills the gap the undo left rather than one beyond it.
    for (int k = 0; k <= last; ++k) {
        if (!HoldsReading(m_record, k)) {
            advanceToNextPoint(k, k - 1);
            return;
        }
    }
    reachLastPosition();
}

void MainWindowHandlers::finishCorrection() {
    m_record.correcting = false;
    m_window.finishEntryButton->setFocus();
}

void MainWindowHandlers::reachLastPosition() {
    m_window.pointNumberEdit->clear();
    m_window.offCentreEdit->clear();
    m_window.readingEdit->clear();
    m_window.correctButton->setEnabled(true);
    m_window.finishEntryButton->setEnabled(true);
    m_window.finishEntryButton->setFocus();
}

void MainWindowHandlers::advanceToNextPoint(double pointNumber, double offCentre) {
    setNumber(m_window.pointNumberEdit, pointNumber + 1);
    setNumber(m_window.offCentreEdit, offCentre + 1);
    m_window.readingEdit->clear();
    m_window.readingEdit->setFocus();
}

void MainWindowHandlers::startCorrection() {
    m_window.pointNumberEdit->clear();
    m_window.offCentreEdit->clear();
    m_window.readingEdit->clear();
    m_record.correcting = true;
    m_window.pointNumberEdit->setFocus();
}

void MainWindowHandlers::finishEntry() {
    m_window.convertButton->setEnabled(true);
    m_window.convertButton->setFocus();
}

void MainWindowHandlers::convert() {
    if (m_converting) {
        return;  // already converting further up the stack
    }
    // A failed conversion leaves no results behind: those of an earlier one no longer match the fields.
    const QString distanceText = m_window.distanceEdit->text();
    const StrictNumber distance = ReadTypedNumber(distanceText.toStdString(), LocaleDecimalSeparator());
    if (!distance.isNumber || distance.outOfRange) {
        invalidateResults();
        readNumber(m_window.distanceEdit, Reason::DistanceBoxName);
        return;
    }
    const QScopedValueRollback converting(m_converting, true);
    // The conversion works on a copy; the record changes only when every step succeeded.
    Conversion conversion(m_record, distance.value, LocaleDecimalSeparator());
    MaybeRefusal refusal = conversion.BuildGrid();
    if (!refusal) {
        YieldToPendingEvents();
        refusal = conversion.Solve();
    }
    if (!refusal) {
        YieldToPendingEvents();
        refusal = conversion.Finish();
    }
    if (refusal) {
        invalidateResults();
        const bool aboutDistance =
            refusal->reason == Reason::DistanceNotANumber || refusal->reason == Reason::DistanceTooShort;
        if (aboutDistance) {
            refuseBox(m_window.distanceEdit, ToQString(refusal->message));
        } else {
            refuse(*refusal);
        }
        return;
    }
    conversion.CommitTo(m_record);
    fillResultList();
    emit converted();
    enableResultOutputs(true);
    warnAboutNonPositive(0, std::min(LastPositionIndex(m_record.lastPosition), kLastSlot));
}

void MainWindowHandlers::fillResultList() {
    m_window.resultList->clear();
    const int last = LastPositionIndex(m_record.lastPosition);
    for (int i = 0; i <= last && i <= kLastSlot; ++i) {
        m_window.resultList->addItem(ToQString(m_record.resultLines[static_cast<std::size_t>(i)]));
    }
}

}  // namespace tessaroven
