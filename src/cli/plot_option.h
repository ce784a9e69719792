// --plot FILE: the profile graph as a PNG picture. Builds with Qt draw it with the graph window's painting
// code (in tessaroven-convert from a module loaded on demand: plot_option_on_demand.cpp); builds without Qt
// keep the option and refuse it with a message, so that scripts learn why.
#pragma once

#include "cli/converter_options.h"

namespace tessaroven {

ConverterExtension PlotOption();

// Builds with Qt: the picture drawn and written at path, which PlotOption runs (in tessaroven_plot, and in
// the module tessaroven-convert loads for --plot).
MaybeRefusal WritePlot(const MeasurementRecord& record, const std::string& path);

}  // namespace tessaroven
