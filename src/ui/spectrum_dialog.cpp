// SpectrumDialog's form and OK check.
#include "ui/spectrum_dialog.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

#include <cmath>

#include "calc/al_equivalent.h"
#include "calc/number_text.h"
#include "entry/main_window_handlers.h"
#include "files/format_files.h"
#include "formats/bowtie_exports.h"
#include "messages/catalogue.h"
#include "messages/echoed_text.h"
#include "plot/fonts.h"
#include "ui/layout.h"
#include "ui/message_box.h"

namespace tessaroven {

namespace {

constexpr const char* kCaption = QT_TRANSLATE_NOOP("Tessaroven", "スペクトル");
constexpr const char* kFileCaption = QT_TRANSLATE_NOOP("Tessaroven", "中心のスペクトルのファイル");
constexpr const char* kBrowseCaption = QT_TRANSLATE_NOOP("Tessaroven", "参照…");
constexpr const char* kCentreAlCaption =
    QT_TRANSLATE_NOOP("Tessaroven", "ボウタイ中心の Al 当量厚 (mm)\n(わからないときは空欄)");
constexpr const char* kAngleStepCaption =
    QT_TRANSLATE_NOOP("Tessaroven", "書き出すファイルの角度の刻み (度)");
constexpr const char* kRemoveCaption = QT_TRANSLATE_NOOP("Tessaroven", "スペクトルを外す");
constexpr double kFontPoints = 10.5;
constexpr int kFieldWidthCharacters = 48;
const QString kAngleStepKey = QStringLiteral("bowtie/angleStepDeg");

QString NumberText(double value) {
    return QString::fromStdString(GeneralNumberText(value, LocaleDecimalSeparator()));
}

// The field's number when it is one at or above lowest; nothing for an empty field (when allowed).
struct FieldNumber {
    bool valid = false;
    std::optional<double> value;
};
FieldNumber ReadNumber(const QLineEdit& field, double lowest, bool emptyAllowed) {
    const QString text = field.text();
    if (text.trimmed().isEmpty()) {
        return {emptyAllowed, std::nullopt};
    }
    // As the converter reads --centre-al and --angle-step, and the separator the dialog writes its numbers
    // in.
    const StrictNumber number = ReadTypedNumber(text.toStdString(), LocaleDecimalSeparator());
    if (!number.isNumber || number.outOfRange || !std::isfinite(number.value) || !(number.value >= lowest)) {
        return {};
    }
    return {true, number.value};
}

QLineEdit* AddField(QFormLayout& form, QWidget* owner, const char* caption, const char* name,
                    const QString& text, QWidget* beside = nullptr) {
    auto* field = new QLineEdit(text, owner);
    field->setObjectName(QString::fromLatin1(name));
    field->setMinimumWidth(field->fontMetrics().averageCharWidth() * kFieldWidthCharacters);
    auto* label = new QLabel(UiText(caption), owner);
    label->setBuddy(field);
    if (beside == nullptr) {
        form.addRow(label, field);
    } else {
        auto* row = new QHBoxLayout;
        row->addWidget(field);
        row->addWidget(beside);
        form.addRow(label, row);
    }
    return field;
}

}  // namespace

double BowtieAngleStepDeg() {
    bool ok = false;
    const double step = QSettings().value(kAngleStepKey).toDouble(&ok);
    return ok && std::isfinite(step) && step >= kSmallestAngleStepDeg ? step : kDefaultAngleStepDeg;
}

SpectrumDialog::SpectrumDialog(const std::optional<MeasurementSpectrum>& current, Browse browse,
                               QWidget* parent)
    : QDialog(parent), m_current(current) {
    setWindowTitle(UiText(kCaption));
    setFont(LayoutFont(FontFace::Meiryo, kFontPoints));
    browseButton = new QPushButton(UiText(kBrowseCaption), this);
    browseButton->setObjectName(QStringLiteral("browseButton"));
    browseButton->setAutoDefault(false);
    auto* form = new QFormLayout;
    fileEdit = AddField(*form, this, kFileCaption, "spectrumFileEdit",
                        current ? QString::fromStdString(current->fileName) : QString(), browseButton);
    centreAlEdit = AddField(*form, this, kCentreAlCaption, "centreAlEdit",
                            current && current->centreAlMm ? NumberText(*current->centreAlMm) : QString());
    m_shownCentre = centreAlEdit->text();
    angleStepEdit =
        AddField(*form, this, kAngleStepCaption, "angleStepEdit", NumberText(BowtieAngleStepDeg()));
    connect(browseButton, &QPushButton::clicked, this, [this, browse = std::move(browse)] {
        const QString path = browse(fileEdit->text());
        if (!path.isEmpty()) {
            fileEdit->setText(path);
        }
    });

    QDialogButtonBox* buttons = OkCancelButtons(this);
    okButton = buttons->button(QDialogButtonBox::Ok);
    cancelButton = buttons->button(QDialogButtonBox::Cancel);
    removeButton = buttons->addButton(UiText(kRemoveCaption), QDialogButtonBox::ResetRole);
    removeButton->setObjectName(QStringLiteral("removeSpectrumButton"));
    removeButton->setAutoDefault(false);
    connect(removeButton, &QPushButton::clicked, this, [this] {
        fileEdit->clear();
        centreAlEdit->clear();
    });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void SpectrumDialog::refuse(QLineEdit* field, const QString& message) {
    ShowMessage(this, message, QMessageBox::Warning);
    field->setFocus();
    field->selectAll();
}

void SpectrumDialog::accept() {
    const FieldNumber centre = ReadNumber(*centreAlEdit, 0, true);
    if (!centre.valid) {
        refuse(centreAlEdit,
               QString::fromStdString(Message(Reason::SpectrumCentreAlInvalid,
                                              {EchoedText(centreAlEdit->text().toStdString())})));
        return;
    }
    const FieldNumber step = ReadNumber(*angleStepEdit, kSmallestAngleStepDeg, false);
    if (!step.valid) {
        refuse(angleStepEdit,
               QString::fromStdString(
                   Message(Reason::AngleStepInvalid, {EchoedText(angleStepEdit->text().toStdString())})));
        return;
    }
    const QString fileName = fileEdit->text().trimmed();
    std::optional<MeasurementSpectrum> chosen;
    if (m_current && fileName == QString::fromStdString(m_current->fileName)) {
        chosen = m_current;
    } else if (!fileName.isEmpty()) {
        Expected<ParsedSpectrum> read = ReadSpectrumFile(QFile::encodeName(fileName).toStdString());
        if (!read) {
            refuse(fileEdit, QString::fromStdString(read.error().message));
            return;
        }
        if (const Expected<AttenuationTable> table = MakeAttenuationTable(read->spectrum); !table) {
            refuse(fileEdit, QString::fromStdString(table.error().message));
            return;
        }
        chosen =
            MeasurementSpectrum{fileName.toStdString(), read->form, std::move(read->spectrum), std::nullopt};
    }
    if (chosen) {
        const bool asShown = m_current && centreAlEdit->text() == m_shownCentre;
        chosen->centreAlMm = asShown ? m_current->centreAlMm : centre.value;
    }
    m_chosen = std::move(chosen);
    QSettings().setValue(kAngleStepKey, *step.value);
    QDialog::accept();
}

bool EditSpectrum(QWidget* parent, std::optional<MeasurementSpectrum>& spectrum,
                  SpectrumDialog::Browse browse) {
    SpectrumDialog dialog(spectrum, std::move(browse), parent);
    if (dialog.exec() != QDialog::Accepted || dialog.chosen() == spectrum) {
        return false;
    }
    spectrum = dialog.chosen();
    return true;
}

}  // namespace tessaroven
