// tessaroven-convert: the conversion for batch work and scripts.
#include <iostream>
#include <string>
#include <vector>

#include "cli/converter.h"
#include "cli/plot_option.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    tessaroven::ConverterEnvironment environment;
    environment.extensions.push_back(tessaroven::PlotOption());
    environment.extensions.push_back(tessaroven::ReportOption());
    return tessaroven::RunConverter(args, std::cin, std::cout, std::cerr, environment);
}
