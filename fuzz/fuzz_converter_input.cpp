// tessaroven-convert's reading of its input: arbitrary arguments or an arbitrary standard input. The run
// either fails with a message on standard error and nothing on standard output, or succeeds with a result
// that holds no non-finite number. With --baseline (any file the arguments name is read, never written) a
// successful run says on standard error what the comparison found, and with --fail-on-deviation it may end
// with status 3, but only with its result written. --output, --save-measurement, --xcist, --egsnrc and
// --profile with a file are never passed, so nothing is written to disk; --profile=- puts the profile table
// on standard output.
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/converter.h"
#include "formats/cp932.h"
#include "fuzz_check.h"

namespace {

std::vector<std::string> SplitArguments(std::string_view text) {
    std::vector<std::string> args;
    while (!text.empty() && args.size() < 40) {
        const std::size_t end = text.find('\0');
        std::string arg(text.substr(0, end));
        if (arg.find("--output") == std::string::npos &&
            arg.find("--save-measurement") == std::string::npos && arg.find("--xcist") == std::string::npos &&
            arg.find("--egsnrc") == std::string::npos &&
            (arg.find("--profile") == std::string::npos || arg == "--profile=-")) {
            args.push_back(std::move(arg));
        }
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return args;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const unsigned flags = data[0];
    std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);

    std::vector<std::string> args;
    std::string input;
    if (flags & 1U) {
        args = SplitArguments(rest);
    } else {
        if (flags & 2U) {
            args.push_back("--list");
        }
        if (flags & 4U) {
            const std::size_t end = rest.find('\0');
            args.push_back("--distance=" + std::string(rest.substr(0, end)));
            rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        }
        input = std::string(rest);
    }
    bool help = false;
    bool list = false;
    bool table = false;
    bool baseline = false;
    bool failOnDeviation = false;
    for (const std::string& arg : args) {
        const std::string name = arg.substr(0, arg.find('='));
        help = help || name == "--help" || name == "-h";
        list = list || arg == "--list";
        table = table || arg == "--profile=-";
        baseline = baseline || name == "--baseline";
        failOnDeviation = failOnDeviation || arg == "--fail-on-deviation";
    }

    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    const int status = tessaroven::RunConverter(args, in, out, err);
    const std::string output = out.str();
    const std::string message = err.str();

    FUZZ_CHECK(status == tessaroven::kConverterOk || status == tessaroven::kConverterRefused ||
                   status == tessaroven::kConverterBadInput ||
                   (status == tessaroven::kConverterDeviation && failOnDeviation),
               "the exit status is one of the documented ones");
    FUZZ_CHECK(message.find('\x1B') == std::string::npos && message.find("\xC2\x9B") == std::string::npos,
               "no escape character of the input reaches the terminal");
    const bool deviates = status == tessaroven::kConverterDeviation;
    if (status != tessaroven::kConverterOk && !deviates) {
        FUZZ_CHECK(output.empty(), "a failed run writes nothing to standard output");
        FUZZ_CHECK(!message.empty() && message.ends_with('\n'), "a failed run says why, on one line or more");
        return 0;
    }
    // Notices of positions without an Al-equivalent thickness come first, then what the comparison with a
    // baseline found.
    const std::string notice =
        "tessaroven-convert: " + tessaroven::Message(tessaroven::Reason::AlEquivalentPositionNotice, {""});
    std::size_t line = 0;
    while (line < message.size() && message.compare(line, notice.size(), notice) == 0) {
        const std::size_t end = message.find('\n', line);
        line = end == std::string::npos ? message.size() : end + 1;
    }
    const std::string_view afterNotices = std::string_view(message).substr(line);
    FUZZ_CHECK(
        afterNotices.empty() || (baseline && afterNotices.starts_with("tessaroven-convert: 基準")),
        "a successful run speaks on standard error only of notices and the comparison with a baseline");
    FUZZ_CHECK(!output.empty(), "a successful run writes its result");
    if (help) {
        return 0;  // --help anywhere among the options wins; the usage text is not a result
    }
    if (table) {
        // The first line holds the user's comment; only the lines below it are checked.
        const std::size_t firstLineEnd = output.find('\n');
        FUZZ_CHECK(output.starts_with("# distance_cm=") && firstLineEnd != std::string::npos,
                   "the table starts with its first line");
        FUZZ_CHECK(output.ends_with('\n') && output.find('\r', firstLineEnd) == std::string::npos,
                   "the table's lines end in LF");
        FUZZ_CHECK(!tessaroven::fuzz::HasNonFiniteText(std::string_view(output).substr(firstLineEnd)),
                   "no non-finite number in the table");
        return 0;
    }
    // The comment line is the user's own text; only the numbers below it are checked.
    const std::size_t commentEnd = list ? 0 : output.find("\r\n");
    FUZZ_CHECK(commentEnd != std::string::npos, "the file has a comment line");
    FUZZ_CHECK(!tessaroven::fuzz::HasNonFiniteText(std::string_view(output).substr(commentEnd)),
               "no non-finite number in the result");
    if (!list) {
        FUZZ_CHECK(output.ends_with("\r\n"), "the file's last line ends in CR LF");
        FUZZ_CHECK(tessaroven::DecodeCp932(output).has_value(), "the file is valid code page 932");
    }
    return 0;
}
