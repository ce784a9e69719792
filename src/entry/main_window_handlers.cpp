// The main window's entry, correction and conversion handlers.
#include "entry/main_window_handlers.h"

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
#include "ui/form1.h"
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

MainWindowHandlers::MainWindowHandlers(Form1& form, MeasurementRecord& record, QObject* parent)
    : QObject(parent), m_form(form), m_record(record) {
    // Enter is taken before the text box sees it, whatever Shift, Ctrl or Alt; other keys go to the box.
    for (QLineEdit* box : {m_form.Text1, m_form.Text29, m_form.Text2, m_form.Text31}) {
        box->installEventFilter(this);
    }
    connect(m_form.Command2, &QPushButton::clicked, this, &MainWindowHandlers::OnCommand2Click);
    connect(m_form.Command4, &QPushButton::clicked, this, &MainWindowHandlers::OnCommand4Click);
    connect(m_form.Command1, &QPushButton::clicked, this, &MainWindowHandlers::OnCommand1Click);
    connect(m_form.Command6, &QPushButton::clicked, this, &MainWindowHandlers::OnCommand6Click);
    connect(m_form.Command5, &QPushButton::clicked, this, &MainWindowHandlers::OnCommand5Click);
    connect(m_form.Command3, &QPushButton::clicked, this, &MainWindowHandlers::exitRequested);
    connect(m_form.Command7, &QPushButton::clicked, this, &MainWindowHandlers::saveRequested);
    connect(m_form.Command8, &QPushButton::clicked, this, &MainWindowHandlers::graphRequested);
}

bool MainWindowHandlers::eventFilter(QObject* watched, QEvent* event) {
    if (!IsEnterKey(event)) {
        return QObject::eventFilter(watched, event);
    }
    if (watched == m_form.Text1) {
        OnText1Enter();
    } else if (watched == m_form.Text29) {
        OnText29Enter();
    } else if (watched == m_form.Text2) {
        OnText2Enter();
    } else if (watched == m_form.Text31) {
        OnText31Enter();
    } else {
        return QObject::eventFilter(watched, event);
    }
    return true;
}

ParsedNumber MainWindowHandlers::Parse(const QLineEdit* box) const {
    return ParseLeadingNumber(box->text().toStdString());
}

void MainWindowHandlers::SetNumber(QLineEdit* box, double value) const {
    box->setText(ToQString(GeneralNumberText(value, LocaleDecimalSeparator())));
}

void MainWindowHandlers::Refuse(const QString& message) {
    ShowMessage(&m_form, message, QMessageBox::NoIcon);
}

void MainWindowHandlers::Refuse(const Refusal& refusal) {
    Refuse(ToQString(refusal.message));
}

void MainWindowHandlers::Refuse(RefusalReason reason) {
    Refuse(tessaroven::Refuse(reason));
}

void MainWindowHandlers::OnLoad() {
    ClearForNewMeasurement();
    for (QPushButton* button : {m_form.Command4, m_form.Command5, m_form.Command1, m_form.Command6,
                                m_form.Command7, m_form.Command8}) {
        button->setEnabled(false);
    }
}

void MainWindowHandlers::ClearForNewMeasurement() {
    // Text1 and the buttons' states are kept for the next measurement.
    m_form.Text29->clear();
    m_form.Text2->clear();
    m_form.Text30->clear();
    m_form.Text31->clear();
    m_form.List1->clear();
    m_form.List2->clear();
}

void MainWindowHandlers::OnText1Enter() {
    m_form.Text29->setFocus();
}

void MainWindowHandlers::OnText29Enter() {
    m_form.Command2->setFocus();
}

void MainWindowHandlers::OnText2Enter() {
    const ParsedNumber pointNumber = Parse(m_form.Text2);
    if (pointNumber.outOfRange) {
        Refuse(RefusalReason::NumberOutOfRange);
        return;
    }
    SetNumber(m_form.Text30, pointNumber.value - 1);
    m_form.Text31->setFocus();
}

void MainWindowHandlers::OnText31Enter() {
    m_form.Command4->setFocus();
}

void MainWindowHandlers::OnCommand2Click() {
    if (m_form.Text1->text().isEmpty() || m_form.Text29->text().isEmpty()) {
        ShowMessage(&m_form, QString::fromUtf8(kMissingSetupMessage), QMessageBox::Warning);
        return;
    }
    const ParsedNumber points = Parse(m_form.Text29);
    if (points.outOfRange) {
        Refuse(RefusalReason::NumberOutOfRange);
        return;
    }
    const double pointCount = std::floor(points.value);
    // More points could never be completed: the last point number would not fit the reading list.
    if (pointCount > kMaxPointCount) {
        Refuse(QString::fromUtf8(kTooManyPointsMessage));
        return;
    }
    m_form.Command4->setEnabled(true);
    m_record.PointCount = pointCount - 1;
    SetNumber(m_form.Text2, 1);
    SetNumber(m_form.Text30, 0);
    m_form.Text31->clear();
    m_form.Text31->setFocus();
}

