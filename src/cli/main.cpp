// tessaroven-convert: the conversion for batch work and scripts.
#include <iostream>
#include <string>
#include <vector>

#include "cli/converter.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return tessaroven::RunConverter(args, std::cin, std::cout, std::cerr);
}
