// What is evaluated after a conversion, position by position: the fan angle, the relative value on the arc
// about the focus, and the standard uncertainty (k = 1) of the reading, the profile and the relative values,
// propagated through the conversion's linear model.
//
// The profile and the relative values are those of the conversion (the record's), never computed again; only
// their uncertainties are computed here.
#pragma once

#include <optional>
#include <vector>

#include "measurement/measurement_record.h"
#include "messages/outcome.h"

namespace tessaroven {

struct PositionEvaluation {
    int position = 0;  // cm from the rotation centre
    double fanAngleDeg = 0;
    double reading = 0;              // mean of the repeats (record.reading)
    int readingCount = 1;            // number of repeats, 1 for a position measured once
    std::optional<double> readingU;  // standard uncertainty u(R_k)
    double profile = 0;              // record.profile[k]
    std::optional<double> profileU;  // with the calibration term
    double relativePercent = 0;      // record.relativePercent[k]
    std::optional<double> relativePercentU;
    double relativeOnArcPercent = 0;
    std::optional<double> relativeOnArcPercentU;
    int readingDecimals =
        -1;  // the mean of repeats is shown with MeanDecimals; -1: a reading shown as entered
};

struct ProfileEvaluation {
    double distanceCm = 0;
    std::vector<PositionEvaluation> positions;            // 0..lastPosition
    bool uncertaintyKnown = false;                        // every position has u(R)
    ConversionModel model = ConversionModel::Compatible;  // the model the profile was converted with
};

// The angle in degrees between the central ray and the ray from the focus (distanceCm from the rotation
// centre) through the position.
double FanAngleDegrees(int position, double distanceCm);

// The evaluation of a converted record (convertedDistanceCm > 0), every position 0..lastPosition. The
// profile's and relative values' uncertainties are given only when every reading has one; the calibration
// uncertainty, common to all readings, enters the profile's only, as it cancels in every relative value.
// Refused when the record is not converted, or when a value (reading, repeat, uncertainty, profile, relative
// value) or a result is not a finite number.
Expected<ProfileEvaluation> EvaluateProfile(const MeasurementRecord& record);

// A measurement file's profile, converted with its own readings and distance and the given model (a
// baseline is converted with the measurement's model, whatever its file says) and evaluated. Refused as the
// conversion or the evaluation is.
Expected<ProfileEvaluation> EvaluateMeasurement(const Measurement& measurement, ConversionModel model);

// The half-lengths of the graph's error bars: the expanded uncertainty (k = 2) of each position's relative
// value, when the record is converted and its uncertainty is known; empty otherwise.
std::vector<double> RelativeErrorBars(const MeasurementRecord& record);

}  // namespace tessaroven
