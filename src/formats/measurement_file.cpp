// Reading and writing the measurement file. The JSON is parsed into a document first (nlohmann-json, its
// exceptions kept inside this file), then every key is checked and copied into a Measurement.
#include "formats/measurement_file.h"

#include <algorithm>
#include <cmath>
#include <nlohmann/json.hpp>
#include <utility>

#include "measurement/measurement_record.h"
#include "messages/echoed_text.h"

namespace tessaroven {

namespace {

using Json = nlohmann::json;

struct TextCondition {
    const char* key;
    std::string MeasurementConditions::*member;
};

struct NumberCondition {
    const char* key;
    std::optional<double> MeasurementConditions::*member;
};

// The conditions in the order they are written.
constexpr TextCondition kTextConditions[] = {
    {"scanner", &MeasurementConditions::scanner},
    {"scanner_serial", &MeasurementConditions::scannerSerial},
    {"bowtie_filter", &MeasurementConditions::bowtieFilter},
    {"detector", &MeasurementConditions::detector},
    {"detector_serial", &MeasurementConditions::detectorSerial},
    {"calibration_date", &MeasurementConditions::calibrationDate},
    {"operator", &MeasurementConditions::operatorName},
    {"measured_on", &MeasurementConditions::measuredOn},
    {"site", &MeasurementConditions::site},
    {"notes", &MeasurementConditions::notes},
};

constexpr NumberCondition kNumberConditions[] = {
    {"tube_voltage_kv", &MeasurementConditions::tubeVoltageKv},
    {"collimation_mm", &MeasurementConditions::collimationMm},
    {"rotation_time_s", &MeasurementConditions::rotationTimeS},
    {"tube_current_time_product_mas", &MeasurementConditions::tubeCurrentTimeProductMas},
    {"calibration_factor", &MeasurementConditions::calibrationFactor},
};

constexpr std::string_view kMeasuredOnKey = "measured_on";

// The offset of the first byte that does not belong to a well-formed UTF-8 sequence (the start of the broken
// sequence), or npos.
std::size_t FirstInvalidUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = Utf8SequenceLength(text, i);
        if (length == 0) {
            return i;
        }
        i += length;
    }
    return std::string_view::npos;
}

// "L 行 C 列目" for a byte offset: lines counted by line feeds, columns in characters, both from 1.
std::string LineColumn(std::string_view bytes, std::size_t offset) {
    offset = std::min(offset, bytes.size());
    const std::size_t lineStart = offset == 0 ? 0 : bytes.rfind('\n', offset - 1) + 1;  // npos + 1 == 0
    std::size_t line = 1;
    for (std::size_t i = 0; i < lineStart; ++i) {
        line += bytes[i] == '\n' ? 1 : 0;
    }
    std::size_t column = 1;
    for (std::size_t i = lineStart; i < offset; ++i) {
        column += (static_cast<unsigned char>(bytes[i]) & 0xC0) != 0x80 ? 1 : 0;
    }
    return Message(Reason::MeasurementFilePlace, {std::to_string(line), std::to_string(column)});
}

// The offset of the first bracket that opens a level deeper than kMaxMeasurementFileDepth, or npos. Brackets
// inside strings do not count. Checked before the parse, so that nothing that walks the document afterwards
// (building a message, say) meets a nesting it would recurse through to the end of the stack.
std::size_t FirstTooDeep(std::string_view bytes) {
    std::size_t depth = 0;
    bool inString = false;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (inString) {
            i += c == '\\' ? 1 : 0;
            inString = c != '"';
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            if (++depth > kMaxMeasurementFileDepth) {
                return i;
            }
        } else if ((c == ']' || c == '}') && depth > 0) {
            --depth;
        }
    }
    return std::string_view::npos;
}

bool IsTokenByte(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '.' ||
           c == '+' || c == '-';
}

