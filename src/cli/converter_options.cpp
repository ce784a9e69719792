// Command-line options of tessaroven-convert.
#include "cli/converter_options.h"

#include <algorithm>
#include <cstddef>
#include <iterator>

#include "calc/number_text.h"
#include "formats/bowtie_exports.h"
#include "messages/compat.h"
#include "messages/echoed_text.h"

namespace tessaroven {

namespace {

enum class OptionId {
    Distance,
    Comment,
    Measurement,
    SaveMeasurement,
    Output,
    ReadingRepeatability,
    CalibrationUncertainty,
    Profile,
    List,
    Help,
    Extension,
    Baseline,
    Tolerance,
    FailOnDeviation,
    Spectrum,
    CentreAl,
    Xcist,
    Egsnrc,
    AngleStep,
    Language,
    Model,
    Simulate,
    Positions,
};

struct OptionEntry {
    std::string_view name;
    OptionId id;
    bool takesValue;
};

constexpr OptionEntry kBuiltInOptions[] = {
    {"--distance", OptionId::Distance, true},
    {"--comment", OptionId::Comment, true},
    {"--measurement", OptionId::Measurement, true},
    {"--save-measurement", OptionId::SaveMeasurement, true},
    {"--output", OptionId::Output, true},
    {"--reading-repeatability", OptionId::ReadingRepeatability, true},
    {"--calibration-uncertainty", OptionId::CalibrationUncertainty, true},
    {"--profile", OptionId::Profile, true},
    {"--list", OptionId::List, false},
    {"--help", OptionId::Help, false},
    {"-h", OptionId::Help, false},
    {"--baseline", OptionId::Baseline, true},
    {"--tolerance", OptionId::Tolerance, true},
    {"--fail-on-deviation", OptionId::FailOnDeviation, false},
    {"--spectrum", OptionId::Spectrum, true},
    {"--centre-al", OptionId::CentreAl, true},
    {"--xcist", OptionId::Xcist, true},
    {"--egsnrc", OptionId::Egsnrc, true},
    {"--angle-step", OptionId::AngleStep, true},
    {"--lang", OptionId::Language, true},
    {"--model", OptionId::Model, true},
    {"--simulate", OptionId::Simulate, true},
    {"--positions", OptionId::Positions, true},
};

// What --simulate may be given with: it prints readings and converts nothing, so any option of a conversion
// would be silently ignored.
constexpr std::string_view kSimulationOptions[] = {"--simulate", "--distance", "--positions", "--lang"};

// A token that starts like a negative or fractional number is a reading, so "-5" needs no "--" before it.
bool LooksLikeNumber(std::string_view token) {
    std::size_t i = 0;
    if (i < token.size() && (token[i] == '-' || token[i] == '+')) {
        ++i;
    }
    if (i < token.size() && token[i] == '.') {
        ++i;
    }
    return i < token.size() && token[i] >= '0' && token[i] <= '9';
}

std::string UsageHint() {
    return std::string(MessageText(Reason::UsageHint));
}

// The value of an option of the comparison with a baseline; a message when it is wrong.
std::string ReadBaselineOption(OptionId id, const std::string& value, ConverterOptions& options) {
    if (id == OptionId::FailOnDeviation) {
        options.failOnDeviation = true;
    } else if (id == OptionId::Baseline) {
        if (value.empty()) {
            return Message(Reason::EmptyFileOption, {"--baseline"});
        }
        options.baselinePath = value;
    } else {
        const StrictNumber tolerance = ReadStrictNumber(value);
        if (!tolerance.isNumber || tolerance.outOfRange || !(tolerance.value >= 0)) {
            return Message(Reason::ToleranceInvalid, {EchoedText(value)});
        }
        options.tolerancePercent = tolerance.value;
    }
    return {};
}

// The options that mean nothing without a baseline are refused rather than ignored, so a script that lost its
// --baseline does not pass every check unnoticed.
std::string CheckBaselineOptions(const ConverterOptions& options) {
    if (options.baselinePath) {
        return {};
    }
    if (options.tolerancePercent) {
        return Message(Reason::BaselineOptionMissing, {"--tolerance"}) + UsageHint();
    }
    if (options.failOnDeviation) {
        return Message(Reason::BaselineOptionMissing, {"--fail-on-deviation"}) + UsageHint();
    }
    return {};
}

// The Al-equivalent options' values; the message of a bad one, or empty.
std::string TakeAlEquivalentOption(OptionId id, const std::string& name, const std::string& value,
                                   ConverterOptions& options) {
    if (id == OptionId::CentreAl || id == OptionId::AngleStep) {
        const StrictNumber number = ReadStrictNumber(value);
        const double lowest = id == OptionId::CentreAl ? 0 : kSmallestAngleStepDeg;
        if (!number.isNumber || number.outOfRange || !(number.value >= lowest)) {
            return Message(
                id == OptionId::CentreAl ? Reason::CentreAlOptionInvalid : Reason::AngleStepOptionInvalid,
                {EchoedText(value)});
        }
        (id == OptionId::CentreAl ? options.centreAlMm : options.angleStepDeg) = number.value;
        return {};
    }
    if (value.empty()) {
        return Message(Reason::EmptyFileOption, {name});
    }
    (id == OptionId::Spectrum ? options.spectrumPath
     : id == OptionId::Xcist  ? options.xcistPath
                              : options.egsnrcPrefix) = value;
    return {};
}

// The values of --model, --simulate and --positions; the message of a bad one, or empty.
std::string TakeSimulationOption(OptionId id, const std::string& name, const std::string& value,
                                 ConverterOptions& options) {
    if (id == OptionId::Model) {
        if (value == "compatible" || value == "isotropic") {
            options.model = value == "isotropic" ? ConversionModel::Isotropic : ConversionModel::Compatible;
            return {};
        }
        return Message(Reason::ModelOptionInvalid, {EchoedText(value)}) + UsageHint();
    }
    if (id == OptionId::Simulate) {
        if (value.empty()) {
            return Message(Reason::EmptyFileOption, {name});
        }
        options.simulatePath = value;
        return {};
    }
    const StrictNumber positions = ReadStrictNumber(value);
    if (!positions.isNumber || !(positions.value >= 1 && positions.value <= kSlotCount) ||
        positions.value != static_cast<int>(positions.value)) {
        return Message(Reason::PositionsOptionInvalid, {EchoedText(value), std::to_string(kSlotCount)});
    }
    options.positions = static_cast<int>(positions.value);
    return {};
}

std::string CheckSimulationOptions(const ConverterOptions& options, const std::vector<std::string>& seen) {
    if (!options.simulatePath) {
        return options.positions ? Message(Reason::SimulateOptionMissing, {"--positions"}) + UsageHint()
                                 : std::string();
    }
    for (const std::string& name : seen) {
        if (std::find(std::begin(kSimulationOptions), std::end(kSimulationOptions), name) ==
            std::end(kSimulationOptions)) {
            return Message(Reason::SimulateExcludes, {name}) + UsageHint();
        }
    }
    if (!options.readingTokens.empty()) {
        return Message(Reason::SimulateExcludes, {"READING"}) + UsageHint();
    }
    return {};
}

}  // namespace

std::optional<Language> RequestedLanguage(const std::vector<std::string>& args,
                                          const std::vector<ConverterExtension>& extensions) {
    constexpr std::string_view kOption = "--lang";
    for (std::size_t i = 0; i < args.size() && args[i] != "--"; ++i) {
        const std::string_view arg = args[i];
        if (arg == kOption) {
            return i + 1 < args.size() ? LanguageNamed(args[i + 1]) : std::nullopt;
        }
        if (arg.starts_with(kOption) && arg.size() > kOption.size() && arg[kOption.size()] == '=') {
            return LanguageNamed(arg.substr(kOption.size() + 1));
        }
        // Another option's value is never taken for --lang: "--comment --lang" is a comment.
        const bool builtInValue = AnyOf(kBuiltInOptions, [&](const OptionEntry& option) {
            return option.takesValue && option.name == arg;
        });
        const bool extensionValue =
            AnyOf(extensions, [&](const ConverterExtension& extension) { return extension.option == arg; });
        if (builtInValue || extensionValue) {
            ++i;
        }
    }
    return std::nullopt;
}

ParsedConverterOptions ParseConverterOptions(const std::vector<std::string>& args,
                                             const std::vector<ConverterExtension>& extensions) {
    ParsedConverterOptions parsed;
    ConverterOptions& options = parsed.options;
    std::vector<std::string> seen;
    bool optionsEnded = false;

    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-' || LooksLikeNumber(arg)) {
            options.readingTokens.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }

