// tessaroven-convert: the conversion for batch work and scripts.
#include <iostream>

#include "cli/console_start.h"
#include "cli/converter.h"
#include "cli/plot_option.h"

int main(int argc, char** argv) {
    const tessaroven::ConsoleStart start = tessaroven::StartConsole(argc, argv);
    tessaroven::ConverterEnvironment environment;
    environment.extensions.push_back(tessaroven::PlotOption());
    environment.extensions.push_back(tessaroven::ReportOption());
    environment.textOutput = start.text;
    return tessaroven::RunConverter(start.arguments, std::cin, std::cout, start.messages, environment);
}
