// The measurement reset.
#include "record/measurement_record.h"

namespace tessaroven {

void ResetMeasurement(MeasurementRecord& record) {
    for (int i = 0; i < kSlotCount; ++i) {
        record.Reading[i] = 0.0;
        record.Result[i] = 0.0;
        record.EntryLine[i].clear();
        record.ResultLine[i].clear();
        for (int j = 0; j < kSlotCount; ++j) {
            record.Grid[i][j] = 0.0;
        }
    }
    record.EditMode = 0;
    record.PointCount = 0;
    record.PiValue = kConversionPi;
}

}  // namespace tessaroven
