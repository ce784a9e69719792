// The comparison with a baseline profile: deviations, their expanded uncertainties, flags and the summary.
#include "calc/comparison.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "calc/number_text.h"

namespace tessaroven {

namespace {

constexpr double kCoverageFactor = 2;

double VarianceOrZero(const std::optional<double>& standardUncertainty) {
    return standardUncertainty ? *standardUncertainty * *standardUncertainty : 0.0;
}

int LastPositionOf(const ProfileEvaluation& evaluation) {
    int last = -1;
    for (const PositionEvaluation& p : evaluation.positions) {
        last = std::max(last, p.position);
    }
    return last;
}

const PositionEvaluation* FindPosition(const ProfileEvaluation& evaluation, int position) {
    for (const PositionEvaluation& p : evaluation.positions) {
        if (p.position == position) {
            return &p;
        }
    }
    return nullptr;
}

}  // namespace

Expected<BaselineComparison> CompareWithBaseline(const ProfileEvaluation& measured,
                                                 const ProfileEvaluation& baseline, double tolerancePercent) {
    if (!std::isfinite(tolerancePercent) || tolerancePercent < 0) {
        return Refuse(Reason::ToleranceInvalid, {GeneralNumberText(tolerancePercent)});
    }
    BaselineComparison comparison;
    comparison.tolerancePercent = tolerancePercent;
    comparison.distanceCm = measured.distanceCm;
    comparison.baselineDistanceCm = baseline.distanceCm;
    comparison.lastPosition = LastPositionOf(measured);
    comparison.baselineLastPosition = LastPositionOf(baseline);
    comparison.distanceDiffers = measured.distanceCm != baseline.distanceCm;
    comparison.positionsDiffer = measured.positions.size() != baseline.positions.size();

    for (const PositionEvaluation& p : measured.positions) {
        const PositionEvaluation* base = FindPosition(baseline, p.position);
        if (base == nullptr) {
            comparison.positionsDiffer = true;
            continue;
        }
        PositionComparison& c = comparison.positions.emplace_back();
        c.position = p.position;
        c.relativePercent = p.relativePercent;
        c.baselinePercent = base->relativePercent;
        c.deltaPercent = p.relativePercent - base->relativePercent;
        c.expandedUncertaintyPercent = kCoverageFactor * std::sqrt(VarianceOrZero(p.relativePercentU) +
                                                                   VarianceOrZero(base->relativePercentU));
        if (!std::isfinite(c.deltaPercent) || !std::isfinite(c.expandedUncertaintyPercent)) {
            return Refuse(Reason::NonFiniteResult);
        }
        c.flagged = std::fabs(c.deltaPercent) > std::max(tolerancePercent, c.expandedUncertaintyPercent);
        comparison.flaggedCount += c.flagged ? 1 : 0;
    }
    std::sort(
        comparison.positions.begin(), comparison.positions.end(),
        [](const PositionComparison& a, const PositionComparison& b) { return a.position < b.position; });
    return comparison;
}

const PositionComparison* FindComparison(const BaselineComparison& comparison, int position) {
    for (const PositionComparison& c : comparison.positions) {
        if (c.position == position) {
            return &c;
        }
    }
    return nullptr;
}

std::string ComparisonSummary(const BaselineComparison& comparison) {
    const std::string compared = std::to_string(comparison.positions.size());
    const std::string tolerance = GeneralNumberText(comparison.tolerancePercent);
    std::string summary;
    if (comparison.flaggedCount == 0) {
        summary = Message(Reason::BaselineAgrees, {compared, tolerance});
    } else {
        std::string flagged;
        for (const PositionComparison& c : comparison.positions) {
            if (c.flagged) {
                flagged += (flagged.empty() ? "" : ", ") + std::to_string(c.position);
            }
        }
        summary = Message(Reason::BaselineDeviates,
                          {std::to_string(comparison.flaggedCount), flagged, compared, tolerance});
    }
    summary += '\n';
    if (comparison.distanceDiffers) {
        summary += Message(Reason::BaselineDistanceDiffers, {GeneralNumberText(comparison.baselineDistanceCm),
                                                             GeneralNumberText(comparison.distanceCm)});
        summary += '\n';
    }
    if (comparison.positionsDiffer) {
        summary += Message(Reason::BaselinePositionsDiffer, {std::to_string(comparison.baselineLastPosition),
                                                             std::to_string(comparison.lastPosition)});
        summary += '\n';
    }
    return summary;
}

}  // namespace tessaroven
