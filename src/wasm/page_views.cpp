// What the browser edition's page shows of a conversion beside the list and the CSV file: the results table
// with the comparison with a baseline, the values the graph plots (relative values, error bars, the
// baseline's line and the flagged positions), the comparison's summary, and the texts of the printed report.
// The page draws and lays them out; every number and every text is decided here, by the functions the
// desktop program's windows and report use.
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "calc/comparison.h"
#include "calc/conversion.h"
#include "calc/number_text.h"
#include "calc/report_texts.h"
#include "calc/result_columns.h"
#include "files/format_files.h"
#include "formats/measurement_file.h"
#include "measurement/measurement_record.h"
#include "messages/catalogue.h"
#include "wasm/page_views.h"

namespace tessaroven {
namespace {

using Json = nlohmann::json;

Json Refused(const std::string& message) {
    return Json{{"ok", false}, {"message", message}};
}

// JSON has no infinity or NaN: the page draws nothing for them.
Json Number(const std::optional<double>& value) {
    return value && std::isfinite(*value) ? Json(*value) : Json(nullptr);
}

// The baseline of a request: its measurement file's text (as CheckBaseline gave it) and the file's name,
// which leads every refusal about it.
struct BaselineFile {
    Measurement measurement;
    std::string name;
};

Expected<BaselineFile> BaselineOf(const Json& request) {
    const std::string name = request.value("baselineName", "");
    const std::string place = Message(Reason::BaselineFilePlace, {name});
    Expected<Measurement> measurement = ParseMeasurementFile(request.value("baseline", ""));
    if (!measurement) {
        return Refusal{measurement.error().reason, place + measurement.error().message};
    }
    return BaselineFile{std::move(*measurement), name};
}

// The baseline converted with model, as the desktop converts it for the results it is compared with.
Expected<ProfileEvaluation> EvaluateBaseline(const BaselineFile& baseline, ConversionModel model) {
    Expected<ProfileEvaluation> evaluation = EvaluateMeasurement(baseline.measurement, model);
    if (!evaluation) {
        return Refusal{evaluation.error().reason,
                       Message(Reason::BaselineFilePlace, {baseline.name}) + evaluation.error().message};
    }
    return evaluation;
}

// {"tolerance"}: the tolerance as typed (full-width digits too), a number of 0 or more as the converter's
// --tolerance takes it.
Expected<double> ToleranceOf(const Json& request) {
    const std::string text = request.value("tolerance", "");
    const StrictNumber number = ReadTypedNumber(text);
    if (!number.isNumber || number.outOfRange || !(number.value >= 0)) {
        return Refuse(Reason::ToleranceInvalid, {text});
    }
    return number.value;
}

// {"file"}: the memory file of that name (the chosen file's own name, which the refusals echo) chosen as the
// baseline, read and refused as the desktop reads and refuses it (checked with the compatible model, with
// which a new measurement starts); its text as the program writes it, for the conversions that compare
// with it.
Json CheckBaseline(const Json& request) {
    const std::string name = request.value("file", "");
    Expected<Measurement> measurement = ReadMeasurementFile(name);
    if (!measurement) {
        return Refused(Message(Reason::BaselineFilePlace, {name}) + measurement.error().message);
    }
    const BaselineFile baseline{std::move(*measurement), name};
    if (const Expected<ProfileEvaluation> evaluation =
            EvaluateBaseline(baseline, ConversionModel::Compatible);
        !evaluation) {
        return Refused(evaluation.error().message);
    }
    return Json{{"ok", true}, {"text", MeasurementFileText(baseline.measurement)}};
}

Json TableOf(const ResultSet& results, const std::vector<ResultColumn>& columns) {
    Json headings = Json::array();
    for (const ResultColumn column : columns) {
        headings.push_back(std::string(ResultColumnHeading(column)));
    }
    Json rows = Json::array();
    for (std::size_t row = 0; row < results.evaluation.positions.size(); ++row) {
        Json cells = Json::array();
        for (const ResultColumn column : columns) {
            cells.push_back(ResultCellText(results, row, column));
        }
        rows.push_back(std::move(cells));
    }
    return Json{{"headings", std::move(headings)}, {"rows", std::move(rows)}};
}

Json GraphOf(const MeasurementRecord& record, const ResultSet& results) {
    const std::vector<double> errorBars = RelativeErrorBars(record);
    Json points = Json::array();
    for (std::size_t k = 0; k < results.evaluation.positions.size(); ++k) {
        const PositionEvaluation& p = results.evaluation.positions[k];
        points.push_back(
            {{"position", p.position},
             {"relative", Number(p.relativePercent)},
             {"errorBar", k < errorBars.size() && errorBars[k] > 0 ? Number(errorBars[k]) : Json(nullptr)}});
    }
    Json graph = {{"points", std::move(points)}};
    if (results.comparison) {
        Json baseline = Json::array();
        Json flagged = Json::array();
        for (const PositionComparison& c : results.comparison->positions) {
            baseline.push_back({{"position", c.position}, {"relative", Number(c.baselinePercent)}});
            if (c.flagged) {
                flagged.push_back({{"position", c.position}, {"relative", Number(c.relativePercent)}});
            }
        }
        graph["baseline"] = std::move(baseline);
        graph["flagged"] = std::move(flagged);
        graph["legend"] = {{"measurement", MessageText(Reason::GraphLegendMeasurement)},
                           {"baseline", MessageText(Reason::GraphLegendBaseline)},
                           {"flagged", MessageText(Reason::GraphLegendFlagged)}};
    }
    return graph;
}

Json ReportOf(const MeasurementRecord& record, const ResultSet& results, const Json& request,
              const std::optional<BaselineFile>& baseline) {
    std::optional<ReportBaseline> source;
    if (baseline) {
        source = ReportBaseline{baseline->name, baseline->measurement.conditions.measuredOn};
    }
    Json conditions = Json::array();
    for (const auto& [label, text] :
         ReportConditionTexts(record, request.value("fileName", ""), source ? &*source : nullptr)) {
        conditions.push_back({label, text});
    }
    std::string nonPositive;
    for (const int position : NonPositivePositions(record)) {
        nonPositive += (nonPositive.empty() ? "" : ", ") + std::to_string(position);
    }
    Json report = {
        {"title", MessageText(Reason::ReportTitle)},
        {"created", Message(Reason::ReportCreated, {request.value("createdAt", ""),
                                                    std::string("Tessaroven ") + TESSAROVEN_VERSION})},
        {"conditions", std::move(conditions)},
        {"notesLabel", MessageText(Reason::ConditionNotes)},
        {"notes", record.conditions.notes},
        {"table", TableOf(results, ReportColumnsOf(results))},
        {"uncertainty", MessageText(results.evaluation.uncertaintyKnown ? Reason::ReportUncertaintyKnown
                                                                        : Reason::ReportUncertaintyUnknown)},
        {"warning",
         nonPositive.empty() ? std::string() : Message(Reason::ReportNonPositiveReadings, {nonPositive})},
        {"signature", MessageText(Reason::ReportSignature)},
    };
    return report;
}

// {"measurement", "baseline", "baselineName", "tolerance", "fileName", "createdAt"}: the measurement
// converted, compared with the baseline when one is given, and everything the page shows of it.
Json Views(const Json& request) {
    const Expected<Measurement> measurement = ParseMeasurementFile(request.value("measurement", ""));
    if (!measurement) {
        return Refused(measurement.error().message);
    }
    MeasurementRecord record;
    TakeMeasurement(*measurement, record);
    if (MaybeRefusal refusal = RunConversion(record, measurement->distanceCm)) {
        return Refused(refusal->message);
    }
    std::optional<BaselineFile> baseline;
    std::optional<ProfileEvaluation> baselineProfile;
    double tolerance = kDefaultTolerancePercent;
    if (request.contains("baseline")) {
        Expected<BaselineFile> read = BaselineOf(request);
        if (!read) {
            return Refused(read.error().message);
        }
        const Expected<double> typed = ToleranceOf(request);
        if (!typed) {
            return Refused(typed.error().message);
        }
        tolerance = *typed;
        Expected<ProfileEvaluation> evaluated = EvaluateBaseline(*read, record.convertedModel);
        if (!evaluated) {
            return Refused(evaluated.error().message);
        }
        baseline = std::move(*read);
        baselineProfile = std::move(*evaluated);
    }
    const Expected<ResultSet> results =
        EvaluateResults(record, baselineProfile ? &*baselineProfile : nullptr, tolerance);
    if (!results) {
        return Refused(results.error().message);
    }
    Json answer = TableOf(*results, ResultColumnsOf(*results));
    Json flagged = Json::array();
    for (std::size_t row = 0; row < results->evaluation.positions.size(); ++row) {
        flagged.push_back(ResultRowFlagged(*results, row));
    }
    answer["ok"] = true;
    answer["model"] = std::string(ConversionModelName(results->evaluation.model));
    answer["flagged"] = std::move(flagged);
    answer["graph"] = GraphOf(record, *results);
    answer["summary"] = results->comparison ? Json(ComparisonSummary(*results->comparison)) : Json(nullptr);
    answer["report"] = ReportOf(record, *results, request, baseline);
    return answer;
}

}  // namespace

std::optional<Json> PageViewsAnswer(const std::string& what, const Json& request) {
    if (what == "baseline") {
        return CheckBaseline(request);
    }
    if (what == "tolerance") {
        const Expected<double> tolerance = ToleranceOf(request);
        return tolerance ? Json{{"ok", true}, {"value", *tolerance}} : Refused(tolerance.error().message);
    }
    if (what == "views") {
        return Views(request);
    }
    return std::nullopt;
}

}  // namespace tessaroven
