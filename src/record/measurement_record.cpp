// The measurement reset.
#include "record/measurement_record.h"

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
    record.correcting = false;
    record.lastPosition = 0;
    record.piValue = kConversionPi;
}

}  // namespace tessaroven
