// The entry point of the --plot module: the picture drawn and written by WritePlot (plot_option.cpp).
#include "cli/plot_module.h"

#include "cli/plot_option.h"

// The module holds a copy of the catalogue of its own, so each call brings the language of the run.

extern "C" __attribute__((visibility("default"))) void tessaroven_write_plot_in_language(
    tessaroven::Language language, const tessaroven::MeasurementRecord& record, const std::string& path,
    tessaroven::MaybeRefusal& refusal) {
    tessaroven::SetMessageLanguage(language);
    refusal = tessaroven::WritePlot(record, path);
}

extern "C" __attribute__((visibility("default"))) void tessaroven_write_report_in_language(
    tessaroven::Language language, const tessaroven::ConverterRun& run, const std::string& path,
    tessaroven::MaybeRefusal& refusal) {
    tessaroven::SetMessageLanguage(language);
    refusal = tessaroven::WriteReport(run, path);
}
