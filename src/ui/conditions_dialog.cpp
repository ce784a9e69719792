// ConditionsDialog's layout table, construction and OK check.
#include "ui/conditions_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <optional>

#include "calc/condition_fields.h"
#include "calc/number_text.h"
#include "entry/main_window_handlers.h"
#include "messages/catalogue.h"
#include "plot/fonts.h"
#include "ui/layout.h"
#include "ui/message_box.h"

namespace tessaroven {

namespace {

constexpr const char* kCaption = QT_TRANSLATE_NOOP("Tessaroven", "測定条件");
constexpr double kFontPoints = 10.5;
constexpr int kFieldWidthCharacters = 40;  // the width of a field, in average characters of the font

QString ShownText(const ConditionField& row, const MeasurementRecord& record) {
    if (row.text != nullptr) {
        return QString::fromStdString(record.conditions.*row.text);
    }
    const std::optional<double>& number = *ConditionNumber(row, record);
    return number ? QString::fromStdString(GeneralNumberText(*number, LocaleDecimalSeparator())) : QString();
}

}  // namespace

ConditionsDialog::ConditionsDialog(MeasurementRecord& record, QWidget* parent)
    : QDialog(parent), m_record(record) {
    setWindowTitle(UiText(kCaption));
    setFont(LayoutFont(FontFace::Meiryo, kFontPoints));
    // Created in the table's order, so the focus moves from top to bottom and then to the buttons. The
    // comment, the measurement's headline, comes first.
    auto* form = new QFormLayout;
    commentEdit = new QLineEdit(QString::fromStdString(record.comment), this);
    commentEdit->setObjectName(QStringLiteral("commentEdit"));
    auto* commentLabel = new QLabel(CatalogueText(Reason::ReportCommentLabel), this);
    commentLabel->setObjectName(QStringLiteral("commentLabel"));
    commentLabel->setBuddy(commentEdit);
    form->addRow(commentLabel, commentEdit);
    for (const ConditionField& row : ConditionFields()) {
        const QString name = QString::fromLatin1(row.key) + QStringLiteral("Edit");
        QString caption = CatalogueText(row.label);
        if (row.note) {
            caption += QStringLiteral("\n(") + CatalogueText(*row.note) + QStringLiteral(")");
        }
        auto* label = new QLabel(caption, this);
        label->setObjectName(name.chopped(4) + QStringLiteral("Label"));
        auto* field = new QLineEdit(ShownText(row, record), this);
        field->setObjectName(name);
        field->setMinimumWidth(field->fontMetrics().averageCharWidth() * kFieldWidthCharacters);
        label->setBuddy(field);
        form->addRow(label, field);
        m_fields.push_back(field);
        m_shown.push_back(field->text());
    }
    QDialogButtonBox* buttons = OkCancelButtons(this);
    okButton = buttons->button(QDialogButtonBox::Ok);
    cancelButton = buttons->button(QDialogButtonBox::Cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void ConditionsDialog::accept() {
    MeasurementRecord edited = m_record;  // a refused field leaves the record as it was
    const auto refuse = [this](const Refusal& refusal, QLineEdit* field) {
        ShowMessage(this, QString::fromStdString(refusal.message), QMessageBox::Warning);
        field->setFocus();
        field->selectAll();
    };
    // A pasted line break would end the result file's first line early.
    if (commentEdit->text().contains(QLatin1Char('\n')) || commentEdit->text().contains(QLatin1Char('\r'))) {
        refuse(Refuse(Reason::LineBreakInComment), commentEdit);
        return;
    }
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        const QString text = m_fields[i]->text();
        // A field left as shown keeps the record's value: a number is shown with 15 significant digits, and
        // read back it might differ in its last bits.
        if (text == m_shown[i]) {
            continue;
        }
        if (const MaybeRefusal refusal = ReadConditionField(ConditionFields()[i], text.toStdString(), edited,
                                                            LocaleDecimalSeparator())) {
            refuse(*refusal, m_fields[i]);
            return;
        }
    }
    m_record.comment = commentEdit->text().toStdString();
    m_record.conditions = edited.conditions;
    m_record.readingRepeatabilityPercent = edited.readingRepeatabilityPercent;
    m_record.calibrationUncertaintyPercent = edited.calibrationUncertaintyPercent;
    QDialog::accept();
}

bool EditConditions(QWidget* parent, MeasurementRecord& record) {
    ConditionsDialog dialog(record, parent);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace tessaroven
