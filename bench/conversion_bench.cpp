// The conversion's cost: the whole conversion (grid, solve, percent values and result lines) for 25 and 31
// positions, with the evaluation of every position's uncertainty after it, and each step on its own.
#include <benchmark/benchmark.h>

#include <cmath>

#include "calc/conversion.h"
#include "calc/solver.h"
#include "calc/uncertainty.h"
#include "measurement/measurement_record.h"

namespace {

using tessaroven::MeasurementRecord;

constexpr double kDistance = 60;

// A record as the main window leaves it after the last reading: a bell-shaped fan profile.
MeasurementRecord PreparedRecord(int points) {
    MeasurementRecord record;
    tessaroven::ResetMeasurement(record);
    record.lastPosition = points - 1;
    for (int k = 0; k < points; ++k) {
        const double x = k / 14.0;
        record.reading[k] = 100.0 * std::exp(-x * x) + 2.0;
    }
    return record;
}

void BM_Conversion(benchmark::State& state) {
    const MeasurementRecord prepared = PreparedRecord(static_cast<int>(state.range(0)));
    MeasurementRecord record = prepared;
    for (auto _ : state) {
        auto refusal = tessaroven::RunConversion(record, kDistance);
        benchmark::DoNotOptimize(refusal);
        benchmark::DoNotOptimize(record.relativePercent.data());
    }
}
BENCHMARK(BM_Conversion)->Arg(25)->Arg(31)->Unit(benchmark::kMicrosecond);

// The conversion followed by the evaluation of every position: uncertainty (three repeats on every position,
// a calibration uncertainty), fan angle and the relative value on the arc.
void BM_ConversionWithUncertainty(benchmark::State& state) {
    MeasurementRecord prepared = PreparedRecord(static_cast<int>(state.range(0)));
    for (int k = 0; k < state.range(0); ++k) {
        const double reading = prepared.reading[k];
        prepared.repeats[k] = {reading * 0.99, reading, reading * 1.01};
    }
    prepared.calibrationUncertaintyPercent = 2;
    MeasurementRecord record = prepared;
    for (auto _ : state) {
        auto refusal = tessaroven::RunConversion(record, kDistance);
        benchmark::DoNotOptimize(refusal);
        auto evaluation = tessaroven::EvaluateProfile(record);
        benchmark::DoNotOptimize(evaluation);
    }
}
BENCHMARK(BM_ConversionWithUncertainty)->Arg(31)->Unit(benchmark::kMicrosecond);

// The isotropic model's conversion of 31 positions, with a new distance every iteration (its weights built
// afresh, as after every change of the distance) and with the same distance again.
void BM_IsotropicConversion(benchmark::State& state) {
    MeasurementRecord record = PreparedRecord(31);
    record.model = tessaroven::ConversionModel::Isotropic;
    const bool newDistance = state.range(0) != 0;
    double distance = kDistance;
    for (auto _ : state) {
        if (newDistance) {
            distance = distance < 70 ? distance + 0.001 : kDistance;
        }
        auto refusal = tessaroven::RunConversion(record, distance);
        benchmark::DoNotOptimize(refusal);
        benchmark::DoNotOptimize(record.relativePercent.data());
    }
}
BENCHMARK(BM_IsotropicConversion)->ArgName("new_distance")->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

// The isotropic conversion with the evaluation of every position's uncertainty after it.
void BM_IsotropicConversionWithUncertainty(benchmark::State& state) {
    MeasurementRecord record = PreparedRecord(31);
    record.model = tessaroven::ConversionModel::Isotropic;
    record.readingRepeatabilityPercent = 0.3;
    for (auto _ : state) {
        auto refusal = tessaroven::RunConversion(record, kDistance);
        benchmark::DoNotOptimize(refusal);
        auto evaluation = tessaroven::EvaluateProfile(record);
        benchmark::DoNotOptimize(evaluation);
    }
}
BENCHMARK(BM_IsotropicConversionWithUncertainty)->Unit(benchmark::kMicrosecond);

void BM_BuildGrid(benchmark::State& state) {
    MeasurementRecord record = PreparedRecord(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        auto refusal = tessaroven::BuildGrid(record, kDistance);
        benchmark::DoNotOptimize(refusal);
        benchmark::DoNotOptimize(record.grid.data());
    }
}
BENCHMARK(BM_BuildGrid)->Arg(25)->Arg(31)->Unit(benchmark::kMicrosecond);

// Includes restoring the grid (about 8 KB copied) before each solve.
void BM_SolveGrid(benchmark::State& state) {
    MeasurementRecord built = PreparedRecord(static_cast<int>(state.range(0)));
    if (tessaroven::BuildGrid(built, kDistance)) {
        state.SkipWithError("grid refused");
        return;
    }
    MeasurementRecord record = built;
    for (auto _ : state) {
        record.grid = built.grid;
        auto refusal = tessaroven::SolveGrid(record);
        benchmark::DoNotOptimize(refusal);
        benchmark::DoNotOptimize(record.profile.data());
    }
}
BENCHMARK(BM_SolveGrid)->Arg(25)->Arg(31)->Unit(benchmark::kMicrosecond);

void BM_ComputePercent(benchmark::State& state) {
    MeasurementRecord record = PreparedRecord(static_cast<int>(state.range(0)));
    if (tessaroven::RunConversion(record, kDistance)) {
        state.SkipWithError("conversion refused");
        return;
    }
    for (auto _ : state) {
        auto refusal = tessaroven::ComputePercent(record);
        benchmark::DoNotOptimize(refusal);
        benchmark::DoNotOptimize(record.relativePercent.data());
    }
}
BENCHMARK(BM_ComputePercent)->Arg(25)->Arg(31)->Unit(benchmark::kMicrosecond);

void BM_ComposeResultLines(benchmark::State& state) {
    // A converted record, so that the lines hold the profile and percent values of a real conversion.
    MeasurementRecord record = PreparedRecord(static_cast<int>(state.range(0)));
    if (tessaroven::RunConversion(record, kDistance)) {
        state.SkipWithError("conversion refused");
        return;
    }
    for (auto _ : state) {
        tessaroven::ComposeResultLines(record);
        benchmark::DoNotOptimize(record.resultLines.data());
    }
}
BENCHMARK(BM_ComposeResultLines)->Arg(25)->Arg(31)->Unit(benchmark::kMicrosecond);

// The copy RunConversion makes of the record so that a refusal can leave it unchanged.
void BM_RecordCopy(benchmark::State& state) {
    const MeasurementRecord prepared = PreparedRecord(31);
    for (auto _ : state) {
        MeasurementRecord copy = prepared;
        benchmark::DoNotOptimize(copy.grid.data());
    }
}
BENCHMARK(BM_RecordCopy)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
