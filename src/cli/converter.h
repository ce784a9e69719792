// tessaroven-convert as a function: readings in, the result file's bytes (or the result-list lines) out, so
// that the whole program can be tested without starting a process.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "cli/converter_options.h"
#include "storage/storage.h"

namespace tessaroven {

// Exit statuses.
inline constexpr int kConverterOk = 0;
inline constexpr int kConverterRefused = 1;   // the conversion was refused, or writing the result failed
inline constexpr int kConverterBadInput = 2;  // bad usage or input
// --fail-on-deviation: a position deviates from the baseline. Given only when every output was written; 2 and
// 1 take precedence.
inline constexpr int kConverterDeviation = 3;

struct ConverterEnvironment {
    std::vector<ConverterExtension> extensions;
    const FileSystemOps* fileSystem = &SystemFileSystem();  // for --output, --profile and --save-measurement
    // Where standard output's UTF-8 text (the usage, the result list, a profile table, simulated readings)
    // goes instead of out, when the system shows out's bytes in another character set: a Windows console
    // reads them in its own code page. The CSV, in code page 932, always goes to out as it is.
    std::ostream* textOutput = nullptr;
};

// Runs the converter on args (without the program name). Readings come from the --measurement file, from
// args, or from in when there are neither. The result goes to out or to the --output file (with --profile -,
// the profile table goes to out in its place); messages (Japanese, UTF-8) go to err. Every file is written
// only once the conversion and every check of the run have passed (each target as the safe writer would
// take it, no file named twice); on any error nothing is written to out, and a write that still fails names
// the outputs written before it and those not written. With --baseline, a summary of the comparison goes to
// err after every output was written. Returns the exit status.
int RunConverter(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err,
                 const ConverterEnvironment& environment = {});

}  // namespace tessaroven
