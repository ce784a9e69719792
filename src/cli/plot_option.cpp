// --plot with Qt: the graph window's picture area (509 x 461 pixels at 96 dpi, axis inscriptions included),
// drawn by the graph painter and written as PNG through the safe file writer.
#include "cli/plot_option.h"

#include <QBuffer>
#include <QByteArray>
#include <QDateTime>
#include <QGuiApplication>
#include <QImage>

#include <memory>

#include "calc/uncertainty.h"
#include "plot/graph_painter.h"
#include "plot/report_page.h"
#include "storage/storage.h"

namespace tessaroven {
namespace {

// Fonts need a QGuiApplication; a command-line run has none, and no display either.
std::unique_ptr<QGuiApplication> GuiForFonts() {
    if (QCoreApplication::instance() != nullptr) {
        return nullptr;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    static int argc = 1;
    static char name[] = "tessaroven-convert";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

}  // namespace

MaybeRefusal WritePlot(const MeasurementRecord& record, const std::string& path) {
    const std::unique_ptr<QGuiApplication> app = GuiForFonts();
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
        return Refuse(Reason::NoDisplayForPlot);
    }
    const QImage picture = RenderLabelledProfileGraph(record, RelativeErrorBars(record));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.save(&buffer, "PNG")) {
        return Refuse(Reason::PlotNotEncoded);
    }
    return WriteFileSafely(path, std::string_view(png.constData(), static_cast<std::size_t>(png.size())));
}

MaybeRefusal WriteReport(const ConverterRun& run, const std::string& path) {
    const std::unique_ptr<QGuiApplication> app = GuiForFonts();
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
        return Refuse(Reason::NoDisplayForPlot);
    }
    const ReportBaseline baseline{run.baselineFile, run.baselineMeasuredOn};
    const Expected<ReportContent> content = ReportContentOf(
        run.record, run.measurementFile,
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")).toStdString(), run.baseline,
        run.tolerancePercent, &baseline);
    if (!content) {
        return content.error();
    }
    return WriteReportPdf(path, *content);
}

ConverterExtension PlotOption() {
    return {"--plot", "FILE", Reason::PlotOptionHelp,
            [](const ConverterRun& run, const std::string& path) { return WritePlot(run.record, path); },
            true};
}

ConverterExtension ReportOption() {
    return {"--report", "FILE", Reason::ReportOptionHelp, WriteReport, true};
}

}  // namespace tessaroven
