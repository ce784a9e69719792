// Measurement files in the desktop program.
#include "app/measurement_files.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>

#include "calc/number_text.h"
#include "calc/uncertainty.h"
#include "entry/main_window_handlers.h"
#include "files/format_files.h"
#include "formats/csv.h"
#include "formats/measurement_file.h"
#include "formats/profile_table.h"
#include "ui/conditions_dialog.h"
#include "ui/main_window.h"
#include "ui/message_box.h"
#include "ui/save_dialog_handlers.h"

namespace tessaroven {

namespace {

const QString kRecentFilesKey = QStringLiteral("files/recent");
const QString kLastFolderKey = QStringLiteral("files/lastFolder");

}  // namespace

QString ChooseFileWithDialog(QWidget* owner, const QString& title, const QString& folder,
                             const QString& filter, bool forSaving) {
    const QFileDialog::Options options = QFileDialog::DontUseNativeDialog;
    return forSaving ? QFileDialog::getSaveFileName(owner, title, folder, filter, nullptr, options)
                     : QFileDialog::getOpenFileName(owner, title, folder, filter, nullptr, options);
}

MeasurementFiles::MeasurementFiles(MainWindow& window, MainWindowHandlers& handlers,
                                   MeasurementRecord& record)
    : QObject(&window), m_window(window), m_handlers(handlers), m_record(record) {
    m_chooser = [this](const QString& title, const QString& folder, const QString& filter, bool forSaving) {
        return ChooseFileWithDialog(&m_window, title, folder, filter, forSaving);
    };
    connect(m_window.newAction, &QAction::triggered, this, &MeasurementFiles::newMeasurement);
    connect(m_window.openAction, &QAction::triggered, this, &MeasurementFiles::open);
    connect(m_window.saveAction, &QAction::triggered, this, &MeasurementFiles::save);
    connect(m_window.saveAsAction, &QAction::triggered, this, &MeasurementFiles::saveAs);
    connect(m_window.exportCsvAction, &QAction::triggered, this, &MeasurementFiles::exportResultsCsv);
    // The application asks about unsaved changes on every way out.
    connect(m_window.quitAction, &QAction::triggered, this, &MeasurementFiles::quitRequested);
    connect(m_window.conditionsAction, &QAction::triggered, this, &MeasurementFiles::editConditions);
    connect(m_window.exportProfileAction, &QAction::triggered, this, &MeasurementFiles::exportProfileTable);
    connect(&m_handlers, &MainWindowHandlers::measurementEdited, this, &MeasurementFiles::markModified);
    setCurrentFile(QString());
    rebuildRecentMenu();
}

QStringList MeasurementFiles::recentFiles() const {
    return QSettings().value(kRecentFilesKey).toStringList();
}

bool MeasurementFiles::newMeasurement() {
    emit newMeasurementRequested();
    return m_currentFile.isEmpty() && !m_modified;
}

void MeasurementFiles::forgetFile() {
    setCurrentFile(QString());
    m_modified = false;
    emit replaced();
}

bool MeasurementFiles::open() {
    if (!confirmLeaving()) {
        return false;
    }
    const QString path = choose(false);
    return !path.isEmpty() && openFile(path);
}

bool MeasurementFiles::openFile(const QString& path) {
    const Expected<Measurement> measurement = ReadMeasurementFile(QFile::encodeName(path).toStdString());
    if (!measurement) {
        ShowMessage(&m_window, QString::fromStdString(measurement.error().message));
        return false;
    }
    MeasurementRecord opened;
    TakeMeasurement(*measurement, opened);
    m_record = std::move(opened);
    m_handlers.showMeasurement(measurement->distanceCm);
    setCurrentFile(path);
    m_modified = false;
    rememberRecent(path);
    emit replaced();
    return true;
}

bool MeasurementFiles::save() {
    return m_currentFile.isEmpty() ? saveAs() : writeTo(m_currentFile);
}

bool MeasurementFiles::saveAs() {
    QString path = choose(true);
    if (path.isEmpty()) {
        return false;
    }
    if (!path.endsWith(QLatin1String(kMeasurementFileSuffix))) {
        path += QLatin1String(kMeasurementFileSuffix);
    }
    return writeTo(path);
}

bool MeasurementFiles::exportProfileTable() {
    const Expected<ProfileEvaluation> evaluation = EvaluateProfile(m_record);
    if (!evaluation) {
        ShowMessage(&m_window, QString::fromStdString(evaluation.error().message));
        return false;
    }
    const QString path =
        m_chooser(CatalogueText(Reason::ExportProfileTitle), QSettings().value(kLastFolderKey).toString(),
                  CatalogueText(Reason::ProfileTableFilter), true);
    if (path.isEmpty()) {
        return false;
    }
    const MaybeRefusal refusal =
        SaveProfileTable(QFile::encodeName(path).toStdString(), *evaluation, m_record.comment);
    if (refusal) {
        ShowMessage(&m_window, QString::fromStdString(refusal->message));
        return false;
    }
    m_window.statusBar()->showMessage(
        CatalogueText(Reason::MeasurementSavedStatus, {ShownPath(path).toStdString()}), 5000);
    return true;
}

bool MeasurementFiles::exportResultsCsv() {
    QString path = m_chooser(CatalogueText(Reason::ExportResultsCsvTitle), ResultsFolder(),
                             CatalogueText(Reason::ResultsCsvFilter), true);
    if (path.isEmpty()) {
        return false;
    }
    // The chooser asked about the name it returned; a name that gains the suffix is asked about here.
    if (QFileInfo(path).suffix().isEmpty()) {
        path += QStringLiteral(".csv");
        if (!MayReplace(&m_window, path)) {
            return false;
        }
    }
    RememberResultsFolder(QFileInfo(path).absolutePath());
    if (const MaybeRefusal refusal =
            SaveCsvFile(QFile::encodeName(path).toStdString(), m_record.comment, m_record)) {
        ShowMessage(&m_window, QString::fromStdString(refusal->message));
        return false;
    }
    ShowMessage(&m_window, CatalogueText(Reason::SavedTo, {ShownPath(path).toStdString()}));
    return true;
}

void MeasurementFiles::editConditions() {
    if (EditConditions(&m_window, m_record)) {
        markModified();
    }
}

bool MeasurementFiles::confirmLeaving() {
    if (!m_modified) {
        return true;
    }
    QMessageBox box(QMessageBox::Question, QString::fromLatin1(kApplicationTitle),
                    CatalogueText(Reason::SaveChangesQuestion),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, &m_window);
    box.button(QMessageBox::Save)->setText(CatalogueText(Reason::SaveChoice));
    box.button(QMessageBox::Discard)->setText(CatalogueText(Reason::DiscardChoice));
    box.button(QMessageBox::Cancel)->setText(CatalogueText(Reason::CancelChoice));
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    box.setWindowModality(Qt::ApplicationModal);
    switch (box.exec()) {
        case QMessageBox::Save:
            return save();
        case QMessageBox::Discard:
            return true;
        default:
            return false;
    }
}

void MeasurementFiles::markModified() {
    m_modified = true;
}

void MeasurementFiles::setCurrentFile(const QString& path) {
    m_currentFile = path;
    const QString name = QFileInfo(path).fileName();
    const QString title = QString::fromLatin1(kApplicationTitle);
    m_window.setWindowTitle(name.isEmpty() ? title : title + QStringLiteral(" - ") + name);
    m_window.fileStatus->setText(QDir::toNativeSeparators(path));
}

void MeasurementFiles::rememberRecent(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList recent = recentFiles();
    recent.removeAll(absolute);
    recent.prepend(absolute);
    while (recent.size() > kRecentFileCount) {
        recent.removeLast();
    }
    QSettings settings;
    settings.setValue(kRecentFilesKey, recent);
    settings.setValue(kLastFolderKey, QFileInfo(absolute).absolutePath());
    rebuildRecentMenu();
}

void MeasurementFiles::rebuildRecentMenu() {
    m_window.recentMenu->clear();
    const QStringList recent = recentFiles();
    for (int i = 0; i < recent.size(); ++i) {
        const QString& path = recent[i];
        QAction* action = m_window.recentMenu->addAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()));
        action->setToolTip(QDir::toNativeSeparators(path));
        connect(action, &QAction::triggered, this, [this, path] {
            if (confirmLeaving()) {
                openFile(path);
            }
        });
    }
    m_window.recentMenu->setEnabled(!recent.isEmpty());
}