// Builds the document as nlohmann-json's own parser does, but keeps the place of a fault instead of throwing,
// also for a number beyond the double range, which the library's exception reports without a place.
class DocumentBuilder : public nlohmann::detail::json_sax_dom_parser<Json> {
public:
    DocumentBuilder(Json& document, std::string_view bytes)
        : json_sax_dom_parser(document, false), m_bytes(bytes) {}

    template <class Exception>
    bool parse_error(std::size_t position, const std::string&, const Exception& error) {
        failed = true;
        numberOutOfRange = error.id == 406;
        // position counts the bytes read, up to the offending one; a number or word is named by its start.
        offset = position == 0 ? 0 : std::min(position - 1, m_bytes.size());
        while (offset > 0 && offset < m_bytes.size() && IsTokenByte(m_bytes[offset]) &&
               IsTokenByte(m_bytes[offset - 1])) {
            --offset;
        }
        return false;
    }

    bool failed = false;
    bool numberOutOfRange = false;
    std::size_t offset = 0;

private:
    std::string_view m_bytes;
};

// A value as a message shows it: a number or a literal as written, a text cut and escaped, an array or an
// object by its kind only (its text could be of any size, and writing it out would walk all of it).
std::string ValueShown(const Json& value) {
    if (value.is_array()) {
        return Message(Reason::JsonArrayKind);
    }
    if (value.is_object()) {
        return Message(Reason::JsonObjectKind);
    }
    if (value.is_string()) {
        return "\"" + EchoedText(value.get_ref<const std::string&>()) + "\"";
    }
    return value.dump();
}

const Json* Find(const Json& object, const char* key) {
    const auto it = object.find(key);
    return it == object.end() ? nullptr : &*it;
}

MaybeRefusal GetNumber(const Json& value, const std::string& path, double& number) {
    if (!value.is_number()) {
        return Refuse(Reason::MeasurementFileNotANumber, {path});
    }
    number = value.get<double>();
    if (!std::isfinite(number)) {
        return Refuse(Reason::MeasurementFileNumberOutOfRange, {path});
    }
    return std::nullopt;
}

MaybeRefusal GetText(const Json& value, const std::string& path, std::string& text) {
    if (!value.is_string()) {
        return Refuse(Reason::MeasurementFileNotText, {path});
    }
    text = value.get_ref<const std::string&>();
    return std::nullopt;
}

MaybeRefusal GetOptionalNumber(const Json& object, const char* key, const std::string& path,
                               std::optional<double>& number) {
    const Json* value = Find(object, key);
    if (value == nullptr) {
        return std::nullopt;
    }
    double read = 0;
    if (auto refusal = GetNumber(*value, path, read)) {
        return refusal;
    }
    number = read;
    return std::nullopt;
}

bool IsIsoDate(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') {
        return false;
    }
    for (std::size_t i : {0, 1, 2, 3, 5, 6, 8, 9}) {
        if (text[i] < '0' || text[i] > '9') {
            return false;
        }
    }
    const auto number = [&](std::size_t at, std::size_t length) {
        int value = 0;
        for (std::size_t i = at; i < at + length; ++i) {
            value = value * 10 + (text[i] - '0');
        }
        return value;
    };
    const int year = number(0, 4);
    const int month = number(5, 2);
    const int day = number(8, 2);
    constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
    return month >= 1 && month <= 12 && day >= 1 && day <= kDays[month - 1] &&
           (month != 2 || day < 29 || leap);
}

// The "model" key's values; [1] is the one written.
constexpr std::pair<ConversionModel, std::string_view> kModelNames[] = {
    {ConversionModel::Compatible, "compatible"},
    {ConversionModel::Isotropic, "isotropic"},
};

