// tessaroven-convert: strict reading of the readings, the conversion, and the result file or list.
#include "cli/converter.h"

#include <algorithm>
#include <cstddef>
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "calc/al_equivalent.h"
#include "calc/comparison.h"
#include "calc/conversion.h"
#include "calc/number_text.h"
#include "calc/simulator.h"
#include "calc/uncertainty.h"
#include "files/format_files.h"
#include "formats/bowtie_exports.h"
#include "formats/csv.h"
#include "formats/measurement_file.h"
#include "formats/profile_columns.h"
#include "formats/profile_table.h"
#include "formats/spectrum_file.h"
#include "measurement/measurement_record.h"
#include "messages/echoed_text.h"
#include "storage/storage.h"

namespace tessaroven {

namespace {

constexpr std::string_view kProgramName = "tessaroven-convert: ";
constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

struct ReadingToken {
    std::string text;
    int line = 0;  // line of standard input, 0 for a command-line argument
};

// What went wrong, for standard error, with the exit status it earns.
struct Failure {
    std::string message;
    int status = kConverterBadInput;
};

// Whether c starts a character of UTF-8 text (rather than continuing one).
bool StartsCharacter(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
}

std::string LinePlace(int line) {
    return line > 0 ? Message(Reason::InputLinePlace, {std::to_string(line)}) : "";
}

Failure TooLong(std::string_view token, int line) {
    return Failure{Message(Reason::ReadingTooLong,
                           {LinePlace(line), EchoedText(token), std::to_string(kLongestReading)})};
}

// Splits standard input into reading tokens, a piece at a time: only the token being read is held, and one
// longer than kLongestReading characters is refused at once, so an endless line (/dev/zero) ends with a
// message after a few kilobytes. Reading stops one token beyond the slots, which is already too many.
std::optional<Failure> ReadTokens(std::istream& in, std::vector<ReadingToken>& tokens) {
    char buffer[1 << 16];
    std::string token;
    std::size_t characters = 0;
    int line = 1;
    bool lineHasToken = false;  // a '#' starts a comment only before the line's first token
    bool comment = false;
    bool start = true;
    const auto finishToken = [&] {
        if (!token.empty()) {
            tokens.push_back({std::move(token), line});
            token.clear();
            characters = 0;
        }
    };
    while (in && tokens.size() <= static_cast<std::size_t>(kSlotCount)) {
        in.read(buffer, sizeof buffer);
        std::string_view piece(buffer, static_cast<std::size_t>(in.gcount()));
        if (start && piece.starts_with(kUtf8ByteOrderMark)) {
            piece.remove_prefix(kUtf8ByteOrderMark.size());
        }
        start = false;
        for (const char c : piece) {
            if (c == '\n') {
                finishToken();
                ++line;
                lineHasToken = comment = false;
            } else if (comment) {
                continue;
            } else if (kReadingBlanks.find(c) != std::string_view::npos) {
                finishToken();
            } else if (!lineHasToken && c == '#') {
                comment = true;
            } else {
                lineHasToken = true;
                token += c;
                characters += StartsCharacter(c) ? 1 : 0;
                // Continuation bytes alone make no character; they are bounded by the bytes a character
                // takes.
                if (characters > kLongestReading || token.size() > 4 * kLongestReading) {
                    return TooLong(token, line);
                }
            }
        }
    }
    if (in.bad()) {
        return Failure{Message(Reason::InputUnreadable)};
    }
    finishToken();
    return std::nullopt;
}

std::optional<Failure> ReadReadings(const std::vector<ReadingToken>& tokens, std::vector<double>& readings) {
    for (const ReadingToken& token : tokens) {
        if (readings.size() == static_cast<std::size_t>(kSlotCount)) {
            return Failure{Message(Reason::TooManyReadings, {std::to_string(kSlotCount)})};
        }
        if (std::count_if(token.text.begin(), token.text.end(), StartsCharacter) >
            static_cast<std::ptrdiff_t>(kLongestReading)) {
            return TooLong(token.text, token.line);
        }
        const StrictNumber number = ReadStrictNumber(token.text);
        if (!number.isNumber) {
            return Failure{
                Message(Reason::ReadingNotANumber, {LinePlace(token.line), EchoedText(token.text)})};
        }
        if (number.outOfRange) {
            return Failure{
                Message(Reason::ReadingOutOfRange, {LinePlace(token.line), EchoedText(token.text)})};
        }
        readings.push_back(number.value);
    }
    if (readings.empty()) {
        return Failure{Message(Reason::NoReadings)};
    }
    return std::nullopt;
}

std::optional<Failure> CheckComment(const std::string& comment) {
    if (comment.empty()) {
        return Failure{Message(Reason::EmptyComment)};
    }
    // A line break would add lines of its own to the file and shift every data line.
    if (comment.find_first_of("\r\n") != std::string::npos) {
        return Failure{Message(Reason::LineBreakInCommentOption)};
    }
    return std::nullopt;
}

Failure FromRefusal(const Refusal& refusal, double distance) {
    Failure failure{refusal.message, kConverterRefused};
    switch (refusal.reason) {
        case Reason::DistanceNotANumber:
        case Reason::DistanceTooShort:
            failure.message += Message(Reason::DistanceDetail, {GeneralNumberText(distance)});
            break;
        case Reason::NumberOutOfRange:
        case Reason::UnrepresentableCharacter:
        case Reason::InvalidText:
            failure.status = kConverterBadInput;
            break;
        default:
            break;
    }
    return failure;
}

// The readings from the arguments or, when there are none, from standard input.
std::optional<Failure> ReadGivenReadings(const ConverterOptions& options, std::istream& in,
                                         std::vector<double>& readings) {
    std::vector<ReadingToken> tokens;
    for (const std::string& arg : options.readingTokens) {
        tokens.push_back({arg, 0});
    }
    if (tokens.empty()) {
        if (auto failure = ReadTokens(in, tokens)) {
            return failure;
        }
    }
    return ReadReadings(tokens, readings);
}

// What a run found beside its bytes, for standard error and the exit status.
struct RunFindings {
    std::optional<ProfileEvaluation> baseline;     // with --baseline
    std::optional<BaselineComparison> comparison;  // with --baseline
    std::string baselineMeasuredOn;                // the --baseline file's measuring day
    std::vector<std::string> notices;              // positions without an Al-equivalent thickness
};
// The comparison with the --baseline file, converted as a --measurement file is but with the file's own
// readings, distance and uncertainties: the options given for the measurement do not apply to it.
std::optional<Failure> CompareWithBaselineFile(const ConverterOptions& options,
                                               const ProfileEvaluation& measured, RunFindings& findings) {
    const std::string place =
        Message(Reason::BaselineOptionPlace, {EchoedText(*options.baselinePath, kWholeText)});
    Expected<Measurement> file = ReadMeasurementFile(*options.baselinePath);
    if (!file) {
        return Failure{place + file.error().message};
    }
    const auto refused = [&](const Refusal& refusal) {
        Failure failure = FromRefusal(refusal, file->distanceCm);
        failure.message = place + refusal.message;
        return failure;
    };
    Expected<ProfileEvaluation> baseline = EvaluateMeasurement(*file, measured.model);
    if (!baseline) {
        return refused(baseline.error());
    }
    Expected<BaselineComparison> compared =
        CompareWithBaseline(measured, *baseline, options.tolerancePercent.value_or(kDefaultTolerancePercent));
    if (!compared) {
        return refused(compared.error());
    }
    findings.baseline = std::move(*baseline);
    findings.comparison = std::move(*compared);
    findings.baselineMeasuredOn = file->conditions.measuredOn;
    return std::nullopt;
}

// The centre spectrum of the run: --spectrum's file over the measurement file's, --centre-al over the
// file's central thickness. The Al-equivalent options need a spectrum.
std::optional<Failure> TakeSpectrum(const ConverterOptions& options, MeasurementRecord& record) {
    if (options.spectrumPath) {
        Expected<ParsedSpectrum> read = ReadSpectrumFile(*options.spectrumPath);
        if (!read) {
            return Failure{read.error().message};
        }
        const std::optional<double> centre = record.spectrum ? record.spectrum->centreAlMm : std::nullopt;
        record.spectrum =
            MeasurementSpectrum{*options.spectrumPath, read->form, std::move(read->spectrum), centre};
    }
    if (!record.spectrum) {
        for (const auto& [given, option] : {std::pair{options.centreAlMm.has_value(), "--centre-al"},
                                            std::pair{options.xcistPath.has_value(), "--xcist"},
                                            std::pair{options.egsnrcPrefix.has_value(), "--egsnrc"},
                                            std::pair{options.angleStepDeg.has_value(), "--angle-step"}}) {
            if (given) {
                return Failure{Message(Reason::SpectrumOptionNeeded, {option}) +
                               MessageText(Reason::UsageHint).data()};
            }
        }
        return std::nullopt;
    }
    if (options.centreAlMm) {
        record.spectrum->centreAlMm = options.centreAlMm;
    }
    return std::nullopt;
}

// The thickness per position; a position without one is reported as a notice, not as a failure.
std::optional<Failure> EvaluateAlEquivalentOf(const MeasurementRecord& record,
                                              const ProfileEvaluation& evaluation,
                                              std::optional<AlEquivalentProfile>& profile,
                                              std::vector<std::string>& notices) {
    Expected<AlEquivalentProfile> evaluated =
        EvaluateAlEquivalent(evaluation, record.spectrum->spectrum, record.spectrum->centreAlMm.value_or(0));
    if (!evaluated) {
        return Failure{evaluated.error().message};
    }
    for (const AlEquivalentPosition& p : evaluated->positions) {
        if (p.refusal) {
            notices.push_back(Message(Reason::AlEquivalentPositionNotice, {p.refusal->message}));
        }
    }
    profile = std::move(*evaluated);
    return std::nullopt;
}

// A file the run writes: its bytes, or an extension that writes it when run.
struct OutputFile {
    std::string option;  // the option that names it, for messages
    std::string path;
    std::string bytes;
    const ConverterExtension* extension = nullptr;  // writes path itself, given it as its value

