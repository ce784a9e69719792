// The entry point of the --plot module: the picture drawn and written by WritePlot (plot_option.cpp).
#include "cli/plot_module.h"

#include "cli/plot_option.h"

extern "C" __attribute__((visibility("default"))) void tessaroven_write_plot(
    const tessaroven::MeasurementRecord& record, const std::string& path, tessaroven::MaybeRefusal& refusal) {
    refusal = tessaroven::WritePlot(record, path);
}

extern "C" __attribute__((visibility("default"))) void tessaroven_write_report(
    const tessaroven::ConverterRun& run, const std::string& path, tessaroven::MaybeRefusal& refusal) {
    refusal = tessaroven::WriteReport(run, path);
}