// "version" as read; ReadModel needs it, as a version-1 file promises the compatible model.
MaybeRefusal ReadHeader(const Json& root, int& fileVersion) {
    const Json* format = Find(root, "format");
    if (format == nullptr) {
        return Refuse(Reason::MeasurementFileMissingKey, {"format"});
    }
    std::string formatText;
    if (auto refusal = GetText(*format, "format", formatText)) {
        return refusal;
    }
    if (formatText != kMeasurementFileFormat) {
        return Refuse(Reason::MeasurementFileUnknownFormat, {EchoedText(formatText)});
    }
    const Json* version = Find(root, "version");
    if (version == nullptr) {
        return Refuse(Reason::MeasurementFileMissingKey, {"version"});
    }
    const double number = version->is_number() ? version->get<double>() : 0;
    if (!(number >= 1) || number != std::floor(number)) {
        return Refuse(Reason::MeasurementFileBadVersion, {ValueShown(*version)});
    }
    if (number > kMeasurementFileVersion) {
        return Refuse(Reason::MeasurementFileNewerVersion,
                      {ValueShown(*version), std::to_string(kMeasurementFileVersion)});
    }
    fileVersion = static_cast<int>(number);
    return std::nullopt;
}

// "model" is optional (absent: compatible). A version-1 file that names the isotropic model is refused: an
// older program would have ignored the key and converted it with the compatible model, so the file
// contradicts itself and neither reading can be trusted.
MaybeRefusal ReadModel(const Json& root, int fileVersion, ConversionModel& model) {
    const Json* value = Find(root, "model");
    if (value == nullptr) {
        return std::nullopt;
    }
    std::string name;
    if (auto refusal = GetText(*value, "model", name)) {
        return refusal;
    }
    const auto known = std::find_if(std::begin(kModelNames), std::end(kModelNames),
                                    [&](const auto& entry) { return entry.second == name; });
    if (known == std::end(kModelNames)) {
        return Refuse(Reason::MeasurementFileUnknownModel, {EchoedText(name)});
    }
    if (known->first != ConversionModel::Compatible && fileVersion < kMeasurementFileVersion) {
        return Refuse(Reason::MeasurementFileModelNeedsVersion, {name, std::to_string(fileVersion)});
    }
    model = known->first;
    return std::nullopt;
}

MaybeRefusal ReadReadings(const Json& readings, std::vector<std::vector<double>>& positions) {
    if (!readings.is_array()) {
        return Refuse(Reason::MeasurementFileNotArray, {"readings"});
    }
    if (readings.empty() || readings.size() > static_cast<std::size_t>(kSlotCount)) {
        return Refuse(Reason::MeasurementFilePositionCount,
                      {std::to_string(readings.size()), std::to_string(kSlotCount)});
    }
    for (std::size_t k = 0; k < readings.size(); ++k) {
        const std::string path = "readings[" + std::to_string(k) + "]";
        if (!readings[k].is_array()) {
            return Refuse(Reason::MeasurementFileNotArray, {path});
        }
        if (readings[k].empty()) {
            return Refuse(Reason::MeasurementFileEmptyPosition, {path});
        }
        std::vector<double>& repeats = positions.emplace_back();
        for (std::size_t j = 0; j < readings[k].size(); ++j) {
            if (auto refusal =
                    GetNumber(readings[k][j], path + "[" + std::to_string(j) + "]", repeats.emplace_back())) {
                return refusal;
            }
        }
    }
    return std::nullopt;
}

MaybeRefusal ReadConditions(const Json& object, MeasurementConditions& conditions) {
    if (!object.is_object()) {
        return Refuse(Reason::MeasurementFileNotObjectValue, {"conditions"});
    }
    for (const TextCondition& condition : kTextConditions) {
        const Json* value = Find(object, condition.key);
        const std::string path = std::string("conditions.") + condition.key;
        std::string& text = conditions.*condition.member;
        if (value == nullptr) {
            continue;
        }
        if (auto refusal = GetText(*value, path, text)) {
            return refusal;
        }
        if (std::string_view(condition.key) == kMeasuredOnKey && !text.empty() && !IsIsoDate(text)) {
            return Refuse(Reason::MeasurementFileBadDate, {path, EchoedText(text)});
        }
    }
    for (const NumberCondition& condition : kNumberConditions) {
        if (auto refusal =
                GetOptionalNumber(object, condition.key, std::string("conditions.") + condition.key,
                                  conditions.*condition.member)) {
            return refusal;
        }
    }
    return std::nullopt;
}

