// --plot FILE: the profile graph as a PNG picture. Builds with Qt draw it with the graph window's painting
// code (in tessaroven-convert from a module loaded on demand: plot_option_on_demand.cpp); builds without Qt
// keep the option and refuse it with a message, so that scripts learn why.
#pragma once

#include "cli/converter_options.h"

namespace tessaroven {

ConverterExtension PlotOption();
// --report FILE: the one-page report (A4 PDF) of the run, drawn as the desktop program's report is.
ConverterExtension ReportOption();

// Builds with Qt: the picture drawn and written at path, which PlotOption runs (in tessaroven_plot, and in
// the module tessaroven-convert loads for --plot).
MaybeRefusal WritePlot(const MeasurementRecord& record, const std::string& path);
// Builds with Qt: the report of the run written at path, which ReportOption runs.
MaybeRefusal WriteReport(const ConverterRun& run, const std::string& path);

}  // namespace tessaroven
