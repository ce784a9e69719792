// --plot's drawing code as a module of its own, which tessaroven-convert loads only when a picture is asked
// for, so that every other run starts without Qt: the module's one entry point.
#pragma once

#include <string>

#include "cli/converter_options.h"
#include "measurement/measurement_record.h"
#include "messages/catalogue.h"
#include "messages/outcome.h"

// Writes the profile graph of record as a PNG file at path (WritePlot); refusal holds what went wrong, in
// language.
extern "C" void tessaroven_write_plot_in_language(tessaroven::Language language,
                                                  const tessaroven::MeasurementRecord& record,
                                                  const std::string& path, tessaroven::MaybeRefusal& refusal);

// Writes the report of run as a PDF file at path (WriteReport), its texts in language; refusal holds what
// went wrong.
extern "C" void tessaroven_write_report_in_language(tessaroven::Language language,
                                                    const tessaroven::ConverterRun& run,
                                                    const std::string& path,
                                                    tessaroven::MaybeRefusal& refusal);

namespace tessaroven {

// The names change with the entries' parameters, so a module of another build is refused rather than called
// wrongly.
inline constexpr const char* kPlotModuleEntryName = "tessaroven_write_plot_in_language";
inline constexpr const char* kReportModuleEntryName = "tessaroven_write_report_in_language";

}  // namespace tessaroven