        const std::size_t equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        const OptionEntry* option = nullptr;
        std::size_t extension = 0;
        for (const OptionEntry& candidate : kBuiltInOptions) {
            if (candidate.name == name) {
                option = &candidate;
            }
        }
        static constexpr OptionEntry kExtensionEntry{"", OptionId::Extension, true};
        for (std::size_t e = 0; option == nullptr && e < extensions.size(); ++e) {
            if (extensions[e].option == name) {
                option = &kExtensionEntry;
                extension = e;
            }
        }
        if (option == nullptr) {
            parsed.error = Message(Reason::UnknownOption, {EchoedText(name)}) + UsageHint();
            return parsed;
        }
        if (option->id == OptionId::Help) {
            options.help = true;
            return parsed;
        }
        for (const std::string& earlier : seen) {
            if (earlier == name) {
                parsed.error = Message(Reason::RepeatedOption, {name}) + UsageHint();
                return parsed;
            }
        }
        seen.push_back(name);

        std::string value;
        if (option->takesValue) {
            if (equals != std::string::npos) {
                value = arg.substr(equals + 1);
            } else if (i + 1 < args.size()) {
                value = args[++i];
            } else {
                parsed.error = Message(Reason::OptionNeedsValue, {name}) + UsageHint();
                return parsed;
            }
        } else if (equals != std::string::npos) {
            parsed.error = Message(Reason::OptionTakesNoValue, {name}) + UsageHint();
            return parsed;
        }

