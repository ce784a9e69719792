// The report as a PDF file and on a printer.
#include "app/report_actions.h"

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QSettings>
#include <QStatusBar>

#include <optional>

#include "app/baseline_actions.h"
#include "messages/catalogue.h"
#include "ui/main_window.h"
#include "ui/message_box.h"

namespace tessaroven {

namespace {

const QString kReportFolderKey = QStringLiteral("report/lastFolder");
constexpr int kStatusMilliseconds = 5000;

}  // namespace

ReportActions::ReportActions(MainWindow& window, const MeasurementRecord& record,
                             const MeasurementFiles& files, const BaselineActions& baseline)
    : QObject(&window), m_window(window), m_record(record), m_files(files), m_baseline(baseline) {
    m_chooser = [this](const QString& title, const QString& folder, const QString& filter, bool forSaving) {
        return ChooseFileWithDialog(&m_window, title, folder, filter, forSaving);
    };
    m_printerSetup = [this](QPrinter& printer) {
        QPrintDialog dialog(&printer, &m_window);
        return dialog.exec() == QDialog::Accepted;
    };
    connect(m_window.reportAction, &QAction::triggered, this, &ReportActions::exportPdf);
    connect(m_window.printAction, &QAction::triggered, this, &ReportActions::print);
}

Expected<ReportContent> ReportActions::content() const {
    const Expected<const ProfileEvaluation*> baseline = m_baseline.baselineFor(m_record.convertedModel);
    if (!baseline) {
        return baseline.error();
    }
    std::optional<ReportBaseline> source;
    if (const Measurement* measurement = m_baseline.baselineMeasurement()) {
        source = ReportBaseline{QDir::toNativeSeparators(m_baseline.baselineFile()).toStdString(),
                                measurement->conditions.measuredOn};
    }
    return ReportContentOf(
        m_record, QDir::toNativeSeparators(m_files.currentFile()).toStdString(),
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")).toStdString(), *baseline,
        m_baseline.tolerancePercent(), source ? &*source : nullptr);
}

bool ReportActions::exportPdf() {
    const Expected<ReportContent> report = content();
    if (!report) {
        ShowMessage(&m_window, QString::fromStdString(report.error().message));
        return false;
    }
    QString path =
        m_chooser(CatalogueText(Reason::ExportReportTitle), QSettings().value(kReportFolderKey).toString(),
                  CatalogueText(Reason::ReportPdfFilter), true);
    if (path.isEmpty()) {
        return false;
    }
    if (!path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)) {
        path += QLatin1String(".pdf");
        if (!MayReplace(&m_window, path)) {  // the chooser asked about the name without the suffix
            return false;
        }
    }
    if (const MaybeRefusal refusal = WriteReportPdf(QFile::encodeName(path).toStdString(), *report)) {
        ShowMessage(&m_window, QString::fromStdString(refusal->message));
        return false;
    }
    QSettings().setValue(kReportFolderKey, QFileInfo(path).absolutePath());
    m_window.statusBar()->showMessage(
        CatalogueText(Reason::MeasurementSavedStatus, {ShownPath(path).toStdString()}), kStatusMilliseconds);
    return true;
}

bool ReportActions::print() {
    const Expected<ReportContent> report = content();
    if (!report) {
        ShowMessage(&m_window, QString::fromStdString(report.error().message));
        return false;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    printer.setDocName(CatalogueText(Reason::ReportTitle));
    if (!m_printerSetup(printer)) {
        return false;
    }
    QPainter painter;
    if (!painter.begin(&printer)) {
        ShowMessage(&m_window, CatalogueText(Reason::PrintNotDone));
        return false;
    }
    const QRectF printable = printer.pageRect(QPrinter::DevicePixel);
    DrawReportPage(painter, QRectF(QPointF(0, 0), printable.size()), *report);
    if (!painter.end()) {
        ShowMessage(&m_window, CatalogueText(Reason::PrintNotDone));
        return false;
    }
    return true;
}

}  // namespace tessaroven
