// The page's model, conditions, uncertainties and spectrum, read and checked by the same core functions as
// the desktop's conditions and spectrum dialogs, so that the page refuses what they refuse with the same
// messages, and written into the measurement file by the program's own writer.
#include "wasm/page_inputs.h"

#include <cmath>
#include <string_view>
#include <utility>

#include "calc/al_equivalent.h"
#include "calc/condition_fields.h"
#include "calc/conversion.h"
#include "calc/number_text.h"
#include "files/format_files.h"
#include "formats/measurement_file.h"
#include "messages/catalogue.h"
#include "messages/echoed_text.h"

namespace tessaroven {
namespace {

using Json = nlohmann::json;

// The central thickness of the bow-tie, which the spectrum dialog holds beside the file.
constexpr std::string_view kCentreAlKey = "centreAl";

constexpr std::pair<ConversionModel, std::string_view> kModels[] = {
    {ConversionModel::Compatible, "compatible"},
    {ConversionModel::Isotropic, "isotropic"},
};

Json Refused(const std::string& message, std::string_view key = {}) {
    Json answer = {{"ok", false}, {"message", message}};
    if (!key.empty()) {
        answer["key"] = key;
    }
    return answer;
}

const ConditionField* FieldNamed(std::string_view key) {
    for (const ConditionField& field : ConditionFields()) {
        if (key == field.key) {
            return &field;
        }
    }
    return nullptr;
}

std::string_view KindName(ConditionKind kind) {
    switch (kind) {
        case ConditionKind::Text:
            return "text";
        case ConditionKind::Date:
            return "date";
        case ConditionKind::Number:
            return "number";
        case ConditionKind::Uncertainty:
            return "uncertainty";
    }
    return "text";
}

// The central thickness as the spectrum dialog reads it: empty (unknown), or one number of 0 or more.
Expected<std::optional<double>> ReadCentreAl(std::string_view text) {
    if (HalfWidthNumberText(text).find_first_not_of(kStrictNumberBlanks) == std::string::npos) {
        return std::optional<double>();
    }
    const StrictNumber number = ReadTypedNumber(text);
    if (!number.isNumber || number.outOfRange || !std::isfinite(number.value) || !(number.value >= 0)) {
        return Refuse(Reason::SpectrumCentreAlInvalid, {EchoedText(text)});
    }
    return std::optional<double>(number.value);
}

// {}: the fields in the conditions dialog's order, each {key, label, note, kind} in the chosen language, and
// the conversion models {name, label}.
Json InputFields() {
    Json fields = Json::array();
    for (const ConditionField& field : ConditionFields()) {
        fields.push_back({{"key", field.key},
                          {"label", std::string(MessageText(field.label))},
                          {"note", field.note ? std::string(MessageText(*field.note)) : std::string()},
                          {"kind", KindName(field.kind)}});
    }
    Json models = Json::array();
    for (const auto& [model, name] : kModels) {
        models.push_back({{"name", name}, {"label", std::string(ConversionModelName(model))}});
    }
    return Json{{"ok", true}, {"fields", std::move(fields)}, {"models", std::move(models)}};
}

// {"key", "text"}: one field (a condition, an uncertainty or "centreAl") checked as typed.
Json CheckInputField(const Json& request) {
    const std::string key = request.value("key", "");
    const std::string text = request.value("text", "");
    if (key == kCentreAlKey) {
        const Expected<std::optional<double>> centre = ReadCentreAl(text);
        return centre ? Json{{"ok", true}} : Refused(centre.error().message, key);
    }
    const ConditionField* field = FieldNamed(key);
    if (field == nullptr) {
        return Json{{"ok", false}, {"error", "key"}};  // a fault of the calling page, not of the user
    }
    MeasurementRecord scratch;
    if (const MaybeRefusal refusal = ReadConditionField(*field, text, scratch)) {
        return Refused(refusal->message, key);
    }
    return Json{{"ok", true}};
}

// {"text"}: a measurement file's model, conditions, uncertainties and spectrum as the page's fields show
// them: numbers in their shortest form, which reads back to the same value.
Json InputsOf(const Json& request) {
    const Expected<Measurement> measurement = ParseMeasurementFile(request.value("text", ""));
    if (!measurement) {
        return Refused(measurement.error().message);
    }
    MeasurementRecord record;
    TakeMeasurement(*measurement, record);
    Json fields = Json::object();
    for (const ConditionField& field : ConditionFields()) {
        if (field.text != nullptr) {
            fields[field.key] = record.conditions.*field.text;
        } else {
            const std::optional<double>& number = *ConditionNumber(field, record);
            fields[field.key] = number ? ShortestNumberText(*number) : std::string();
        }
    }
    const std::optional<MeasurementSpectrum>& spectrum = measurement->spectrum;
    return Json{
        {"ok", true},
        {"fields", std::move(fields)},
        {"model", measurement->model == ConversionModel::Isotropic ? "isotropic" : "compatible"},
        {"spectrum", spectrum ? Json(spectrum->fileName) : Json()},
        {"centreAl", spectrum && spectrum->centreAlMm ? ShortestNumberText(*spectrum->centreAlMm) : ""}};
}

// {"file", "name"}: the spectrum file put into the memory files as file, chosen by the user as name, read and
// checked as the spectrum dialog does; the measurement file's "spectrum" value for it, as the program's
// writer writes it (the writer is the one place that knows its keys).
Json ReadSpectrum(const Json& request) {
    Expected<ParsedSpectrum> read = ReadSpectrumFile(request.value("file", ""));
    if (!read) {
        return Refused(read.error().message);
    }
    if (const Expected<AttenuationTable> table = MakeAttenuationTable(read->spectrum); !table) {
        return Refused(table.error().message);
    }
    Measurement holder;
    holder.readings = {{1}};
    holder.spectrum =
        MeasurementSpectrum{request.value("name", ""), read->form, std::move(read->spectrum), {}};
    Expected<std::string> text = MeasurementFileBytes(holder);
    if (!text) {
        return Refused(text.error().message);
    }
    return Json{{"ok", true}, {"spectrum", Json::parse(*text)["spectrum"]}};
}

// {"text", "fields": {key: text}, "model", "centreAl"}: the measurement file's text with the fields as typed
// (only those edited: a field left as the file had it keeps the file's value, even one the dialog would not
// take as typed, such as a date in free text), the model and the central thickness; refused with the key of
// the first field refused, in the dialog's order.
Json Compose(const Json& request) {
    Expected<Measurement> measurement = ParseMeasurementFile(request.value("text", ""));
    if (!measurement) {
        return Refused(measurement.error().message);
    }
    MeasurementRecord scratch;
    scratch.conditions = measurement->conditions;
    scratch.readingRepeatabilityPercent = measurement->readingRepeatabilityPercent;
    scratch.calibrationUncertaintyPercent = measurement->calibrationUncertaintyPercent;
    const Json edited = request.value("fields", Json::object());
    for (const ConditionField& field : ConditionFields()) {
        const auto typed = edited.find(field.key);
        if (typed == edited.end() || !typed->is_string()) {
            continue;
        }
        if (const MaybeRefusal refusal = ReadConditionField(field, typed->get<std::string>(), scratch)) {
            return Refused(refusal->message, field.key);
        }
    }
    measurement->conditions = scratch.conditions;
    measurement->readingRepeatabilityPercent = scratch.readingRepeatabilityPercent;
    measurement->calibrationUncertaintyPercent = scratch.calibrationUncertaintyPercent;
    if (const auto centre = request.find(kCentreAlKey); centre != request.end() && centre->is_string()) {
        const Expected<std::optional<double>> read = ReadCentreAl(centre->get<std::string>());
        if (!read) {
            return Refused(read.error().message, kCentreAlKey);
        }
        if (measurement->spectrum) {
            measurement->spectrum->centreAlMm = *read;
        }
    }
    const std::string model = request.value("model", "");
    for (const auto& [value, name] : kModels) {
        measurement->model = model == name ? value : measurement->model;
    }
    Expected<std::string> text = MeasurementFileBytes(*measurement);
    if (!text) {
        return Refused(text.error().message);
    }
    return Json{{"ok", true}, {"text", std::move(*text)}};
}

}  // namespace

std::optional<Json> PageInputsAnswer(const std::string& what, const Json& request) {
    if (what == "inputFields") {
        return InputFields();
    }
    if (what == "inputField") {
        return CheckInputField(request);
    }
    if (what == "inputsOf") {
        return InputsOf(request);
    }
    if (what == "spectrum") {
        return ReadSpectrum(request);
    }
    if (what == "compose") {
        return Compose(request);
    }
    return std::nullopt;
}

}  // namespace tessaroven
