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

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "calc/conversion.h"
#include "entry/entry_line.h"
#include "record/measurement_file.h"
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

ParsedNumber MainWindowHandlers::parse(const QLineEdit* box) const {
    return ParseTypedNumber(box->text().toStdString());
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

void MainWindowHandlers::load() {
    clearForNewMeasurement();
    for (QPushButton* button : {m_window.storeReadingButton, m_window.convertButton, m_window.correctButton,
                                m_window.finishEntryButton, m_window.saveButton, m_window.graphButton}) {
        button->setEnabled(false);
    }
}

void MainWindowHandlers::clearForNewMeasurement() {
    // distanceEdit and the buttons' states are kept for the next measurement.
    m_window.pointCountEdit->clear();
    m_window.pointNumberEdit->clear();
    m_window.offCentreEdit->clear();
    m_window.readingEdit->clear();
    m_window.readingList->clear();
    m_window.resultList->clear();
    (m_record.model == ConversionModel::Isotropic ? m_window.isotropicModelAction
                                                  : m_window.compatibleModelAction)
        ->setChecked(true);
    // The next measurement starts at the distance, as on the first show (not on the Exit button that took
    // the user back to the start screen).
    m_window.distanceEdit->setFocus();
}

void MainWindowHandlers::clearResults() {
    m_record.profile = {};
    m_record.relativePercent = {};
    m_record.resultLines = {};
    m_record.convertedDistanceCm = 0;
    m_record.convertedModel = m_record.model;
    m_window.resultList->clear();
    m_window.saveButton->setEnabled(false);
    m_window.graphButton->setEnabled(false);
    if (m_window.convertButton->isEnabled()) {
        m_window.convertButton->setFocus();
    }
}

void MainWindowHandlers::showEditedReadings() {
    if (m_record.convertedDistanceCm > 0) {
        clearResults();
    }
    m_window.readingList->clear();
    bool complete = true;
    const int lastPoint = std::min(LastPositionIndex(m_record.lastPosition + 1), kSlotCount);
    for (int i = 1; i <= lastPoint; ++i) {
        const std::string& line = m_record.readingLines[static_cast<std::size_t>(i)];
        complete = complete && !line.empty();
        if (!line.empty()) {
            m_window.readingList->addItem(ToQString(line));
        }
    }
    m_window.finishEntryButton->setEnabled(complete);
    m_window.convertButton->setEnabled(complete);
    m_window.correctButton->setEnabled(complete || m_window.correctButton->isEnabled());
    emit measurementEdited();
}

void MainWindowHandlers::distanceEntered() {
    m_window.pointCountEdit->setFocus();
}

void MainWindowHandlers::pointCountEntered() {
    m_window.setupButton->setFocus();
}

void MainWindowHandlers::pointNumberEntered() {
    const ParsedNumber pointNumber = parse(m_window.pointNumberEdit);
    if (pointNumber.outOfRange) {
        refuse(Reason::NumberOutOfRange);
        return;
    }
    setNumber(m_window.offCentreEdit, pointNumber.value - 1);
    m_window.readingEdit->setFocus();
}

void MainWindowHandlers::readingEntered() {
    m_window.storeReadingButton->setFocus();
}

void MainWindowHandlers::confirmSetup() {
    if (m_window.distanceEdit->text().isEmpty() || m_window.pointCountEdit->text().isEmpty()) {
        ShowMessage(&m_window, ToQString(Message(Reason::MissingSetup)), QMessageBox::Warning);
        return;
    }
    const ParsedNumber points = parse(m_window.pointCountEdit);
    if (points.outOfRange) {
        refuse(Reason::NumberOutOfRange);
        return;
    }
    const double pointCount = std::floor(points.value);
    // The record holds the positions 0 to 30 cm.
    if (pointCount > kSlotCount) {
        refuse(Reason::TooManyPositions);
        return;
    }
    m_window.storeReadingButton->setEnabled(true);
    m_record.lastPosition = pointCount - 1;
    emit measurementEdited();
    setNumber(m_window.pointNumberEdit, 1);
    setNumber(m_window.offCentreEdit, 0);
    m_window.readingEdit->clear();
    m_window.readingEdit->setFocus();
}

void MainWindowHandlers::storeReading() {
    if (m_window.readingEdit->text().isEmpty()) {
        refuse(Reason::MissingReading);
        return;
    }
    const ParsedNumber pointNumber = parse(m_window.pointNumberEdit);
    const ParsedNumber offCentre = parse(m_window.offCentreEdit);
    const ParsedNumber value = parse(m_window.readingEdit);
    if (pointNumber.outOfRange || offCentre.outOfRange || value.outOfRange) {
        refuse(Reason::NumberOutOfRange);
        return;
    }
    // Several readings of one position: "100.2; 100.0; 99.9".
    std::vector<double> repeats;
    const std::string typed = m_window.readingEdit->text().toStdString();
    if (typed.find(';') != std::string::npos) {
        Expected<std::vector<double>> parsed = ParseRepeats(typed);
        if (!parsed) {
            refuse(parsed.error());
            return;
        }
        repeats = std::move(*parsed);
    }
    const double slot = std::floor(offCentre.value);
    if (!IsSlotIndex(slot)) {
        refuse(Reason::PositionOutOfRange);
        return;
    }
    const double lineIndex = RoundHalfEven(pointNumber.value);
    if (!IsPointNumberIndex(lineIndex)) {
        refuse(Reason::PointNumberOutOfRange);
        return;
    }

    const auto k = static_cast<std::size_t>(slot);
    const auto line = static_cast<std::size_t>(lineIndex);
    if (repeats.size() > 1) {
        m_record.reading[k] = MeanOfRepeats(repeats);
        m_record.readingLines[line] =
            RepeatsLineText(pointNumber.value, slot, repeats, LocaleDecimalSeparator());
        m_record.repeats[k] = std::move(repeats);
    } else {
        m_record.reading[k] = repeats.empty() ? value.value : repeats.front();
        m_record.readingLines[line] =
            EntryLineText(pointNumber.value, slot, m_record.reading[k], LocaleDecimalSeparator());
        m_record.repeats[k].clear();
    }
    m_window.readingList->addItem(ToQString(m_record.readingLines[line]));
    emit measurementEdited();

    if (m_record.correcting) {
        finishCorrection();
        return;
    }
    // The unfloored off-centre value decides whether this was the last position.
    if (offCentre.value >= m_record.lastPosition) {
        reachLastPosition();
    } else {
        advanceToNextPoint(pointNumber.value, offCentre.value);
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
        m_window.readingList->addItem(ToQString(line));
    }
    // As after typing every reading and choosing no correction: ready to convert, or to correct.
    for (QPushButton* button : {m_window.storeReadingButton, m_window.correctButton,
                                m_window.finishEntryButton, m_window.convertButton}) {
        button->setEnabled(true);
    }
    m_window.saveButton->setEnabled(false);
    m_window.graphButton->setEnabled(false);
    m_window.convertButton->setFocus();
}

void MainWindowHandlers::finishCorrection() {
    // The list is rebuilt in point order; it never reaches beyond the last line index.
    m_window.readingList->clear();
    const int lastPoint = std::min(LastPositionIndex(m_record.lastPosition + 1), kSlotCount);
    for (int i = 1; i <= lastPoint; ++i) {
        m_window.readingList->addItem(ToQString(m_record.readingLines[static_cast<std::size_t>(i)]));
    }
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
    const ParsedNumber distance = parse(m_window.distanceEdit);
    if (distance.outOfRange) {
        refuse(Reason::NumberOutOfRange);
        return;
    }
    const QScopedValueRollback converting(m_converting, true);
    // The conversion works on a copy; the record changes only when every step succeeded.
    Conversion conversion(m_record, distance.value, LocaleDecimalSeparator());
    if (const MaybeRefusal refusal = conversion.BuildGrid()) {
        refuse(*refusal);
        return;
    }
    YieldToPendingEvents();
    if (const MaybeRefusal refusal = conversion.Solve()) {
        refuse(*refusal);
        return;
    }
    YieldToPendingEvents();
    if (const MaybeRefusal refusal = conversion.Finish()) {
        refuse(*refusal);
        return;
    }
    conversion.CommitTo(m_record);
    fillResultList();
    emit converted();
    m_window.saveButton->setEnabled(true);
    m_window.graphButton->setEnabled(true);
}

void MainWindowHandlers::fillResultList() {
    m_window.resultList->clear();
    const int last = LastPositionIndex(m_record.lastPosition);
    for (int i = 0; i <= last && i <= kLastSlot; ++i) {
        m_window.resultList->addItem(ToQString(m_record.resultLines[static_cast<std::size_t>(i)]));
    }
}

}  // namespace tessaroven