constexpr std::pair<SpectrumForm, std::string_view> kSpectrumForms[] = {
    {SpectrumForm::TwoColumns, "two_columns"},
    {SpectrumForm::Egsnrc, "egsnrc"},
};

MaybeRefusal ReadNumbers(const Json& object, const char* key, std::vector<double>& numbers) {
    const std::string path = std::string("spectrum.") + key;
    const Json* array = Find(object, key);
    if (array == nullptr) {
        return Refuse(Reason::MeasurementFileMissingKey, {path});
    }
    if (!array->is_array()) {
        return Refuse(Reason::MeasurementFileNotArray, {path});
    }
    for (std::size_t i = 0; i < array->size(); ++i) {
        if (auto refusal =
                GetNumber((*array)[i], path + "[" + std::to_string(i) + "]", numbers.emplace_back())) {
            return refusal;
        }
    }
    return std::nullopt;
}

// "spectrum": {"file": ..., "form": "two_columns" | "egsnrc", "centre_al_mm": ..., "energies_kev": [...],
// "weights": [...]}; the values are those the file gave (an EGSnrc file's bins at their middles, per bin).
MaybeRefusal ReadSpectrum(const Json& object, MeasurementSpectrum& spectrum) {
    if (!object.is_object()) {
        return Refuse(Reason::MeasurementFileNotObjectValue, {"spectrum"});
    }
    for (const char* key : {"file", "form"}) {
        if (Find(object, key) == nullptr) {
            return Refuse(Reason::MeasurementFileMissingKey, {std::string("spectrum.") + key});
        }
    }
    if (auto refusal = GetText(object["file"], "spectrum.file", spectrum.fileName)) {
        return refusal;
    }
    std::string form;
    if (auto refusal = GetText(object["form"], "spectrum.form", form)) {
        return refusal;
    }
    const auto known = std::find_if(std::begin(kSpectrumForms), std::end(kSpectrumForms),
                                    [&](const auto& entry) { return entry.second == form; });
    if (known == std::end(kSpectrumForms)) {
        return Refuse(Reason::MeasurementFileSpectrumInvalid, {"spectrum.form: " + EchoedText(form)});
    }
    spectrum.form = known->first;
    if (auto refusal =
            GetOptionalNumber(object, "centre_al_mm", "spectrum.centre_al_mm", spectrum.centreAlMm)) {
        return refusal;
    }
    if (spectrum.centreAlMm && *spectrum.centreAlMm < 0) {
        return Refuse(Reason::MeasurementFileNegativeUncertainty, {"spectrum.centre_al_mm"});
    }
    for (auto [key, numbers] : {std::pair{"energies_kev", &spectrum.spectrum.energiesKeV},
                                std::pair{"weights", &spectrum.spectrum.weights}}) {
        if (auto refusal = ReadNumbers(object, key, *numbers)) {
            return refusal;
        }
    }
    if (auto refusal = CheckSpectrum(spectrum.spectrum)) {
        return Refuse(Reason::MeasurementFileSpectrumInvalid, {refusal->message});
    }
    return std::nullopt;
}

