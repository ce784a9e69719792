// The conversion: grid model, solve, percent values and result lines, computed on a copy and then committed.
#include "calc/conversion.h"

#include <cmath>

#include "calc/number_text.h"
#include "calc/solver.h"

namespace tessaroven {

MaybeRefusal BuildGrid(MeasurementRecord& record, double distance) {
    const int n = LastPositionIndex(record.lastPosition);
    if (n > kLastSlot) {
        return Refuse(Reason::TooManyPositions);
    }
    for (auto& row : record.grid) {
        row.fill(0.0);
    }
    if (n < 0) {
        return std::nullopt;
    }
    if (distance == 0 || !std::isfinite(distance)) {
        return Refuse(Reason::DistanceNotANumber);
    }

    // The angles are the same for every row; computing them once gives bit-identical values.
    double cosine[kAngleCount];
    double sine[kAngleCount];
    for (int m = -45; m <= 44; ++m) {
        const double theta = (GantryAngleDegrees(m) / 180.0) * record.piValue;
        cosine[m + 45] = std::cos(theta);
        sine[m + 45] = std::sin(theta);
    }

    const double d = distance;
    for (int k = 0; k <= n; ++k) {
        auto& row = record.grid[k];
        const double kk = k;
        for (int a = 0; a < kAngleCount; ++a) {
            const double c = cosine[a];
            const double s = sine[a];
            const double denominator = d - kk * s;
            if (!(denominator > 0)) {  // focus not outside the measuring radius
                return Refuse(Reason::DistanceTooShort);
            }
            const double x = ((d * kk) * c) / denominator;
            const double f = (d * d + x * x) / (denominator * denominator + (kk * c) * (kk * c));
            const double w = c / kAngleWeightSum;
            if (!std::isfinite(x) || !std::isfinite(f)) {
                return Refuse(Reason::NonFiniteResult);
            }
            const double ix = std::floor(x);
            if (ix < kk) {
                const int column = static_cast<int>(ix);  // 0 <= column < k, since x >= 0 here
                row[column] += (f * w) * ((ix + 1) - x);
                row[column + 1] += (f * w) * (x - ix);
            } else {
                row[k] += f * w;
            }
        }
    }
    return std::nullopt;
}

MaybeRefusal ComputePercent(MeasurementRecord& record) {
    const int n = LastPositionIndex(record.lastPosition);
    if (n > kLastSlot) {
        return Refuse(Reason::TooManyPositions);
    }
    if (n < 0) {
        return std::nullopt;
    }
    for (int i = 0; i <= n; ++i) {
        if (!std::isfinite(record.profile[i])) {
            return Refuse(Reason::NonFiniteResult);
        }
    }
    if (record.profile[0] == 0) {
        return Refuse(Reason::ZeroCentreValue);
    }
    for (int i = 0; i <= n; ++i) {
        record.relativePercent[i] = (record.profile[i] / record.profile[0]) * 100.0;
        if (!std::isfinite(record.relativePercent[i])) {
            return Refuse(Reason::NonFiniteResult);
        }
    }
    return std::nullopt;
}

std::string ResultListLine(int index, double profile, double relativePercent, char decimalSeparator) {
    return std::to_string(index) + " : " + Pattern000(profile, decimalSeparator) + "  " +
           Pattern0(relativePercent, decimalSeparator);
}

void ComposeResultLines(MeasurementRecord& record, char decimalSeparator) {
    const int n = LastPositionIndex(record.lastPosition);
    for (int i = 0; i <= n && i <= kLastSlot; ++i) {
        record.resultLines[i] =
            ResultListLine(i, record.profile[i], record.relativePercent[i], decimalSeparator);
    }
}

Conversion::Conversion(const MeasurementRecord& record, double distance, char decimalSeparator)
    : m_work(record), m_distance(distance), m_decimalSeparator(decimalSeparator) {}

MaybeRefusal Conversion::BuildGrid() {
    return tessaroven::BuildGrid(m_work, m_distance);
}

MaybeRefusal Conversion::Solve() {
    return SolveGrid(m_work);
}

MaybeRefusal Conversion::Finish() {
    if (auto refusal = ComputePercent(m_work)) {
        return refusal;
    }
    ComposeResultLines(m_work, m_decimalSeparator);
    return std::nullopt;
}

void Conversion::CommitTo(MeasurementRecord& record) const {
    record.grid = m_work.grid;
    record.profile = m_work.profile;
    record.relativePercent = m_work.relativePercent;
    record.resultLines = m_work.resultLines;
    record.convertedDistanceCm = m_distance;
}

MaybeRefusal RunConversion(MeasurementRecord& record, double distance, char decimalSeparator) {
    Conversion conversion(record, distance, decimalSeparator);
    if (auto refusal = conversion.BuildGrid()) {
        return refusal;
    }
    if (auto refusal = conversion.Solve()) {
        return refusal;
    }
    if (auto refusal = conversion.Finish()) {
        return refusal;
    }
    conversion.CommitTo(record);
    return std::nullopt;
}

}  // namespace tessaroven
