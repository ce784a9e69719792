// The conversion with arbitrary readings, distance, lastPosition and model: either refused with the record
// exactly as it was, or every solved value and percent value finite and the centre at 100 percent.
#include <cmath>
#include <cstdint>

#include "calc/conversion.h"
#include "fuzz_check.h"
#include "measurement/measurement_record.h"
#include "record_compare.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tessaroven;
    FuzzedDataProvider provider(data, size);
    MeasurementRecord record;
    ResetMeasurement(record);
    record.lastPosition = fuzz::ConsumeLastPosition(provider);
    const double distance =
        provider.ConsumeBool() ? fuzz::ConsumeValue(provider) : provider.ConsumeIntegralInRange<int>(-5, 120);
    const int filled = provider.ConsumeIntegralInRange<int>(0, kSlotCount);
    for (int i = 0; i < filled; ++i) {
        record.reading[i] = fuzz::ConsumeValue(provider);
    }
    // Leftovers of an earlier run must not matter: the grid is rebuilt whole.
    if (provider.ConsumeBool()) {
        for (auto& row : record.grid) {
            row.fill(provider.ConsumeFloatingPoint<double>());
        }
    }

    record.model = provider.ConsumeBool() ? ConversionModel::Isotropic : ConversionModel::Compatible;

    const MeasurementRecord before = record;
    const MaybeRefusal refusal = RunConversion(record, distance);
    if (refusal) {
        FUZZ_CHECK(!refusal->message.empty(), "a refusal says what was wrong");
        FUZZ_CHECK(testing::SameRecord(before, record), "a refused conversion leaves the record as it was");
        return 0;
    }
    const int n = LastPositionIndex(record.lastPosition);
    FUZZ_CHECK(n <= kLastSlot, "no conversion for positions beyond the slots");
    FUZZ_CHECK(std::memcmp(record.reading.data(), before.reading.data(), sizeof record.reading) == 0,
               "the entered readings are never overwritten");
    for (int i = 0; i <= n; ++i) {
        FUZZ_CHECK(std::isfinite(record.profile[i]) && std::isfinite(record.relativePercent[i]),
                   "every solved value and percent value is finite");
        FUZZ_CHECK(!fuzz::HasNonFiniteText(record.resultLines[i]), "no non-finite number in a result line");
    }
    if (n >= 0) {
        FUZZ_CHECK(record.relativePercent[0] == 100, "the centre is 100 percent");
    }
    for (int i = n + 1; i < kSlotCount; ++i) {
        FUZZ_CHECK(
            std::memcmp(&record.profile[i], &before.profile[i], sizeof(double)) == 0 &&
                std::memcmp(&record.relativePercent[i], &before.relativePercent[i], sizeof(double)) == 0 &&
                record.resultLines[i] == before.resultLines[i],
            "slots above lastPosition are not touched");
    }
    return 0;
}
