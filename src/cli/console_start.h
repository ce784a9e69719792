// What the converter takes from the system it starts on: its arguments as UTF-8, standard input and output
// passing bytes unchanged, and streams for its messages and texts that the user's console shows as the text
// they are.
// On POSIX systems these are argv, the standard streams and std::cerr as they are; Windows needs work
// (console_start_windows.cpp).
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace tessaroven {

struct ConsoleStart {
    std::vector<std::string> arguments;  // without the program's name
    std::ostream& messages;
    std::ostream* text = nullptr;  // for standard output's UTF-8 text where its bytes would not show it
};

ConsoleStart StartConsole(int argc, char** argv);

}  // namespace tessaroven
