// Reading a measurement file: the worked example (5 positions, one reading each) and a full file of 31
// positions with three repeats each and every condition filled.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>

#include "formats/measurement_file.h"

namespace {

std::string WorkedExampleText() {
    std::ifstream in(TESSAROVEN_EXAMPLES_DIR "/worked-example.tessaroven.json", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string FullFileText() {
    tessaroven::Measurement measurement;
    measurement.distanceCm = 60;
    measurement.comment = "Head phantom, 120 kV";
    for (int k = 0; k < 31; ++k) {
        const double x = k / 14.0;
        const double reading = 100.0 * std::exp(-x * x) + 2.0;
        measurement.readings.push_back({reading * 0.998, reading, reading * 1.003});
    }
    measurement.readingRepeatabilityPercent = 0.4;
    measurement.calibrationUncertaintyPercent = 2.5;
    tessaroven::MeasurementConditions& c = measurement.conditions;
    c.scanner = "Scanner 64";
    c.scannerSerial = "SN-1234";
    c.bowtieFilter = "Body";
    c.detector = "Pencil chamber 10 cm";
    c.detectorSerial = "PC-5678";
    c.calibrationDate = "2024-01-15";
    c.operatorName = "Operator";
    c.measuredOn = "2024-03-01";
    c.site = "Site";
    c.notes = "Free in air";
    c.tubeVoltageKv = 120;
    c.collimationMm = 40;
    c.rotationTimeS = 1;
    c.tubeCurrentTimeProductMas = 100;
    c.calibrationFactor = 1.002;
    return tessaroven::MeasurementFileText(measurement);
}

void ReadText(benchmark::State& state, const std::string& text) {
    for (auto _ : state) {
        auto measurement = tessaroven::ParseMeasurementFile(text);
        if (!measurement) {
            state.SkipWithError("file refused");
            return;
        }
        benchmark::DoNotOptimize(measurement->readings.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

void BM_ParseMeasurementFile_WorkedExample(benchmark::State& state) {
    ReadText(state, WorkedExampleText());
}
BENCHMARK(BM_ParseMeasurementFile_WorkedExample)->Unit(benchmark::kMicrosecond);

void BM_ParseMeasurementFile_31Positions(benchmark::State& state) {
    ReadText(state, FullFileText());
}
BENCHMARK(BM_ParseMeasurementFile_31Positions)->Unit(benchmark::kMicrosecond);

}  // namespace
