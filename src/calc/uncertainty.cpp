// The evaluation after a conversion: fan angles, relative values on the arc, and the propagation of the
// readings' uncertainties through the conversion model's map from readings to profile.
#include "calc/uncertainty.h"

#include <array>
#include <cmath>
#include <numbers>

#include "calc/conversion.h"
#include "calc/number_text.h"
#include "calc/portable_math.h"

namespace tessaroven {

namespace {

// The variance u(R_k)^2 of reading k: s^2 / n from its repeats when there are two or more, else (r R_k)^2
// with the reading repeatability r when the record gives one; none otherwise.
std::optional<double> ReadingVariance(const MeasurementRecord& record, int position) {
    const std::vector<double>& repeats = record.repeats[position];
    if (repeats.size() >= 2) {
        double sum = 0;
        for (double value : repeats) {
            sum += value;
        }
        const double count = static_cast<double>(repeats.size());
        const double mean = sum / count;
        double squares = 0;
        for (double value : repeats) {
            squares += (value - mean) * (value - mean);
        }
        return (squares / (count - 1)) / count;
    }
    if (record.readingRepeatabilityPercent) {
        const double u = (*record.readingRepeatabilityPercent / 100.0) * record.reading[position];
        return u * u;
    }
    return std::nullopt;
}

bool IsFinite(const std::optional<double>& value) {
    return !value || std::isfinite(*value);
}

// Whether every number the evaluation reads is finite.
bool InputsAreFinite(const MeasurementRecord& record, int n) {
    if (!IsFinite(record.readingRepeatabilityPercent) || !IsFinite(record.calibrationUncertaintyPercent)) {
        return false;
    }
    for (int k = 0; k <= n; ++k) {
        if (!std::isfinite(record.reading[k]) || !std::isfinite(record.profile[k]) ||
            !std::isfinite(record.relativePercent[k])) {
            return false;
        }
        for (double value : record.repeats[k]) {
            if (!std::isfinite(value)) {
                return false;
            }
        }
    }
    return true;
}

bool ResultsAreFinite(const PositionEvaluation& p) {
    return std::isfinite(p.fanAngleDeg) && std::isfinite(p.relativeOnArcPercent) && IsFinite(p.readingU) &&
           IsFinite(p.profileU) && IsFinite(p.relativePercentU) && IsFinite(p.relativeOnArcPercentU);
}

// Fills profileU and relativePercentU of every position from the readings' variances. With L the model's map
// from readings to profile (lower triangular), P_k = sum over m <= k of L_km R_m, so the covariance V = L
// diag(u(R)^2) L^T needs only row k and row 0 of L. The relative value's variance, (100 / P_0)^2 (V_kk - 2
// rho V_k0 + rho^2 V_00) with rho = P_k / P_0, is summed as the variance of P_k - rho P_0 term by term, which
// is the same quantity and cannot come out negative by cancellation.
MaybeRefusal PropagateUncertainty(const MeasurementRecord& record, int n,
                                  const std::array<double, kSlotCount>& variance,
                                  ProfileEvaluation& evaluation) {
    Expected<GridMatrix> map = ReadingsToProfile(record);
    if (!map) {
        return map.error();
    }
    const GridMatrix& inverse = *map;

    const double centre = record.profile[0];
    const double relativeScale = 100.0 / std::fabs(centre);
    const double calibration = record.calibrationUncertaintyPercent.value_or(0) / 100.0;
    for (int k = 0; k <= n; ++k) {
        PositionEvaluation& p = evaluation.positions[k];
        const double rho = record.profile[k] / centre;
        double profileVariance = 0;
        double relativeVariance = 0;
        for (int m = 0; m <= k; ++m) {
            const double coefficient = inverse[k][m];
            const double relativeCoefficient = m == 0 ? coefficient - rho * inverse[0][0] : coefficient;
            profileVariance += (coefficient * coefficient) * variance[m];
            relativeVariance += (relativeCoefficient * relativeCoefficient) * variance[m];
        }
        const double calibrationTerm = calibration * record.profile[k];
        p.profileU = std::sqrt(profileVariance + calibrationTerm * calibrationTerm);
        p.relativePercentU = k == 0 ? 0.0 : relativeScale * std::sqrt(relativeVariance);
        const double ratio = static_cast<double>(k) / evaluation.distanceCm;
        p.relativeOnArcPercentU = *p.relativePercentU * (1 + ratio * ratio);
    }
    return std::nullopt;
}

}  // namespace

double FanAngleDegrees(int position, double distanceCm) {
    return maths::Atan(static_cast<double>(position) / distanceCm) * (180.0 / std::numbers::pi);
}

Expected<ProfileEvaluation> EvaluateProfile(const MeasurementRecord& record) {
    const int n = LastPositionIndex(record.lastPosition);
    if (n > kLastSlot) {
        return Refuse(Reason::TooManyPositions);
    }
    if (!(record.convertedDistanceCm > 0)) {
        return Refuse(Reason::ProfileNotConverted);
    }
    if (!std::isfinite(record.convertedDistanceCm) || !InputsAreFinite(record, n)) {
        return Refuse(Reason::NonFiniteResult);
    }
    if (n >= 0 && record.profile[0] == 0) {
        return Refuse(Reason::ZeroCentreValue);
    }

    ProfileEvaluation evaluation;
    evaluation.distanceCm = record.convertedDistanceCm;
    evaluation.model = record.convertedModel;
    evaluation.uncertaintyKnown = n >= 0;
    std::array<double, kSlotCount> variance{};
    for (int k = 0; k <= n; ++k) {
        PositionEvaluation& p = evaluation.positions.emplace_back();
        p.position = k;
        p.fanAngleDeg = FanAngleDegrees(k, evaluation.distanceCm);
        p.reading = record.reading[k];
        p.readingCount = record.repeats[k].size() >= 2 ? static_cast<int>(record.repeats[k].size()) : 1;
        if (p.readingCount >= 2) {
            p.readingDecimals = MeanDecimals(record.repeats[k]);
        }
        p.profile = record.profile[k];
        p.relativePercent = record.relativePercent[k];
        const double ratio = static_cast<double>(k) / evaluation.distanceCm;
        p.relativeOnArcPercent = p.relativePercent * (1 + ratio * ratio);
        if (const std::optional<double> v = ReadingVariance(record, k)) {
            variance[k] = *v;
            p.readingU = std::sqrt(*v);
        } else {
            evaluation.uncertaintyKnown = false;
        }
    }

    if (evaluation.uncertaintyKnown) {
        if (auto refusal = PropagateUncertainty(record, n, variance, evaluation)) {
            return *refusal;
        }
    }
    for (const PositionEvaluation& p : evaluation.positions) {
        if (!ResultsAreFinite(p)) {
            return Refuse(Reason::NonFiniteResult);
        }
    }
    return evaluation;
}

Expected<ProfileEvaluation> EvaluateMeasurement(const Measurement& measurement, ConversionModel model) {
    MeasurementRecord record;
    TakeMeasurement(measurement, record);
    record.model = model;
    if (auto refusal = RunConversion(record, measurement.distanceCm)) {
        return *refusal;
    }
    return EvaluateProfile(record);
}

std::vector<double> RelativeErrorBars(const MeasurementRecord& record) {
    std::vector<double> bars;
    if (const Expected<ProfileEvaluation> evaluation = EvaluateProfile(record);
        evaluation && evaluation->uncertaintyKnown) {
        for (const PositionEvaluation& position : evaluation->positions) {
            bars.push_back(2 * position.relativePercentU.value_or(0));
        }
    }
    return bars;
}

}  // namespace tessaroven
