// Records for tests: whole-record comparison (a refused operation changed nothing) and records filled with
// readings or percent values.
#pragma once

#include <cstring>

#include "record/measurement_record.h"

namespace tessaroven::testing {

// Bitwise for the numbers (so -0.0 and NaN patterns count), by value for the texts.
inline bool SameRecord(const MeasurementRecord& a, const MeasurementRecord& b) {
    return std::memcmp(&a.PointCount, &b.PointCount, sizeof a.PointCount) == 0 &&
           std::memcmp(a.Reading.data(), b.Reading.data(), sizeof a.Reading) == 0 &&
           std::memcmp(a.Result.data(), b.Result.data(), sizeof a.Result) == 0 &&
           std::memcmp(a.Grid.data(), b.Grid.data(), sizeof a.Grid) == 0 && a.EntryLine == b.EntryLine &&
           a.ResultLine == b.ResultLine && a.EditMode == b.EditMode &&
           std::memcmp(&a.PiValue, &b.PiValue, sizeof a.PiValue) == 0;
}

// A record after the reset holding the given readings at positions 0..count-1.
inline MeasurementRecord RecordWithReadings(std::initializer_list<double> readings) {
    MeasurementRecord record;
    ResetMeasurement(record);
    record.PointCount = static_cast<double>(readings.size()) - 1;
    int k = 0;
    for (double v : readings) {
        record.Reading[k++] = v;
    }
    return record;
}

// A record after the reset holding the given percent values at positions 0..count-1.
inline MeasurementRecord RecordWithResults(std::initializer_list<double> results) {
    MeasurementRecord record;
    ResetMeasurement(record);
    record.PointCount = static_cast<double>(results.size()) - 1;
    int i = 0;
    for (double v : results) {
        record.Result[i++] = v;
    }
    return record;
}

}  // namespace tessaroven::testing
