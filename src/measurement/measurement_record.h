// The one in-memory record of a measurement: entered readings, solved profile, working grid, list texts and
// flags.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "measurement/measurement.h"

namespace tessaroven {

// Number of measuring positions the record can hold; every array index is valid in 0..kSlotCount - 1.
inline constexpr int kSlotCount = 31;
inline constexpr int kLastSlot = kSlotCount - 1;

using SlotValues = std::array<double, kSlotCount>;
using SlotTexts = std::array<std::string, kSlotCount>;
// Indexed by point number: 1..kSlotCount for the positions (0 is a valid, if unusual, point number).
using PointTexts = std::array<std::string, kSlotCount + 1>;
using GridMatrix = std::array<std::array<double, kSlotCount>, kSlotCount>;
using SlotRepeats = std::array<std::vector<double>, kSlotCount>;

// Handlers read and write the members directly (no accessor layer).
// Texts are UTF-8.
struct MeasurementRecord {
    // Index of the last measuring position (number of points minus 1), a whole number.
    double lastPosition = 0;
    SlotValues reading{};            // entered reading per slot; the conversion never overwrites it
    SlotValues profile{};            // solved (absolute) profile per slot, written by the conversion
    SlotValues relativePercent{};    // profile in percent of the centre value, per slot
    GridMatrix grid{};               // working matrix of the conversion, grid[row][column]
    PointTexts readingLines;         // reading-list line, indexed by point number
    SlotTexts resultLines;           // result-list line (or CSV line after a save), indexed by slot
    bool correcting = false;         // while a correction is pending
    double piValue = 0;              // value of pi used by the conversion, set by the reset
    double convertedDistanceCm = 0;  // the distance the last conversion used (0: not converted)
    ConversionModel model = ConversionModel::Compatible;           // the model the next conversion uses
    ConversionModel convertedModel = ConversionModel::Compatible;  // the model of the results held

    // What the measurement file keeps beside the readings.
    SlotRepeats repeats;  // repeated readings entered together for a position (reading[k] is their mean);
                          // empty where one reading was entered
    std::string comment = kDefaultComment;  // the first line of the result file
    std::optional<double> readingRepeatabilityPercent;
    std::optional<double> calibrationUncertaintyPercent;
    MeasurementConditions conditions;
    std::optional<MeasurementSpectrum> spectrum;  // the centre spectrum, when one was chosen
};

// The pi value the conversion works with: deliberately 3.14159, not pi at full precision.
inline constexpr double kConversionPi = 3.14159;

// Clears every array and text, ends a pending correction, sets lastPosition to 0 and piValue to 3.14159;
// the comment goes back to "Comment", conditions, uncertainties and the spectrum to unset.
// (The main window's part of a new measurement is done by the GUI.)
void ResetMeasurement(MeasurementRecord& record);

// The measurement file's contents for positions 0..lastPosition (each position's repeats, or its one
// reading) with the given distance and the record's comment, uncertainties and conditions. lastPosition must
// lie in 0..30.
Measurement MeasurementOf(const MeasurementRecord& record, double distanceCm);

// Resets record and puts the measurement's readings (the means of the repeats), repeats, comment,
// uncertainties and conditions into it, with lastPosition set. List texts are left to the caller.
void TakeMeasurement(const Measurement& measurement, MeasurementRecord& record);

// Whether index lies in 0..30.
constexpr bool IsSlotIndex(double index) {
    return index >= 0 && index <= kLastSlot;
}

// Whether index lies in 0..31, the point numbers a reading-list line can have.
constexpr bool IsPointNumberIndex(double index) {
    return index >= 0 && index <= kSlotCount;
}

// The last position index that a walk over 0..lastPosition reaches: -1 when lastPosition is negative (the
// walk does nothing), kSlotCount when it lies beyond the slots (or is not a number), otherwise lastPosition
// itself. Walks that meet kSlotCount must be refused or stopped at kLastSlot by the caller.
constexpr int LastPositionIndex(double lastPosition) {
    if (lastPosition < 0) {
        return -1;
    }
    if (!(lastPosition <= kLastSlot)) {
        return kSlotCount;
    }
    return static_cast<int>(lastPosition);
}

}  // namespace tessaroven
