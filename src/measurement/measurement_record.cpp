// The measurement reset.
#include "measurement/measurement_record.h"

#include <algorithm>

namespace tessaroven {

void ResetMeasurement(MeasurementRecord& record) {
    for (int i = 0; i < kSlotCount; ++i) {
        record.reading[i] = 0.0;
        record.profile[i] = 0.0;
        record.relativePercent[i] = 0.0;
        record.resultLines[i].clear();
        for (int j = 0; j < kSlotCount; ++j) {
            record.grid[i][j] = 0.0;
        }
    }
    for (std::string& line : record.readingLines) {
        line.clear();
    }
    for (std::vector<double>& position : record.repeats) {
        position.clear();
    }
    record.comment = kDefaultComment;
    record.convertedDistanceCm = 0;
    record.model = ConversionModel::Compatible;
    record.convertedModel = ConversionModel::Compatible;
    record.readingRepeatabilityPercent.reset();
    record.calibrationUncertaintyPercent.reset();
    record.conditions = {};
    record.spectrum.reset();
    record.correcting = false;
    record.lastPosition = 0;
    record.piValue = kConversionPi;
}

Measurement MeasurementOf(const MeasurementRecord& record, double distanceCm) {
    Measurement measurement;
    measurement.distanceCm = distanceCm;
    measurement.comment = record.comment;
    const int last = LastPositionIndex(record.lastPosition);
    for (int k = 0; k <= last && k <= kLastSlot; ++k) {
        const std::vector<double>& repeats = record.repeats[k];
        measurement.readings.push_back(repeats.empty() ? std::vector<double>{record.reading[k]} : repeats);
    }
    measurement.readingRepeatabilityPercent = record.readingRepeatabilityPercent;
    measurement.calibrationUncertaintyPercent = record.calibrationUncertaintyPercent;
    measurement.conditions = record.conditions;
    measurement.spectrum = record.spectrum;
    measurement.model = record.model;
    return measurement;
}

void TakeMeasurement(const Measurement& measurement, MeasurementRecord& record) {
    ResetMeasurement(record);
    const std::size_t positions = std::min(measurement.readings.size(), static_cast<std::size_t>(kSlotCount));
    for (std::size_t k = 0; k < positions; ++k) {
        const std::vector<double>& repeats = measurement.readings[k];
        record.reading[k] = MeanOfRepeats(repeats);
        if (repeats.size() > 1) {
            record.repeats[k] = repeats;
        }
    }
    record.lastPosition = static_cast<double>(positions) - 1;
    record.comment = measurement.comment;
    record.readingRepeatabilityPercent = measurement.readingRepeatabilityPercent;
    record.calibrationUncertaintyPercent = measurement.calibrationUncertaintyPercent;
    record.conditions = measurement.conditions;
    record.spectrum = measurement.spectrum;
    record.model = measurement.model;
}

double MeanOfRepeats(const std::vector<double>& repeats) {
    double sum = 0;
    for (double value : repeats) {
        sum += value;
    }
    return repeats.empty() ? 0 : sum / static_cast<double>(repeats.size());
}

}  // namespace tessaroven