Expected<Measurement> ReadDocument(const Json& root) {
    if (!root.is_object()) {
        return Refuse(Reason::MeasurementFileNotObject);
    }
    int fileVersion = kCompatibleMeasurementFileVersion;
    if (auto refusal = ReadHeader(root, fileVersion)) {
        return *refusal;
    }
    for (const char* key : {"comment", "distance_cm", "readings"}) {
        if (Find(root, key) == nullptr) {
            return Refuse(Reason::MeasurementFileMissingKey, {key});
        }
    }
    Measurement measurement;
    if (auto refusal = GetText(root["comment"], "comment", measurement.comment)) {
        return *refusal;
    }
    if (measurement.comment.find_first_of("\r\n") != std::string::npos) {
        return Refuse(Reason::MeasurementFileLineBreakInComment);
    }
    if (auto refusal = GetNumber(root["distance_cm"], "distance_cm", measurement.distanceCm)) {
        return *refusal;
    }
    if (!(measurement.distanceCm > 0)) {
        return Refuse(Reason::MeasurementFileDistanceNotPositive, {ValueShown(root["distance_cm"])});
    }
    if (auto refusal = ReadModel(root, fileVersion, measurement.model)) {
        return *refusal;
    }
    if (auto refusal = ReadReadings(root["readings"], measurement.readings)) {
        return *refusal;
    }
    for (auto [key, value] :
         {std::pair{"reading_repeatability_percent", &measurement.readingRepeatabilityPercent},
          std::pair{"calibration_uncertainty_percent", &measurement.calibrationUncertaintyPercent}}) {
        if (auto refusal = GetOptionalNumber(root, key, key, *value)) {
            return *refusal;
        }
        if (*value && **value < 0) {
            return Refuse(Reason::MeasurementFileNegativeUncertainty, {key});
        }
    }
    if (const Json* conditions = Find(root, "conditions")) {
        if (auto refusal = ReadConditions(*conditions, measurement.conditions)) {
            return *refusal;
        }
    }
    if (const Json* spectrum = Find(root, "spectrum")) {
        if (auto refusal = ReadSpectrum(*spectrum, measurement.spectrum.emplace())) {
            return *refusal;
        }
    }
    return measurement;
}

// A value in the file's form: numbers in the shortest form that reads back to the same double, texts as
// UTF-8 with JSON escapes.
std::string Scalar(const nlohmann::json& value) {
    return value.dump(-1, ' ', false, Json::error_handler_t::replace);
}

// The "spectrum" member, its arrays eight numbers to a line.
void AppendSpectrum(std::string& text, const MeasurementSpectrum& spectrum) {
    const auto line = [&](std::string_view key, const std::string& value) {
        text.append("    \"").append(key).append("\": ").append(value).append(",\n");
    };
    const auto array = [](const std::vector<double>& numbers) {
        std::string values = "[";
        for (std::size_t i = 0; i < numbers.size(); ++i) {
            values.append(i == 0 ? "" : i % 8 == 0 ? ",\n      " : ", ").append(Scalar(numbers[i]));
        }
        return values.append("]");
    };
    text.append("  \"spectrum\": {\n");
    line("file", Scalar(spectrum.fileName));
    for (const auto& [form, name] : kSpectrumForms) {
        if (form == spectrum.form) {
            line("form", Scalar(std::string(name)));
        }
    }
    if (spectrum.centreAlMm) {
        line("centre_al_mm", Scalar(*spectrum.centreAlMm));
    }
    line("energies_kev", array(spectrum.spectrum.energiesKeV));
    line("weights", array(spectrum.spectrum.weights));
    text.replace(text.size() - 2, 2, "\n  },\n");
}

}  // namespace

Expected<Measurement> ParseMeasurementFile(std::string_view bytes) {
    if (const std::size_t bad = FirstInvalidUtf8(bytes); bad != std::string_view::npos) {
        return Refuse(Reason::MeasurementFileNotUtf8, {LineColumn(bytes, bad)});
    }
    if (const std::size_t deep = FirstTooDeep(bytes); deep != std::string_view::npos) {
        return Refuse(Reason::MeasurementFileTooDeep,
                      {LineColumn(bytes, deep), std::to_string(kMaxMeasurementFileDepth)});
    }
    try {
        Json root;
        DocumentBuilder builder(root, bytes);
        Json::sax_parse(bytes, &builder);
        if (builder.failed) {
            return Refuse(builder.numberOutOfRange ? Reason::MeasurementFileNumberOutOfRange
                                                   : Reason::MeasurementFileNotJson,
                          {LineColumn(bytes, builder.offset)});
        }
        return ReadDocument(root);
    } catch (const Json::exception&) {
        // Not reached for text the parser accepted; kept so that no library exception leaves the core.
        return Refuse(Reason::MeasurementFileNotJson, {LineColumn(bytes, 0)});
    }
}

