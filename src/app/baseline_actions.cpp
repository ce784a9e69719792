// The baseline in the desktop program.
#include "app/baseline_actions.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QInputDialog>
#include <QSettings>

#include <cmath>
#include <utility>

#include "calc/comparison.h"
#include "files/format_files.h"
#include "formats/measurement_file.h"
#include "messages/catalogue.h"
#include "ui/main_window.h"
#include "ui/message_box.h"

namespace tessaroven {

namespace {

const QString kToleranceKey = QStringLiteral("comparison/tolerancePercent");
const QString kBaselineFolderKey = QStringLiteral("comparison/lastFolder");

// Leads a refusal about the baseline's file.
std::string PlaceOf(const QString& path) {
    return Message(Reason::BaselineFilePlace, {QFileInfo(path).fileName().toStdString()});
}

}  // namespace

BaselineActions::BaselineActions(MainWindow& window, const MeasurementRecord& record)
    : QObject(&window), m_window(window), m_record(record) {
    m_chooser = [this](const QString& title, const QString& folder, const QString& filter, bool forSaving) {
        return ChooseFileWithDialog(&m_window, title, folder, filter, forSaving);
    };
    m_asker = [this](double current) -> std::optional<double> {
        QInputDialog dialog(&m_window);
        dialog.setInputMode(QInputDialog::DoubleInput);
        dialog.setWindowTitle(CatalogueText(Reason::ToleranceTitle));
        dialog.setLabelText(CatalogueText(Reason::TolerancePrompt));
        dialog.setDoubleRange(0, 100);
        dialog.setDoubleDecimals(2);
        dialog.setDoubleValue(current);
        dialog.setOkButtonText(QStringLiteral("OK"));
        dialog.setCancelButtonText(CatalogueText(Reason::CancelChoice));
        return dialog.exec() == QDialog::Accepted ? std::optional<double>(dialog.doubleValue())
                                                  : std::nullopt;
    };
    connect(m_window.compareBaselineAction, &QAction::triggered, this, &BaselineActions::compare);
    connect(m_window.removeBaselineAction, &QAction::triggered, this, &BaselineActions::remove);
    connect(m_window.toleranceAction, &QAction::triggered, this, &BaselineActions::editTolerance);
}

double BaselineActions::tolerancePercent() const {
    const double value = QSettings().value(kToleranceKey, kDefaultTolerancePercent).toDouble();
    return std::isfinite(value) && value >= 0 ? value : kDefaultTolerancePercent;
}

bool BaselineActions::compare() {
    const QString path =
        m_chooser(CatalogueText(Reason::OpenBaselineTitle), QSettings().value(kBaselineFolderKey).toString(),
                  CatalogueText(Reason::MeasurementFileFilter), false);
    return !path.isEmpty() && compareWith(path);
}

bool BaselineActions::compareWith(const QString& path) {
    const auto refuse = [&](const Refusal& refusal) {
        ShowMessage(&m_window, QString::fromStdString(refusal.message));
        return false;
    };
    const Expected<Measurement> file = ReadMeasurementFile(QFile::encodeName(path).toStdString());
    if (!file) {
        return refuse(Refusal{file.error().reason, PlaceOf(path) + file.error().message});
    }
    // Checked with the model the measurement converts with now (the results on screen have it, as a change
    // of model drops them); another model's conversion is made when the results come to have it.
    std::optional<Measurement> previous = std::exchange(m_measurement, *file);
    auto previousEvaluations = std::exchange(m_evaluations, {});
    QString previousFile = std::exchange(m_file, path);
    const Expected<const ProfileEvaluation*> evaluation = baselineFor(m_record.model);
    if (!evaluation) {
        // A refused baseline changes nothing: the previous one (if any) stays.
        m_measurement = std::move(previous);
        m_evaluations = std::move(previousEvaluations);
        m_file = std::move(previousFile);
        return refuse(evaluation.error());
    }
    QSettings().setValue(kBaselineFolderKey, QFileInfo(path).absolutePath());
    m_window.removeBaselineAction->setEnabled(true);
    emit changed();
    return true;
}

Expected<const ProfileEvaluation*> BaselineActions::baselineFor(ConversionModel model) const {
    if (!m_measurement) {
        return static_cast<const ProfileEvaluation*>(nullptr);
    }
    std::optional<Expected<ProfileEvaluation>>& kept = m_evaluations[static_cast<std::size_t>(model)];
    if (!kept) {
        kept = EvaluateMeasurement(*m_measurement, model);
    }
    if (!*kept) {
        return Refusal{kept->error().reason, PlaceOf(m_file) + kept->error().message};
    }
    return &**kept;
}

void BaselineActions::remove() {
    m_measurement.reset();
    m_evaluations = {};
    m_file.clear();
    m_window.removeBaselineAction->setEnabled(false);
    emit changed();
}

bool BaselineActions::editTolerance() {
    const std::optional<double> tolerance = m_asker(tolerancePercent());
    if (!tolerance) {
        return false;
    }
    if (!std::isfinite(*tolerance) || *tolerance < 0) {
        ShowMessage(&m_window, CatalogueText(Reason::ToleranceInvalid, {std::to_string(*tolerance)}));
        return false;
    }
    QSettings().setValue(kToleranceKey, *tolerance);
    emit changed();
    return true;
}

}  // namespace tessaroven
