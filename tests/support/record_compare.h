// Records for tests: whole-record comparison (a refused operation changed nothing), records filled with
// readings or percent values, and the bitwise comparison of measurements (a file round trip).
#pragma once

#include <cstring>
#include <optional>
#include <vector>

#include "measurement/measurement.h"
#include "measurement/measurement_record.h"

namespace tessaroven::testing {

// Bitwise for the numbers (so -0.0 and NaN patterns count), by value for the texts.
inline bool SameRecord(const MeasurementRecord& a, const MeasurementRecord& b) {
    return std::memcmp(&a.lastPosition, &b.lastPosition, sizeof a.lastPosition) == 0 &&
           std::memcmp(a.reading.data(), b.reading.data(), sizeof a.reading) == 0 &&
           std::memcmp(a.profile.data(), b.profile.data(), sizeof a.profile) == 0 &&
           std::memcmp(a.relativePercent.data(), b.relativePercent.data(), sizeof a.relativePercent) == 0 &&
           std::memcmp(a.grid.data(), b.grid.data(), sizeof a.grid) == 0 &&
           a.readingLines == b.readingLines && a.resultLines == b.resultLines &&
           a.correcting == b.correcting && std::memcmp(&a.piValue, &b.piValue, sizeof a.piValue) == 0 &&
           a.repeats == b.repeats && a.comment == b.comment &&
           a.convertedDistanceCm == b.convertedDistanceCm &&
           a.readingRepeatabilityPercent == b.readingRepeatabilityPercent &&
           a.calibrationUncertaintyPercent == b.calibrationUncertaintyPercent &&
           a.conditions == b.conditions && a.spectrum == b.spectrum;
}

// A record after the reset holding the given readings at positions 0..count-1.
inline MeasurementRecord RecordWithReadings(std::initializer_list<double> readings) {
    MeasurementRecord record;
    ResetMeasurement(record);
    record.lastPosition = static_cast<double>(readings.size()) - 1;
    int k = 0;
    for (double v : readings) {
        record.reading[k++] = v;
    }
    return record;
}

// A record after the reset holding the given solved profile at positions 0..count-1.
inline MeasurementRecord RecordWithProfile(std::initializer_list<double> profile) {
    MeasurementRecord record = RecordWithReadings(profile);
    record.profile = record.reading;
    record.reading.fill(0.0);
    return record;
}

// A record after the reset holding the given percent values at positions 0..count-1.
inline MeasurementRecord RecordWithResults(std::initializer_list<double> results) {
    MeasurementRecord record;
    ResetMeasurement(record);
    record.lastPosition = static_cast<double>(results.size()) - 1;
    int i = 0;
    for (double v : results) {
        record.relativePercent[i++] = v;
    }
    return record;
}

// Equal, and every number equal bit for bit (so -0.0 and 0.0 differ).
inline bool SameMeasurement(const Measurement& a, const Measurement& b) {
    const auto numbers = [](const Measurement& m) {
        const MeasurementConditions& c = m.conditions;
        std::vector<double> all{m.distanceCm};
        for (const std::optional<double>& v :
             {m.readingRepeatabilityPercent, m.calibrationUncertaintyPercent, c.tubeVoltageKv,
              c.collimationMm, c.rotationTimeS, c.tubeCurrentTimeProductMas, c.calibrationFactor}) {
            all.push_back(v.value_or(0));
        }
        for (const std::vector<double>& repeats : m.readings) {
            all.insert(all.end(), repeats.begin(), repeats.end());
        }
        if (m.spectrum) {
            const Spectrum& s = m.spectrum->spectrum;
            all.push_back(m.spectrum->centreAlMm.value_or(0));
            all.insert(all.end(), s.energiesKeV.begin(), s.energiesKeV.end());
            all.insert(all.end(), s.weights.begin(), s.weights.end());
        }
        return all;
    };
    const std::vector<double> x = numbers(a);
    const std::vector<double> y = numbers(b);
    return a == b && x.size() == y.size() && std::memcmp(x.data(), y.data(), x.size() * sizeof(double)) == 0;
}

}  // namespace tessaroven::testing
