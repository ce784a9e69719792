// The report's texts, columns and warnings.
#include "calc/report_texts.h"

#include <algorithm>
#include <array>

#include "calc/condition_fields.h"
#include "calc/conversion.h"
#include "calc/number_text.h"
#include "messages/catalogue.h"

namespace tessaroven {

std::vector<std::pair<std::string, std::string>> ReportConditionTexts(const MeasurementRecord& record,
                                                                      const std::string& fileName,
                                                                      const ReportBaseline* baseline) {
    std::vector<std::pair<std::string, std::string>> lines;
    lines.emplace_back(MessageText(Reason::ReportFileLabel),
                       fileName.empty() ? std::string(MessageText(Reason::ReportUnsaved)) : fileName);
    // A comment nobody wrote says nothing about the measurement.
    if (!record.comment.empty() && record.comment != kDefaultComment) {
        lines.emplace_back(MessageText(Reason::ReportCommentLabel), record.comment);
    }
    lines.emplace_back(MessageText(Reason::ReportDistanceLabel),
                       GeneralNumberText(record.convertedDistanceCm));
    // Named only when it is not the compatible model, whose reports stay as they always were.
    if (record.convertedModel != ConversionModel::Compatible) {
        lines.emplace_back(MessageText(Reason::ReportModelLabel), ConversionModelName(record.convertedModel));
    }
    if (baseline != nullptr) {
        lines.emplace_back(MessageText(Reason::ReportBaselineFileLabel), baseline->file);
        if (!baseline->measuredOn.empty()) {
            lines.emplace_back(MessageText(Reason::ReportBaselineMeasuredLabel), baseline->measuredOn);
        }
    }
    for (auto& condition : SetConditionTexts(record, &MeasurementConditions::notes)) {
        lines.push_back(std::move(condition));
    }
    return lines;
}

std::vector<int> NonPositivePositions(const MeasurementRecord& record) {
    std::vector<int> positions;
    const int last = std::min(LastPositionIndex(record.lastPosition), kLastSlot);
    for (int k = 0; k <= last; ++k) {
        const auto slot = static_cast<std::size_t>(k);
        const std::vector<double>& repeats = record.repeats[slot];
        if (record.reading[slot] <= 0 ||
            std::any_of(repeats.begin(), repeats.end(), [](double r) { return r <= 0; })) {
            positions.push_back(k);
        }
    }
    return positions;
}

std::vector<ResultColumn> ReportColumnsOf(const ResultSet& results) {
    constexpr std::array kColumns{ResultColumn::Position,     ResultColumn::FanAngle, ResultColumn::Reading,
                                  ResultColumn::ReadingCount, ResultColumn::ReadingU, ResultColumn::Profile,
                                  ResultColumn::Relative};
    std::vector<ResultColumn> columns(kColumns.begin(), kColumns.end());
    if (results.comparison) {
        columns.push_back(ResultColumn::Delta);
        columns.push_back(ResultColumn::Flag);
    }
    return columns;
}

}  // namespace tessaroven
