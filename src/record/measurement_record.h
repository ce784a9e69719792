// The one in-memory record of a measurement: readings, solved profile, working grid, list texts and flags.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tessaroven {

// Number of measuring positions the record can hold; every array index is valid in 0..kSlotCount - 1.
inline constexpr int kSlotCount = 31;
inline constexpr int kLastSlot = kSlotCount - 1;

using SlotValues = std::array<double, kSlotCount>;
using SlotTexts = std::array<std::string, kSlotCount>;
using GridMatrix = std::array<std::array<double, kSlotCount>, kSlotCount>;

// Members keep the names the handlers use; they are read and written directly (no accessor layer).
// Texts are UTF-8.
struct MeasurementRecord {
    double PointCount = 0;  // index of the last measuring position (number of points minus 1), a whole number
    SlotValues Reading{};   // entered reading per slot; after a conversion, the solved profile
    SlotValues Result{};    // profile in percent of the centre value, per slot
    GridMatrix Grid{};      // working matrix of the conversion, Grid[row][column]
    SlotTexts EntryLine;    // reading-list line, indexed by point number
    SlotTexts ResultLine;   // result-list line (or CSV line after a save), indexed by slot
    std::int16_t EditMode = 0;  // 1 while a correction is pending
    double PiValue = 0;         // value of pi used by the conversion, set by the reset
};

// The pi value the conversion works with: deliberately 3.14159, not pi at full precision.
inline constexpr double kConversionPi = 3.14159;

// Clears every array and text, sets EditMode and PointCount to 0 and PiValue to 3.14159.
// (The main window's part of a new measurement is done by the GUI.)
void ResetMeasurement(MeasurementRecord& record);

// Whether index lies in 0..30.
constexpr bool IsSlotIndex(double index) {
    return index >= 0 && index <= kLastSlot;
}

// The last position index that a walk over 0..PointCount reaches: -1 when PointCount is negative (the walk
// does nothing), kSlotCount when it lies beyond the slots (or is not a number), otherwise PointCount itself.
// Walks that meet kSlotCount must be refused or stopped at kLastSlot by the caller.
constexpr int LastPositionIndex(double pointCount) {
    if (pointCount < 0) {
        return -1;
    }
    if (!(pointCount <= kLastSlot)) {
        return kSlotCount;
    }
    return static_cast<int>(pointCount);
}

}  // namespace tessaroven
