// The spectrum dialog and the bow-tie files in the desktop program.
#include "app/spectrum_actions.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QStatusBar>

#include <functional>
#include <optional>
#include <string>

#include "app/measurement_files.h"
#include "calc/result_columns.h"
#include "files/format_files.h"
#include "formats/bowtie_exports.h"
#include "messages/catalogue.h"
#include "ui/main_window.h"
#include "ui/message_box.h"
#include "ui/spectrum_dialog.h"

namespace tessaroven {

namespace {

// The EGSnrc files' common beginning: a chosen "name_distribution.dat", "name_bowtie.dat" or "name.dat"
// all stand for "name".
QString EgsnrcPrefixOf(QString path) {
    for (const QLatin1String ending :
         {QLatin1String("_distribution.dat"), QLatin1String("_bowtie.dat"), QLatin1String(".dat")}) {
        if (path.endsWith(ending)) {
            path.chop(ending.size());
            break;
        }
    }
    return path;
}

}  // namespace

struct SpectrumActions::ExportTarget {
    const char* program;
    Reason title;
    Reason filter;
    // Writes the files for path; returns where they went (for the status bar), the refusal, or nothing when
    // the user declined to replace a file.
    std::function<std::optional<Expected<QString>>(QString path, const AlEquivalentProfile& profile)> write;
};

SpectrumActions::SpectrumActions(MainWindow& window, MeasurementFiles& files, MeasurementRecord& record)
    : QObject(&window), m_window(window), m_files(files), m_record(record) {
    connect(m_window.spectrumAction, &QAction::triggered, this, &SpectrumActions::editSpectrum);
    connect(m_window.exportXcistAction, &QAction::triggered, this, &SpectrumActions::exportXcist);
    connect(m_window.exportEgsnrcAction, &QAction::triggered, this, &SpectrumActions::exportEgsnrc);
}

bool SpectrumActions::editSpectrum() {
    const auto browse = [this](const QString& current) {
        const QString chosen = m_files.chooseFile(CatalogueText(Reason::ChooseSpectrumTitle),
                                                  CatalogueText(Reason::SpectrumFileFilter), false);
        return chosen.isEmpty() ? current : chosen;
    };
    if (!EditSpectrum(&m_window, m_record.spectrum, browse)) {
        return false;
    }
    m_files.markModified();
    emit spectrumChanged();
    return true;
}

bool SpectrumActions::exportXcist() {
    return exportBowtie(
        {"XCIST", Reason::ExportXcistTitle, Reason::XcistBowtieFilter,
         [this](QString path, const AlEquivalentProfile& profile) -> std::optional<Expected<QString>> {
             // The simulator reads a text file; a name without an extension gets the one its files carry.
             if (QFileInfo(path).suffix().isEmpty()) {
                 path += QStringLiteral(".txt");
                 if (!MayReplace(&m_window, path)) {
                     return std::nullopt;
                 }
             }
             if (const MaybeRefusal refusal =
                     SaveXcistBowtie(QFile::encodeName(path).toStdString(), profile, BowtieAngleStepDeg())) {
                 return Expected<QString>(*refusal);
             }
             return Expected<QString>(ShownPath(path));
         }});
}

bool SpectrumActions::exportEgsnrc() {
    return exportBowtie(
        {"EGSnrc", Reason::ExportEgsnrcTitle, Reason::EgsnrcSourceFilter,
         [this](const QString& path, const AlEquivalentProfile& profile) -> std::optional<Expected<QString>> {
             const QString prefix = EgsnrcPrefixOf(path);
             // The chooser asked about the name chosen; the two files written are asked about here.
             for (const QLatin1String ending :
                  {QLatin1String("_distribution.dat"), QLatin1String("_bowtie.dat")}) {
                 if (prefix + ending != path && !MayReplace(&m_window, prefix + ending)) {
                     return std::nullopt;
                 }
             }
             if (const MaybeRefusal refusal =
                     SaveEgsnrcBowtie(QFile::encodeName(prefix).toStdString(), profile, BowtieAngleStepDeg(),
                                      m_record.comment)) {
                 return Expected<QString>(*refusal);
             }
             return Expected<QString>(ShownPath(prefix) + QStringLiteral("_distribution.dat, ") +
                                      QFileInfo(prefix).fileName() + QStringLiteral("_bowtie.dat"));
         }});
}

bool SpectrumActions::exportBowtie(const ExportTarget& target) {
    const Expected<ResultSet> results = EvaluateResults(m_record);
    if (!results) {
        ShowMessage(&m_window, QString::fromStdString(results.error().message));
        return false;
    }
    if (!results->alEquivalent) {
        ShowMessage(&m_window, CatalogueText(Reason::BowtieSpectrumNeeded, {target.program}));
        return false;
    }
    const AlEquivalentProfile& profile = *results->alEquivalent;
    for (const AlEquivalentPosition& position : profile.positions) {
        if (!position.thicknessMm) {
            QString text = CatalogueText(Reason::BowtieExportIncomplete, {target.program});
            if (position.refusal) {
                text += QLatin1Char('\n') + QString::fromStdString(position.refusal->message);
            }
            ShowMessage(&m_window, text);
            return false;
        }
    }
    const QString path = m_files.chooseFile(CatalogueText(target.title), CatalogueText(target.filter), true);
    if (path.isEmpty()) {
        return false;
    }
    const std::optional<Expected<QString>> written = target.write(path, profile);
    if (!written) {
        return false;
    }
    if (!*written) {
        ShowMessage(&m_window, QString::fromStdString(written->error().message));
        return false;
    }
    m_window.statusBar()->showMessage(
        CatalogueText(Reason::MeasurementSavedStatus, {(*written)->toStdString()}), 5000);
    return true;
}

}  // namespace tessaroven
