// The measurement's one-page report: what was measured and how, the table of results, the graph and a place
// for the signature, drawn onto any QPainter (a PDF file, a printer) by the graph's own drawing code.
#pragma once

#include <QRectF>

#include <string>
#include <utility>
#include <vector>

#include "calc/report_texts.h"
#include "calc/result_columns.h"
#include "measurement/measurement_record.h"
#include "messages/outcome.h"

class QPainter;

namespace tessaroven {

// Everything the page shows, decided before it is drawn.
struct ReportContent {
    std::string createdAt;  // when the report was made, "YYYY-MM-DD hh:mm"
    std::string fileName;   // the measurement file, empty when the measurement has not been saved
    // The distance, the comment (unless it is still the default), the baseline's file and day, and every
    // measuring condition that is set but the notes: label and text.
    std::vector<std::pair<std::string, std::string>> conditions;
    std::string notes;                      // 備考, printed across the page's width
    std::vector<int> nonPositivePositions;  // positions (cm) with a reading or a repeat of 0 or less
    ResultSet results;                      // with the comparison when there is a baseline
    MeasurementRecord record;               // for the graph
    std::vector<double> errorBars;
};

// The content for a converted record, compared with baseline when one is given (named by baselineSource when
// that is given too). Refused when the record has no conversion to report, or as the comparison is.
Expected<ReportContent> ReportContentOf(const MeasurementRecord& record, std::string fileName,
                                        std::string createdAt, const ProfileEvaluation* baseline = nullptr,
                                        double tolerancePercent = kDefaultTolerancePercent,
                                        const ReportBaseline* baselineSource = nullptr);

// The page in the painter's device units: page is the printable area; the page is laid out on A4 and
// scaled to fit it.
void DrawReportPage(QPainter& painter, const QRectF& page, const ReportContent& content);

// The report as a one-page A4 PDF with its fonts embedded, written safely to path.
MaybeRefusal WriteReportPdf(const std::string& path, const ReportContent& content);

// "Tessaroven" and the version of this build.
std::string ProgramNameAndVersion();

}  // namespace tessaroven
