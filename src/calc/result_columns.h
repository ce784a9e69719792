// The per-position result columns that the results table and the report show: their headings and the text
// of each cell, so that both show the same digits.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/al_equivalent.h"
#include "calc/comparison.h"
#include "calc/uncertainty.h"

namespace tessaroven {

enum class ResultColumn {
    Position,
    FanAngle,
    Reading,
    ReadingCount,
    ReadingU,
    Profile,
    Relative,
    RelativeOnArc,
    Baseline,      // with a baseline: its relative value
    Delta,         // with a baseline: d_k ± U_k
    Flag,          // with a baseline: whether the position is flagged
    AlEquivalent,  // with a spectrum: t_k ± U (k = 2)
    HalfValueLayer,
    FluenceTransmission,
};

// What there is to show after a conversion: the evaluation, and what a baseline and a spectrum add to it.
struct ResultSet {
    ProfileEvaluation evaluation;
    std::optional<BaselineComparison> comparison;
    std::optional<AlEquivalentProfile> alEquivalent;
};

// The results of a converted record: its evaluation, the comparison with baseline when one is given (with the
// tolerance in percent points), and the Al-equivalent thickness when the record has a centre spectrum.
// Refused as the evaluation, the comparison or the spectrum is.
Expected<ResultSet> EvaluateResults(const MeasurementRecord& record,
                                    const ProfileEvaluation* baseline = nullptr,
                                    double tolerancePercent = kDefaultTolerancePercent);

// The columns of a result set, in the results table's order: the evaluation's, then the baseline's and the
// spectrum's where there are such.
std::vector<ResultColumn> ResultColumnsOf(const ResultSet& results);

// The column's heading (UTF-8).
std::string_view ResultColumnHeading(ResultColumn column);

// Whether the row's position is flagged by the comparison with the baseline (the Flag column's "外れ").
bool ResultRowFlagged(const ResultSet& results, std::size_t row);

// The cell of row (the position's index in the evaluation): fixed decimals per column, "value ± U" (k = 2)
// for the relative values, the deviation and the thickness and "value ± u" for the profile where the
// uncertainty is known, the mean of repeats with one decimal more than its repeats, a reading measured once
// as entered, and nothing for an unknown value (a position the baseline lacks, a thickness that cannot be
// found).
std::string ResultCellText(const ResultSet& results, std::size_t row, ResultColumn column);

}  // namespace tessaroven
