// The baseline in the desktop program.
#include "app/baseline_actions.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QInputDialog>
#include <QSettings>

#include <cmath>

#include "calc/comparison.h"
#include "messages/catalogue.h"
#include "record/measurement_file.h"
#include "ui/main_window.h"
#include "ui/message_box.h"

namespace tessaroven {

namespace {

const QString kToleranceKey = QStringLiteral("comparison/tolerancePercent");
const QString kBaselineFolderKey = QStringLiteral("comparison/lastFolder");

}  // namespace

BaselineActions::BaselineActions(MainWindow& window) : QObject(&window), m_window(window) {
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
    const std::string place = Message(Reason::BaselineFilePlace, {QFileInfo(path).fileName().toStdString()});
    const auto refuse = [&](const Refusal& refusal) {
        ShowMessage(&m_window, QString::fromStdString(place + refusal.message));
        return false;
    };
    const Expected<Measurement> file = ReadMeasurementFile(QFile::encodeName(path).toStdString());
    if (!file) {
        return refuse(file.error());
    }
    Expected<ProfileEvaluation> evaluation = EvaluateMeasurement(*file, ConversionModel::Compatible);
    if (!evaluation) {
        return refuse(evaluation.error());
    }
    m_baseline = std::move(*evaluation);
    m_file = path;
    QSettings().setValue(kBaselineFolderKey, QFileInfo(path).absolutePath());
    m_window.removeBaselineAction->setEnabled(true);
    emit changed();
    return true;
}

void BaselineActions::remove() {
    m_baseline.reset();
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