    std::string Label() const { return option + " " + EchoedText(path, kWholeText); }
};

// XCIST's file and EGSnrc's two, once their texts are known.
std::optional<Failure> PlanBowtieFiles(const ConverterOptions& options, const AlEquivalentProfile& profile,
                                       const std::string& comment, std::vector<OutputFile>& files) {
    const double step = options.angleStepDeg.value_or(kDefaultAngleStepDeg);
    if (options.xcistPath) {
        Expected<std::string> text = XcistBowtieFile(profile, step);
        if (!text) {
            return Failure{text.error().message, kConverterRefused};
        }
        files.push_back({"--xcist", *options.xcistPath, std::move(*text)});
    }
    if (options.egsnrcPrefix) {
        Expected<EgsnrcBowtieTexts> texts = EgsnrcBowtieFiles(profile, step, comment);
        if (!texts) {
            return Failure{texts.error().message, kConverterRefused};
        }
        files.push_back(
            {"--egsnrc", *options.egsnrcPrefix + kEgsnrcDistributionSuffix, std::move(texts->distribution)});
        files.push_back({"--egsnrc", *options.egsnrcPrefix + kEgsnrcBowtieSuffix, std::move(texts->bowtie)});
    }
    return std::nullopt;
}

// Every target as the writer would take it, and no file named by two outputs (the later would silently
// replace the earlier).
std::optional<Failure> CheckTargets(const std::vector<OutputFile>& files) {
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (auto refusal = CheckWriteTarget(files[i].path)) {
            return Failure{refusal->message, kConverterRefused};
        }
        for (std::size_t j = 0; j < i; ++j) {
            if (SameWriteTarget(files[j].path, files[i].path)) {
                return Failure{Message(Reason::OutputsSameFile, {files[j].option, files[i].option,
                                                                 EchoedText(files[i].path, kWholeText)}),
                               kConverterBadInput};
            }
        }
    }
    return std::nullopt;
}

// Writes the files in order. A write that still fails (a full disk, a file changed since the check) stops
// the rest; with more than one file, the message then says which were written and which not.
std::optional<Failure> WriteFiles(const std::vector<OutputFile>& files, const ConverterRun& run,
                                  const FileSystemOps& fileSystem, double distance) {
    for (std::size_t i = 0; i < files.size(); ++i) {
        const OutputFile& file = files[i];
        const MaybeRefusal refusal = file.extension != nullptr
                                         ? file.extension->run(run, file.path)
                                         : WriteFileSafely(file.path, file.bytes, fileSystem);
        if (!refusal) {
            continue;
        }
        Failure failure = FromRefusal(*refusal, distance);
        if (files.size() > 1) {
            const auto list = [&](std::size_t from, std::size_t to) {
                std::string labels;
                for (std::size_t k = from; k < to; ++k) {
                    labels.append(k == from ? "" : ", ").append(files[k].Label());
                }
                return labels;
            };
            if (i > 0) {
                failure.message += Message(Reason::OutputsWritten, {list(0, i)});
            }
            failure.message += Message(Reason::OutputsNotWritten, {list(i, files.size())});
        }
        return failure;
    }
    return std::nullopt;
}

// The whole run up to standard output: the conversion, every output's bytes and target checked, then the
// files written (--output among them); bytes is left holding what goes to standard output. --save-measurement
// writes the readings as converted (with the repeats, uncertainties and conditions of a --measurement file),
// the options' values included.
std::optional<Failure> Convert(const ConverterOptions& options, std::istream& in,
                               const ConverterEnvironment& environment, std::string& bytes,
                               RunFindings& findings) {
    std::optional<Measurement> file;
    std::vector<double> readings;
    if (options.measurementPath) {
        Expected<Measurement> read = ReadMeasurementFile(*options.measurementPath);
        if (!read) {
            return Failure{read.error().message};
        }
        file = std::move(*read);
        for (const std::vector<double>& repeats : file->readings) {
            readings.push_back(MeanOfRepeats(repeats));
        }
    } else if (auto failure = ReadGivenReadings(options, in, readings)) {
        return failure;
    }
    const double distance = options.distance.value_or(file ? file->distanceCm : kDefaultConverterDistance);
    const std::string comment = options.comment.value_or(file ? file->comment : std::string(kDefaultComment));
    if (!options.list || options.saveMeasurementPath || options.profilePath) {
        if (!options.comment && comment.empty()) {
            return Failure{Message(Reason::EmptyMeasurementComment)};
        }
        if (auto failure = CheckComment(comment)) {
            return failure;
        }
    }

    // The record as the main window leaves it after the last reading was confirmed (or a measurement file
    // was opened), with the options' values over the file's.
    MeasurementRecord record;
    if (file) {
        TakeMeasurement(*file, record);
    } else {
        ResetMeasurement(record);
        record.lastPosition = static_cast<double>(readings.size()) - 1;
        for (std::size_t k = 0; k < readings.size(); ++k) {
            record.reading[k] = readings[k];
        }
    }
    record.comment = comment;
    if (options.model) {
        record.model = *options.model;
    }
    if (options.readingRepeatabilityPercent) {
        record.readingRepeatabilityPercent = options.readingRepeatabilityPercent;
    }
    if (options.calibrationUncertaintyPercent) {
        record.calibrationUncertaintyPercent = options.calibrationUncertaintyPercent;
    }
    if (auto failure = TakeSpectrum(options, record)) {
        return failure;
    }
    if (auto refusal = RunConversion(record, distance)) {
        return FromRefusal(*refusal, distance);
    }
    const bool bowtieFiles = options.xcistPath || options.egsnrcPrefix;
    std::optional<ProfileEvaluation> evaluation;
    if (options.profilePath || options.baselinePath || bowtieFiles) {
        Expected<ProfileEvaluation> evaluated = EvaluateProfile(record);
        if (!evaluated) {
            return FromRefusal(evaluated.error(), distance);
        }
        evaluation = std::move(*evaluated);
    }
    if (options.baselinePath) {
        if (auto failure = CompareWithBaselineFile(options, *evaluation, findings)) {
            return failure;
        }
    }
    const BaselineComparison* baseline = findings.comparison ? &*findings.comparison : nullptr;
    std::optional<AlEquivalentProfile> alEquivalent;
    if (record.spectrum && evaluation) {
        if (auto failure = EvaluateAlEquivalentOf(record, *evaluation, alEquivalent, findings.notices)) {
            return failure;
        }
    }
    std::string table;
    if (options.profilePath) {
        table = ProfileTableText(*evaluation, comment, baseline);
        if (alEquivalent) {
            AppendAlEquivalentColumns(table, *alEquivalent);
        }
    }
    const bool profileToStandardOutput = options.profilePath == kStandardOutputName;

    if (profileToStandardOutput) {
        bytes = table;
    } else if (options.list) {
        bytes.clear();
        for (std::size_t k = 0; k < readings.size(); ++k) {
            bytes += record.resultLines[k];
            bytes += '\n';
        }
    } else {
        Expected<CsvFile> csv = BuildCsvFile(comment, record);
        if (!csv) {
            return FromRefusal(csv.error(), distance);
        }
        bytes = std::move(csv->bytes);
    }

    // Every output's bytes and every check before the first byte is written: a run that fails leaves no
    // file behind, and a script that sees status 1 finds the old files as they were. An extension that
    // writes a file is written first, as its drawing may still be refused (no display, no module).
    const ConverterRun run{record,
                           options.measurementPath.value_or(""),
                           findings.baseline ? &*findings.baseline : nullptr,
                           options.tolerancePercent.value_or(kDefaultTolerancePercent),
                           options.baselinePath.value_or(""),
                           findings.baselineMeasuredOn};
    std::vector<OutputFile> files;
    for (const ConverterOptions::ExtensionValue& use : options.extensionValues) {
        const ConverterExtension& extension = environment.extensions[use.extension];
        if (extension.run && extension.writesFile) {
            files.push_back({extension.option, use.value, "", &extension});
        } else if (extension.run) {
            if (auto refusal = extension.run(run, use.value)) {
                return FromRefusal(*refusal, distance);
            }
        }
    }
    if (alEquivalent && bowtieFiles) {
        if (auto failure = PlanBowtieFiles(options, *alEquivalent, comment, files)) {
            return failure;
        }
    }
    if (options.profilePath && !profileToStandardOutput) {
        files.push_back({"--profile", *options.profilePath, std::move(table)});
    }
    if (options.saveMeasurementPath) {
        Expected<std::string> text = MeasurementFileBytes(MeasurementOf(record, distance));
        if (!text) {
            return FromRefusal(text.error(), distance);
        }
        files.push_back({"--save-measurement", *options.saveMeasurementPath, std::move(*text)});
    }
    if (options.outputPath) {
        files.push_back({"--output", *options.outputPath, std::move(bytes)});
        bytes.clear();
    }
    if (auto failure = CheckTargets(files)) {
        return failure;
    }
    return WriteFiles(files, run, *environment.fileSystem, distance);
}

// --simulate: the readings the profile file's profile gives, one per line in the shortest text that reads
// back bit for bit, ready to be converted again. A file that cannot be read or parsed, or whose table the
// simulator refuses, is bad input; a distance the conversion would refuse is refused as there.
std::optional<Failure> Simulate(const ConverterOptions& options, std::string& bytes) {
    const std::string path = EchoedText(*options.simulatePath, kWholeText);
    const FileBytes file = ReadWholeFile(*options.simulatePath, kMaxProfileFileBytes);
    if (!file.ok()) {
        const std::string why =
            file.tooLarge ? Message(Reason::ProfileFileTooLarge, {std::to_string(kMaxProfileFileBytes)})
                          : file.error;
        return Failure{Message(Reason::ProfileFileUnreadable, {path, why})};
    }
    Expected<TabulatedProfile> profile = ParseProfileColumns(file.bytes);
    if (!profile) {
        return Failure{Message(Reason::ProfileFileUnreadable, {path, profile.error().message})};
    }
    const double distance = options.distance.value_or(kDefaultConverterDistance);
    const Expected<std::vector<double>> readings =
        SimulateReadings(*profile, distance, options.positions.value_or(kDefaultSimulatedPositions));
    if (!readings) {
        Failure failure = FromRefusal(readings.error(), distance);
        if (readings.error().reason != Reason::DistanceNotANumber &&
            readings.error().reason != Reason::DistanceTooShort) {
            failure = Failure{Message(Reason::ProfileFileUnreadable, {path, readings.error().message})};
        }
        return failure;
    }
    for (double reading : *readings) {
        bytes += ShortestNumberText(reading);
        bytes += '\n';
    }
    return std::nullopt;
}

// A message as the terminal gets it: whatever outside text a message of the core still holds raw (a file's
// name in the writer's messages) is escaped there, line by line, the message's own line breaks kept.
std::string TerminalText(std::string_view message) {
    std::string text;
    for (std::size_t from = 0; from <= message.size();) {
        const std::size_t end = std::min(message.find('\n', from), message.size());
        text.append(EchoedText(message.substr(from, end - from), kWholeText));
        text.append(end < message.size() ? "\n" : "");
        from = end + 1;
    }
    return text;
}

int Fail(std::ostream& err, const Failure& failure) {
    err << kProgramName << TerminalText(failure.message) << '\n';
    err.flush();
    return failure.status;
}

// Once every output is written: what the comparison with the baseline found, and the status it earns.
// The summary names the model only when it is not the compatible one, whose summary stays as it was.
int FinishComparison(std::ostream& err, const ConverterOptions& options, const RunFindings& findings) {
    const std::optional<BaselineComparison>& comparison = findings.comparison;
    if (!comparison) {
        return kConverterOk;
    }
    err << kProgramName << ComparisonSummary(*comparison);
    if (findings.baseline && findings.baseline->model == ConversionModel::Isotropic) {
        err << kProgramName << Message(Reason::ModelLine, {ConversionModelName(findings.baseline->model)})
            << '\n';
    }
    err.flush();
    return options.failOnDeviation && comparison->flaggedCount > 0 ? kConverterDeviation : kConverterOk;
}

}  // namespace

