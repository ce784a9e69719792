// The comparison of a profile with a baseline profile (the acceptance measurement, say), position by position
// on the relative values: the deviation d_k = q_k - q_base,k in percent points, its combined expanded
// uncertainty U_k = 2 sqrt(u(q_k)^2 + u(q_base,k)^2) (k = 2), and whether the position is flagged, which it
// is when |d_k| > max(tolerance, U_k). The uncertainty widens the limit where it is large (at the edge of the
// fan), so a fixed tolerance alone does not raise false alarms there.
//
// Each profile is the evaluation of its own conversion (its own readings and distance); only the positions
// both have are compared.
#pragma once

#include <string>
#include <vector>

#include "calc/uncertainty.h"
#include "messages/outcome.h"

namespace tessaroven {

// Percent points of the relative value.
inline constexpr double kDefaultTolerancePercent = 5.0;

struct PositionComparison {
    int position = 0;            // cm from the rotation centre
    double relativePercent = 0;  // q_k of the measurement
    double baselinePercent = 0;  // q_base,k
    double deltaPercent = 0;     // d_k = q_k - q_base,k
    // U_k (k = 2); an unknown standard uncertainty counts as 0, so with neither known U_k is 0 and the
    // tolerance alone decides.
    double expandedUncertaintyPercent = 0;
    bool flagged = false;  // |d_k| > max(tolerance, U_k)
};

struct BaselineComparison {
    double tolerancePercent = kDefaultTolerancePercent;
    std::vector<PositionComparison> positions;  // the positions both profiles have, in increasing order
    int flaggedCount = 0;
    double distanceCm = 0;          // of the measurement
    double baselineDistanceCm = 0;  // of the baseline
    int lastPosition = -1;          // the measurement's last position, -1 when it has none
    int baselineLastPosition = -1;
    bool distanceDiffers = false;  // the two conversions used other distances
    bool positionsDiffer = false;  // one profile has positions the other lacks
};

// Compares measured with baseline. Refused when the tolerance is negative or not a finite number, or when a
// deviation or its uncertainty is not a finite number.
Expected<BaselineComparison> CompareWithBaseline(const ProfileEvaluation& measured,
                                                 const ProfileEvaluation& baseline,
                                                 double tolerancePercent = kDefaultTolerancePercent);

// The position's comparison, or nullptr when the baseline lacks it.
const PositionComparison* FindComparison(const BaselineComparison& comparison, int position);

// What the comparison found, in the catalogue's words: whether it agrees or which positions are flagged, then
// a line each when the distance or the positions differ. Lines end in LF.
std::string ComparisonSummary(const BaselineComparison& comparison);

}  // namespace tessaroven
