// Result columns' headings and cell texts.
#include "calc/result_columns.h"

#include <array>
#include <optional>
#include <utility>

#include "calc/number_text.h"
#include "messages/catalogue.h"

namespace tessaroven {

namespace {

constexpr std::array kEvaluationColumns{
    ResultColumn::Position, ResultColumn::FanAngle, ResultColumn::Reading,  ResultColumn::ReadingCount,
    ResultColumn::ReadingU, ResultColumn::Profile,  ResultColumn::Relative, ResultColumn::RelativeOnArc,
};
constexpr std::array kBaselineColumns{ResultColumn::Baseline, ResultColumn::Delta, ResultColumn::Flag};
constexpr std::array kSpectrumColumns{ResultColumn::AlEquivalent, ResultColumn::HalfValueLayer,
                                      ResultColumn::FluenceTransmission};

std::string WithUncertainty(double value, const std::optional<double>& u, int decimals, double coverage) {
    std::string text = FixedNumberText(value, decimals);
    if (u) {
        text += " ± " + FixedNumberText(coverage * *u, decimals);
    }
    return text;
}

}  // namespace

Expected<ResultSet> EvaluateResults(const MeasurementRecord& record, const ProfileEvaluation* baseline,
                                    double tolerancePercent) {
    Expected<ProfileEvaluation> evaluation = EvaluateProfile(record);
    if (!evaluation) {
        return evaluation.error();
    }
    ResultSet results;
    results.evaluation = std::move(*evaluation);
    if (baseline != nullptr) {
        Expected<BaselineComparison> comparison =
            CompareWithBaseline(results.evaluation, *baseline, tolerancePercent);
        if (!comparison) {
            return comparison.error();
        }
        results.comparison = std::move(*comparison);
    }
    if (record.spectrum) {
        Expected<AlEquivalentProfile> thickness = EvaluateAlEquivalent(
            results.evaluation, record.spectrum->spectrum, record.spectrum->centreAlMm.value_or(0));
        if (!thickness) {
            return thickness.error();
        }
        results.alEquivalent = std::move(*thickness);
    }
    return results;
}

std::vector<ResultColumn> ResultColumnsOf(const ResultSet& results) {
    std::vector<ResultColumn> columns(kEvaluationColumns.begin(), kEvaluationColumns.end());
    if (results.comparison) {
        columns.insert(columns.end(), kBaselineColumns.begin(), kBaselineColumns.end());
    }
    if (results.alEquivalent) {
        columns.insert(columns.end(), kSpectrumColumns.begin(), kSpectrumColumns.end());
    }
    return columns;
}

std::string_view ResultColumnHeading(ResultColumn column) {
    switch (column) {
        case ResultColumn::Position:
            return MessageText(Reason::ColumnPosition);
        case ResultColumn::FanAngle:
            return MessageText(Reason::ColumnFanAngle);
        case ResultColumn::Reading:
            return MessageText(Reason::ColumnReading);
        case ResultColumn::ReadingCount:
            return MessageText(Reason::ColumnReadingCount);
        case ResultColumn::ReadingU:
            return MessageText(Reason::ColumnReadingU);
        case ResultColumn::Profile:
            return MessageText(Reason::ColumnProfile);
        case ResultColumn::Relative:
            return MessageText(Reason::ColumnRelative);
        case ResultColumn::RelativeOnArc:
            return MessageText(Reason::ColumnRelativeOnArc);
        case ResultColumn::Baseline:
            return MessageText(Reason::ColumnBaseline);
        case ResultColumn::Delta:
            return MessageText(Reason::ColumnDelta);
        case ResultColumn::Flag:
            return MessageText(Reason::ColumnFlag);
        case ResultColumn::AlEquivalent:
            return MessageText(Reason::ColumnAlEquivalent);
        case ResultColumn::HalfValueLayer:
            return MessageText(Reason::ColumnHalfValueLayer);
        case ResultColumn::FluenceTransmission:
            return MessageText(Reason::ColumnFluenceTransmission);
    }
    return "";
}

bool ResultRowFlagged(const ResultSet& results, std::size_t row) {
    if (!results.comparison || row >= results.evaluation.positions.size()) {
        return false;
    }
    const PositionComparison* compared =
        FindComparison(*results.comparison, results.evaluation.positions[row].position);
    return compared != nullptr && compared->flagged;
}

std::string ResultCellText(const ResultSet& results, std::size_t row, ResultColumn column) {
    const PositionEvaluation& p = results.evaluation.positions.at(row);
    const PositionComparison* compared =
        results.comparison ? FindComparison(*results.comparison, p.position) : nullptr;
    const AlEquivalentPosition* al = results.alEquivalent && row < results.alEquivalent->positions.size()
                                         ? &results.alEquivalent->positions[row]
                                         : nullptr;
    switch (column) {
        case ResultColumn::Position:
            return std::to_string(p.position);
        case ResultColumn::FanAngle:
            return FixedNumberText(p.fanAngleDeg, 2);
        case ResultColumn::Reading:
            return p.readingDecimals >= 0 ? FixedNumberText(p.reading, p.readingDecimals)
                                          : GeneralNumberText(p.reading);
        case ResultColumn::ReadingCount:
            return std::to_string(p.readingCount);
        case ResultColumn::ReadingU:
            return p.readingU ? FixedNumberText(*p.readingU, 3) : std::string();
        case ResultColumn::Profile:
            return WithUncertainty(p.profile, p.profileU, 3, 1.0);
        case ResultColumn::Relative:
            return WithUncertainty(p.relativePercent, p.relativePercentU, 2, 2.0);
        case ResultColumn::RelativeOnArc:
            return WithUncertainty(p.relativeOnArcPercent, p.relativeOnArcPercentU, 2, 2.0);
        case ResultColumn::Baseline:
            return compared ? FixedNumberText(compared->baselinePercent, 2) : std::string();
        case ResultColumn::Delta:
            return compared ? FixedNumberText(compared->deltaPercent, 2) + " ± " +
                                  FixedNumberText(compared->expandedUncertaintyPercent, 2)
                            : std::string();
        case ResultColumn::Flag:
            return compared ? (std::string(
                                  MessageText(compared->flagged ? Reason::FlagDeviates : Reason::FlagAgrees)))
                            : std::string();
        case ResultColumn::AlEquivalent:
            return al && al->thicknessMm ? WithUncertainty(*al->thicknessMm, al->thicknessU, 3, 2.0)
                                         : std::string();
        case ResultColumn::HalfValueLayer:
            return al && al->hvlMm ? FixedNumberText(*al->hvlMm, 3) : std::string();
        case ResultColumn::FluenceTransmission:
            return al && al->fluenceTransmission ? FixedNumberText(*al->fluenceTransmission, 4)
                                                 : std::string();
    }
    return "";
}

}  // namespace tessaroven
