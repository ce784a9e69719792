// The converter's start on POSIX systems: arguments, streams and terminal already speak bytes and UTF-8.
#include <iostream>

#include "cli/console_start.h"

namespace tessaroven {

ConsoleStart StartConsole(int argc, char** argv) {
    return {std::vector<std::string>(argv + 1, argv + argc), std::cerr};
}

}  // namespace tessaroven
