// The forward model of the measurement: the reading that a point detector in air gives at a position on the
// horizontal line through the rotation centre while the focus turns once at constant speed on a circle of
// radius D. It is the truth the conversion models are tested against, and what `--simulate` prints.
//
// Geometry: the kerma at distance r from the focus along the ray at fan angle gamma is A(gamma) (D / r)^2,
// where A is the arc profile (the kerma at the focus distance D along that ray). The profile on the line
// through the centre perpendicular to the central ray is P(x) = A(gamma) cos^2(gamma) at x = D tan(gamma). A
// reading is the mean of the kerma at the detector over the turn, so a reading at the centre equals P(0).
// Tube output constant over the turn, no attenuation or scatter in air or couch.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <vector>

#include "messages/outcome.h"

namespace tessaroven {

// The arc profile A at fan angle gamma in radians (0 <= gamma < pi / 2; the profile is symmetric).
using ArcProfile = std::function<double(double fanAngleRad)>;

// The arc profile of a profile given on the line through the centre: P(D tan gamma) / cos^2(gamma).
ArcProfile ArcOfLineProfile(std::function<double(double xCm)> line, double distanceCm);

// The reading at positionCm (0 <= positionCm < distanceCm) for the profile: the mean over the turn of the
// kerma at the detector, integrated over the gantry angle by adaptive panels to about 1e-13 of the reading.
// Where the profile has kinks or steps, their fan angles (radians) keep them on panel edges.
double SimulatedReading(const ArcProfile& profile, double distanceCm, double positionCm,
                        std::span<const double> kinkFanAngles = {});

// The farthest fan angle (radians) that the reading at positionCm sees: asin(positionCm / distanceCm). On the
// line that is x = D k / sqrt(D^2 - k^2).
double FarthestFanAngle(double distanceCm, double positionCm);

// A profile given as a table for the simulator: linear between rows, a step where two rows share one
// abscissa, symmetric about 0. onArc: the abscissa is the fan angle in degrees and the values are the arc
// profile; otherwise the abscissa is the position on the line in cm and the values are the profile there.
struct TabulatedProfile {
    bool onArc = false;
    std::vector<double> at;     // 0 or more, nondecreasing, at least two rows
    std::vector<double> value;  // finite
};

// The readings of positions 0..positions-1 cm. Refused when the distance is not a finite number at least 1 cm
// beyond the farthest position, when positions is outside 1..31, or when the table does not reach as far as
// the farthest reading sees (the message gives the reach needed, in the table's unit), or when a reading is
// not a finite number.
Expected<std::vector<double>> SimulateReadings(const TabulatedProfile& profile, double distanceCm,
                                               int positions);

}  // namespace tessaroven
