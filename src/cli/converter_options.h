// The command line of tessaroven-convert: its options, their strict number reading and the usage text.
// Options that exist only in some builds (a picture of the profile, say) come in as ConverterExtension
// entries, so the parser itself never changes for them.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/comparison.h"
#include "calc/number_text.h"
#include "measurement/measurement_record.h"
#include "messages/catalogue.h"
#include "messages/outcome.h"

namespace tessaroven {

inline constexpr double kDefaultConverterDistance = 60;
inline constexpr int kDefaultSimulatedPositions = 31;

// The blanks that separate readings on standard input and that a strictly read token may have around it.
inline constexpr std::string_view kReadingBlanks = kStrictNumberBlanks;
// The longest reading token, in characters: far beyond any number's text, and small enough that an endless
// line of standard input is refused after its first few kilobytes.
inline constexpr std::size_t kLongestReading = 1000;

// What an extension sees of a successful run.
struct ConverterRun {
    const MeasurementRecord& record;              // converted
    std::string measurementFile;                  // --measurement's file, empty without one
    const ProfileEvaluation* baseline = nullptr;  // --baseline's profile, converted with its own readings
    double tolerancePercent = kDefaultTolerancePercent;
    std::string baselineFile;        // --baseline's file, empty without one
    std::string baselineMeasuredOn;  // the day its measurement was made, empty when it does not say
};

// An option added by the program that embeds the converter. It always takes one value.
struct ConverterExtension {
    std::string option;     // "--name"
    std::string valueName;  // shown in the usage text, e.g. "FILE"
    Reason description;     // its line of the usage text, in the catalogue's language
    // Runs after a successful conversion and before anything is written; a refusal stops the run with exit
    // status 1 and nothing written to standard output or --output.
    std::function<MaybeRefusal(const ConverterRun& run, const std::string& value)> run;
    // The value names a file that run writes: it is checked as a target with the run's other outputs before
    // any of them is written, and run is called among the writes, as the first of them.
    bool writesFile = false;
};

struct ConverterOptions {
    // Not given: the measurement file's value, or else kDefaultConverterDistance / the measurement file's
    // default comment (kDefaultComment).
    std::optional<double> distance;
    std::optional<std::string> comment;
    std::optional<std::string> measurementPath;      // --measurement: readings, distance and comment
    std::optional<std::string> saveMeasurementPath;  // --save-measurement: a measurement file of the run
    std::optional<std::string> outputPath;
    // --reading-repeatability and --calibration-uncertainty (percent, 0 or more); they win over the file's.
    std::optional<double> readingRepeatabilityPercent;
    std::optional<double> calibrationUncertaintyPercent;
    std::optional<std::string> profilePath;  // --profile: the profile table; "-" for standard output
    bool list = false;
    bool help = false;
    // --baseline (a measurement file converted with its own readings and distance), --tolerance (percent
    // points of the relative value, 0 or more) and --fail-on-deviation; the last two only with --baseline.
    std::optional<std::string> baselinePath;
    std::optional<double> tolerancePercent;
    bool failOnDeviation = false;
    // Al-equivalent thickness: the centre spectrum (else the measurement file's), the bow-tie's central
    // thickness (mm, 0 or more; else the file's, else 0), the files for XCIST and EGSnrc and their angle
    // step.
    std::optional<std::string> spectrumPath;
    std::optional<double> centreAlMm;
    std::optional<std::string> xcistPath;
    std::optional<std::string> egsnrcPrefix;
    std::optional<double> angleStepDeg;
    // --model: wins over the measurement file's model; not given, the file's, else the compatible one.
    std::optional<ConversionModel> model;
    // --simulate: the profile file whose readings are printed in place of a conversion, for --positions
    // positions (1 to 31; only with --simulate) at --distance.
    std::optional<std::string> simulatePath;
    std::optional<int> positions;
    std::vector<std::string> readingTokens;  // the READING arguments, in order, not yet read as numbers
    struct ExtensionValue {
        std::size_t extension;  // index into the extensions handed to the parser
        std::string value;
    };
    std::vector<ExtensionValue> extensionValues;
};

// The --profile value that sends the profile table to standard output in place of the CSV or the list.
inline constexpr std::string_view kStandardOutputName = "-";

// Either the options or the message (Japanese) that says what was wrong with the command line.
struct ParsedConverterOptions {
    ConverterOptions options;
    std::string error;  // empty when the command line was sound
    bool ok() const { return error.empty(); }
};

// The language --lang asks for (ja or en), looked for before the options are read so that every message of
// the run, a refusal of the command line included, speaks it; none when it is not given or not known.
std::optional<Language> RequestedLanguage(const std::vector<std::string>& args,
                                          const std::vector<ConverterExtension>& extensions = {});

// Reads the arguments (without the program name). "--name value" and "--name=value" both work; "--" ends the
// options; a token such as "-5" or "-.5" is a reading, not an option. --help anywhere among the options wins.
// READING arguments together with --measurement are refused, and so is --profile - together with --output,
// --tolerance or --fail-on-deviation without --baseline, --positions without --simulate, and --simulate
// with READING arguments or any option but --distance, --positions and --lang.
ParsedConverterOptions ParseConverterOptions(const std::vector<std::string>& args,
                                             const std::vector<ConverterExtension>& extensions = {});

// The usage text printed by --help, ending in a line feed.
std::string ConverterUsage(const std::vector<ConverterExtension>& extensions = {});

}  // namespace tessaroven