int RunConverter(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err,
                 const ConverterEnvironment& environment) {
    // The run speaks the language asked for; the language before it comes back at its end.
    struct LanguageOfRun {
        Language before = MessageLanguage();
        explicit LanguageOfRun(std::optional<Language> requested) {
            SetMessageLanguage(requested.value_or(before));
        }
        ~LanguageOfRun() { SetMessageLanguage(before); }
    } language(RequestedLanguage(args, environment.extensions));
    const ParsedConverterOptions parsed = ParseConverterOptions(args, environment.extensions);
    if (!parsed.ok()) {
        return Fail(err, Failure{parsed.error});
    }
    const ConverterOptions& options = parsed.options;

    std::string bytes;
    RunFindings findings;
    std::optional<Failure> failure;
    if (options.help) {
        bytes = ConverterUsage(environment.extensions);
    } else if (options.simulatePath) {
        failure = Simulate(options, bytes);
    } else {
        failure = Convert(options, in, environment, bytes, findings);
    }
    for (const std::string& notice : findings.notices) {
        err << kProgramName << TerminalText(notice) << '\n';
    }
    if (failure) {
        return Fail(err, *failure);
    }

    if (options.outputPath && !options.help) {
        return FinishComparison(err, options, findings);  // the result went to the file with the others
    }
    const bool text =
        options.help || options.simulatePath || options.list || options.profilePath == kStandardOutputName;
    std::ostream& destination = text && environment.textOutput != nullptr ? *environment.textOutput : out;
    destination.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    destination.flush();
    if (!destination) {
        return Fail(err, Failure{Message(Reason::OutputUnwritable), kConverterRefused});
    }
    return FinishComparison(err, options, findings);
}

}  // namespace tessaroven
