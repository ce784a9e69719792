// tessaroven-convert.mjs: the converter as a WebAssembly program under node, with the native converter's
// options, files, standard streams and exit statuses; the drawing options are refused as in builds without
// Qt.
#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "cli/converter.h"
#include "cli/plot_option.h"
#include "storage/node/node_storage.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    tessaroven::ConverterEnvironment environment;
    environment.extensions.push_back(tessaroven::PlotOption());
    environment.extensions.push_back(tessaroven::ReportOption());
    const auto in = tessaroven::NodeStandardInput();
    const auto out = tessaroven::NodeStandardOutput(1);
    const auto err = tessaroven::NodeStandardOutput(2);
    return tessaroven::RunConverter(args, *in, *out, *err, environment);
}