std::string MeasurementFileText(const Measurement& measurement) {
    std::string text = "{\n";
    const auto line = [&](std::string_view indent, std::string_view key, const std::string& value) {
        text.append(indent).append("\"").append(key).append("\": ").append(value).append(",\n");
    };
    line("  ", "format", Scalar(std::string(kMeasurementFileFormat)));
    const bool isotropic = measurement.model == ConversionModel::Isotropic;
    line("  ", "version", Scalar(isotropic ? kMeasurementFileVersion : kCompatibleMeasurementFileVersion));
    line("  ", "comment", Scalar(measurement.comment));
    line("  ", "distance_cm", Scalar(measurement.distanceCm));
    if (isotropic) {
        line("  ", "model", Scalar(std::string(kModelNames[1].second)));
    }
    // One position per line, its repeats side by side.
    std::string readings = "[";
    for (std::size_t k = 0; k < measurement.readings.size(); ++k) {
        readings.append(k == 0 ? "\n    [" : ",\n    [");
        for (std::size_t j = 0; j < measurement.readings[k].size(); ++j) {
            readings.append(j == 0 ? "" : ", ").append(Scalar(measurement.readings[k][j]));
        }
        readings.append("]");
    }
    line("  ", "readings", readings.append(measurement.readings.empty() ? "]" : "\n  ]"));
    if (measurement.readingRepeatabilityPercent) {
        line("  ", "reading_repeatability_percent", Scalar(*measurement.readingRepeatabilityPercent));
    }
    if (measurement.calibrationUncertaintyPercent) {
        line("  ", "calibration_uncertainty_percent", Scalar(*measurement.calibrationUncertaintyPercent));
    }
    const std::size_t beforeConditions = text.size();
    text.append("  \"conditions\": {\n");
    const std::size_t conditionsStart = text.size();
    for (const TextCondition& condition : kTextConditions) {
        if (const std::string& value = measurement.conditions.*condition.member; !value.empty()) {
            line("    ", condition.key, Scalar(value));
        }
    }
    for (const NumberCondition& condition : kNumberConditions) {
        if (const std::optional<double>& value = measurement.conditions.*condition.member) {
            line("    ", condition.key, Scalar(*value));
        }
    }
    if (text.size() == conditionsStart) {
        text.resize(beforeConditions);  // no condition set: no "conditions" key
    } else {
        text.replace(text.size() - 2, 2, "\n  },\n");
    }
    if (measurement.spectrum) {
        AppendSpectrum(text, *measurement.spectrum);
    }
    text.replace(text.size() - 2, 2, "\n}\n");  // the last member takes no comma
    return text;
}

Expected<std::string> MeasurementFileBytes(const Measurement& measurement) {
    bool validText =
        FirstInvalidUtf8(measurement.comment) == std::string_view::npos &&
        (!measurement.spectrum || FirstInvalidUtf8(measurement.spectrum->fileName) == std::string_view::npos);
    for (const TextCondition& condition : kTextConditions) {
        validText =
            validText && FirstInvalidUtf8(measurement.conditions.*condition.member) == std::string_view::npos;
    }
    if (!validText) {
        return Refuse(Reason::InvalidText);
    }
    // Only what reads back is written: a value the reader refuses is refused here, with the same message,
    // and so is a file larger than the reader takes (a long spectrum).
    std::string text = MeasurementFileText(measurement);
    if (text.size() > kMaxMeasurementFileBytes) {
        return Refuse(Reason::MeasurementFileTooLargeToSave,
                      {std::to_string(text.size()), std::to_string(kMaxMeasurementFileBytes)});
    }
    const Expected<Measurement> check = ParseMeasurementFile(text);
    if (!check) {
        return check.error();
    }
    return text;
}

}  // namespace tessaroven