bool MeasurementFiles::writeTo(QString path) {
    if (!m_window.storeReadingButton->isEnabled()) {
        ShowMessage(&m_window, CatalogueText(Reason::NothingToSave));
        return false;
    }
    // Read as the conversion reads it: "60cm" is not saved as 60.
    const StrictNumber distance =
        ReadTypedNumber(m_window.distanceEdit->text().toStdString(), LocaleDecimalSeparator());
    if (!distance.isNumber || distance.outOfRange || !(distance.value > 0)) {
        ShowMessage(&m_window, CatalogueText(distance.outOfRange ? Reason::NumberOutOfRange
                                                                 : Reason::DistanceNotANumber));
        m_window.distanceEdit->setFocus();
        m_window.distanceEdit->selectAll();
        return false;
    }
    const MaybeRefusal refusal =
        SaveMeasurementFile(QFile::encodeName(path).toStdString(), MeasurementOf(m_record, distance.value));
    if (refusal) {
        ShowMessage(&m_window, QString::fromStdString(refusal->message));
        return false;
    }
    setCurrentFile(path);
    m_modified = false;
    rememberRecent(path);
    emit saved();
    m_window.statusBar()->showMessage(
        CatalogueText(Reason::MeasurementSavedStatus, {ShownPath(path).toStdString()}), 5000);
    return true;
}

QString MeasurementFiles::chooseFile(const QString& title, const QString& filter, bool forSaving) const {
    return m_chooser(title, QSettings().value(kLastFolderKey).toString(), filter, forSaving);
}

QString MeasurementFiles::choose(bool forSaving) const {
    QString folder = QSettings().value(kLastFolderKey).toString();
    if (forSaving && !m_currentFile.isEmpty()) {
        folder = m_currentFile;
    }
    return m_chooser(CatalogueText(forSaving ? Reason::SaveMeasurementTitle : Reason::OpenMeasurementTitle),
                     folder, CatalogueText(Reason::MeasurementFileFilter), forSaving);
}

}  // namespace tessaroven