void MainWindowHandlers::OnCommand4Click() {
    if (m_form.Text31->text().isEmpty()) {
        Refuse(QString::fromUtf8(kMissingReadingMessage));
        return;
    }
    const ParsedNumber pointNumber = Parse(m_form.Text2);
    const ParsedNumber offCentre = Parse(m_form.Text30);
    const ParsedNumber value = Parse(m_form.Text31);
    if (pointNumber.outOfRange || offCentre.outOfRange || value.outOfRange) {
        Refuse(RefusalReason::NumberOutOfRange);
        return;
    }
    const double slot = std::floor(offCentre.value);
    if (!IsSlotIndex(slot)) {
        Refuse(QString::fromUtf8(kSlotOutOfRangeMessage));
        return;
    }
    const double lineIndex = RoundHalfEven(pointNumber.value);
    if (!IsSlotIndex(lineIndex)) {
        Refuse(QString::fromUtf8(kPointNumberOutOfRangeMessage));
        return;
    }

    const auto k = static_cast<std::size_t>(slot);
    const auto line = static_cast<std::size_t>(lineIndex);
    m_record.Reading[k] = value.value;
    m_record.EntryLine[line] =
        EntryLineText(pointNumber.value, slot, m_record.Reading[k], LocaleDecimalSeparator());
    m_form.List1->addItem(ToQString(m_record.EntryLine[line]));

    if (m_record.EditMode == 1) {
        FinishCorrection();
        return;
    }
    // The unfloored off-centre value decides whether this was the last position.
    if (offCentre.value >= m_record.PointCount) {
        EndOfEntry();
    } else {
        AdvanceToNextPoint(pointNumber.value, offCentre.value);
    }
}

void MainWindowHandlers::FinishCorrection() {
    // The list is rebuilt in point order; it never reaches beyond the last line index.
    m_form.List1->clear();
    const int lastPoint = std::min(LastPositionIndex(m_record.PointCount + 1), kLastSlot);
    for (int i = 1; i <= lastPoint; ++i) {
        m_form.List1->addItem(ToQString(m_record.EntryLine[static_cast<std::size_t>(i)]));
    }
    m_record.EditMode = 0;
    m_form.Command6->setFocus();
}

void MainWindowHandlers::EndOfEntry() {
    m_form.Text2->clear();
    m_form.Text30->clear();
    m_form.Text31->clear();
    m_form.Command1->setEnabled(true);
    m_form.Command6->setEnabled(true);
    m_form.Command6->setFocus();
}

void MainWindowHandlers::AdvanceToNextPoint(double pointNumber, double offCentre) {
    SetNumber(m_form.Text2, pointNumber + 1);
    SetNumber(m_form.Text30, offCentre + 1);
    m_form.Text31->clear();
    m_form.Text31->setFocus();
}

void MainWindowHandlers::OnCommand1Click() {
    m_form.Text2->clear();
    m_form.Text30->clear();
    m_form.Text31->clear();
    m_record.EditMode = 1;
    m_form.Text2->setFocus();
}

void MainWindowHandlers::OnCommand6Click() {
    m_form.Command5->setEnabled(true);
    m_form.Command5->setFocus();
}

void MainWindowHandlers::OnCommand5Click() {
    if (m_converting) {
        return;  // already converting further up the stack
    }
    const ParsedNumber distance = Parse(m_form.Text1);
    if (distance.outOfRange) {
        Refuse(RefusalReason::NumberOutOfRange);
        return;
    }
    const QScopedValueRollback converting(m_converting, true);
    // The conversion works on a copy; the record changes only when every step succeeded.
    Conversion conversion(m_record, distance.value, LocaleDecimalSeparator());
    if (const MaybeRefusal refusal = conversion.BuildGrid()) {
        Refuse(*refusal);
        return;
    }
    YieldToPendingEvents();
    if (const MaybeRefusal refusal = conversion.Solve()) {
        Refuse(*refusal);
        return;
    }
    YieldToPendingEvents();
    if (const MaybeRefusal refusal = conversion.Finish()) {
        Refuse(*refusal);
        return;
    }
    conversion.CommitTo(m_record);
    FillResultList();
    m_form.Command7->setEnabled(true);
    m_form.Command8->setEnabled(true);
}

void MainWindowHandlers::FillResultList() {
    m_form.List2->clear();
    const int last = LastPositionIndex(m_record.PointCount);
    for (int i = 0; i <= last && i <= kLastSlot; ++i) {
        m_form.List2->addItem(ToQString(m_record.ResultLine[static_cast<std::size_t>(i)]));
    }
}

}  // namespace tessaroven
