// --plot FILE: the profile graph as a PNG picture. Builds with Qt draw it with the graph window's painting
// code; builds without Qt keep the option and refuse it with a message, so that scripts learn why.
#pragma once

#include "cli/converter_options.h"

namespace tessaroven {

ConverterExtension PlotOption();

}  // namespace tessaroven
