// The measurement's one-page report: what was measured and how, the table of results, the graph and a place
// for the signature, drawn onto any QPainter (a PDF file, a printer) by the graph's own drawing code.
#pragma once

#include <QRectF>

#include <string>
#include <utility>
#include <vector>

#include "calc/result_columns.h"
#include "messages/outcome.h"
#include "record/measurement_record.h"

class QPainter;

namespace tessaroven {

// Everything the page shows, decided before it is drawn.
struct ReportContent {
    std::string createdAt;  // when the report was made, "YYYY-MM-DD hh:mm"
    std::string fileName;   // the measurement file, empty when the measurement has not been saved
    // The distance, the comment and every measuring condition that is set: label and text.
    std::vector<std::pair<std::string, std::string>> conditions;
    ResultSet results;         // with the comparison when there is a baseline
    MeasurementRecord record;  // for the graph
    std::vector<double> errorBars;
};

// The content for a converted record, compared with baseline when one is given. Refused when the record has
// no conversion to report, or as the comparison is.
Expected<ReportContent> ReportContentOf(const MeasurementRecord& record, std::string fileName,
                                        std::string createdAt, const ProfileEvaluation* baseline = nullptr,
                                        double tolerancePercent = kDefaultTolerancePercent);

// The page in the painter's device units: page is the printable area; the page is laid out on A4 and
// scaled to fit it.
void DrawReportPage(QPainter& painter, const QRectF& page, const ReportContent& content);

// The report as a one-page A4 PDF with its fonts embedded, written safely to path.
MaybeRefusal WriteReportPdf(const std::string& path, const ReportContent& content);

// "Tessaroven" and the version of this build.
std::string ProgramNameAndVersion();

}  // namespace tessaroven