        switch (option->id) {
            case OptionId::Distance: {
                const StrictNumber distance = ReadStrictNumber(value);
                if (!distance.isNumber) {
                    parsed.error = Message(Reason::DistanceOptionNotANumber, {EchoedText(value)});
                    return parsed;
                }
                if (distance.outOfRange) {
                    parsed.error = Message(Reason::DistanceOptionOutOfRange, {EchoedText(value)});
                    return parsed;
                }
                options.distance = distance.value;
                break;
            }
            case OptionId::Comment:
                options.comment = value;
                break;
            case OptionId::Measurement:
            case OptionId::SaveMeasurement:
            case OptionId::Profile:
                if (value.empty()) {
                    parsed.error = Message(Reason::EmptyFileOption, {name});
                    return parsed;
                }
                (option->id == OptionId::Measurement       ? options.measurementPath
                 : option->id == OptionId::SaveMeasurement ? options.saveMeasurementPath
                                                           : options.profilePath) = value;
                break;
            case OptionId::ReadingRepeatability:
            case OptionId::CalibrationUncertainty: {
                const StrictNumber percent = ReadStrictNumber(value);
                if (!percent.isNumber || percent.outOfRange || !(percent.value >= 0)) {
                    parsed.error = Message(Reason::UncertaintyOptionInvalid, {name, EchoedText(value)});
                    return parsed;
                }
                (option->id == OptionId::ReadingRepeatability ? options.readingRepeatabilityPercent
                                                              : options.calibrationUncertaintyPercent) =
                    percent.value;
                break;
            }
            case OptionId::Output:
                if (value.empty()) {
                    parsed.error = Message(Reason::EmptyOutputName);
                    return parsed;
                }
                options.outputPath = value;
                break;
            case OptionId::List:
                options.list = true;
                break;
            case OptionId::Extension:
                options.extensionValues.push_back({extension, value});
                break;
            case OptionId::Baseline:
            case OptionId::Tolerance:
            case OptionId::FailOnDeviation:
                parsed.error = ReadBaselineOption(option->id, value, options);
                if (!parsed.ok()) {
                    return parsed;
                }
                break;
            case OptionId::Help:
                break;
            case OptionId::Language:
                if (!LanguageNamed(value)) {
                    parsed.error = Message(Reason::LanguageOptionInvalid, {EchoedText(value)}) + UsageHint();
                    return parsed;
                }
                break;
            case OptionId::Model:
            case OptionId::Simulate:
            case OptionId::Positions:
                parsed.error = TakeSimulationOption(option->id, name, value, options);
                if (!parsed.ok()) {
                    return parsed;
                }
                break;
            case OptionId::Spectrum:
            case OptionId::CentreAl:
            case OptionId::Xcist:
            case OptionId::Egsnrc:
            case OptionId::AngleStep:
                parsed.error = TakeAlEquivalentOption(option->id, name, value, options);
                if (!parsed.ok()) {
                    return parsed;
                }
                break;
        }
    }
    if (options.measurementPath && !options.readingTokens.empty()) {
        parsed.error = Message(Reason::ReadingsWithMeasurement) + UsageHint();
    } else if (options.profilePath == kStandardOutputName && options.outputPath) {
        parsed.error = Message(Reason::ProfileToStandardOutputWithOutput) + UsageHint();
    } else {
        parsed.error = CheckSimulationOptions(options, seen);
        if (parsed.ok()) {
            parsed.error = CheckBaselineOptions(options);
        }
    }
    return parsed;
}

std::string ConverterUsage(const std::vector<ConverterExtension>& extensions) {
    std::string synopsis(MessageText(Reason::BaselineUsageSynopsis));
    std::string extensionLines(MessageText(Reason::BaselineUsageDescription));
    extensionLines += MessageText(Reason::ModelOptionHelp);
    for (const ConverterExtension& extension : extensions) {
        synopsis += " [" + extension.option + " " + extension.valueName + "]";
        std::string head = "  " + extension.option + " " + extension.valueName;
        head.resize(std::max<std::size_t>(head.size() + 1, 19), ' ');
        extensionLines += head + std::string(MessageText(extension.description)) + "\n";
    }
    synopsis += MessageText(Reason::ModelUsageSynopsis);
    synopsis += MessageText(Reason::AlEquivalentUsageSynopsis);
    synopsis += MessageText(Reason::LanguageUsageSynopsis);
    return Message(Reason::UsageSynopsis, {synopsis}) +
           Message(Reason::UsageDescription,
                   {std::string(MessageText(Reason::AlEquivalentOptionsHelp)) + extensionLines +
                    std::string(MessageText(Reason::LanguageOptionHelp))});
}

}  // namespace tessaroven
