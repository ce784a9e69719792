// The WebAssembly core's entry points for JavaScript (core_api.js wraps them; docs/wasm.md describes the
// API): the converter run on files held in memory, and one conversion of a measurement file's text with its
// results as JSON. Texts in and out are UTF-8; bytes (the CSV file in code page 932) stay in memory files.
#include <emscripten.h>

#include <chrono>
#include <cmath>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "calc/al_equivalent.h"
#include "calc/conversion.h"
#include "calc/uncertainty.h"
#include "cli/converter.h"
#include "cli/plot_option.h"
#include "formats/measurement_file.h"
#include "formats/spectrum_file.h"
#include "measurement/measurement_record.h"
#include "messages/catalogue.h"
#include "wasm/call_language.h"
#include "storage/memory/memory_storage.h"

namespace tessaroven {
namespace {

using Json = nlohmann::json;

// What the last call left for JavaScript to read.
struct LastRun {
    std::string output;    // the converter's standard output
    std::string messages;  // its standard error
    std::string json;      // tessaroven_convert's answer
};

LastRun& Last() {
    static LastRun last;
    return last;
}

// A number as JSON holds it: JSON has no infinity or NaN, which the page shows as "no value".
Json Number(const std::optional<double>& value) {
    return value && std::isfinite(*value) ? Json(*value) : Json(nullptr);
}

Json Refused(const Refusal& refusal) {
    return Json{{"ok", false}, {"message", refusal.message}};
}

// The conversion of request["measurement"] (a measurement file's text) with the record's model, or
// request["model"] over it; with a spectrum (the file's, or request["spectrum"], a spectrum file's text) the
// Al-equivalent thickness of every position too.
Json Convert(const Json& request) {
    const Json::string_t text = request.value("measurement", "");
    Expected<Measurement> measurement = ParseMeasurementFile(text);
    if (!measurement) {
        return Refused(measurement.error());
    }
    MeasurementRecord record;
    TakeMeasurement(*measurement, record);
    const std::string model = request.value("model", "");
    if (!model.empty()) {
        record.model = model == "isotropic" ? ConversionModel::Isotropic : ConversionModel::Compatible;
    }
    if (request.contains("spectrum")) {
        Expected<ParsedSpectrum> spectrum = ParseSpectrumFile(request.value("spectrum", ""));
        if (!spectrum) {
            return Refused(spectrum.error());
        }
        const std::optional<double> centre = record.spectrum ? record.spectrum->centreAlMm : std::nullopt;
        record.spectrum = MeasurementSpectrum{"", spectrum->form, std::move(spectrum->spectrum), centre};
    }
    if (request.contains("centreAlMm") && record.spectrum) {
        record.spectrum->centreAlMm = request.value("centreAlMm", 0.0);
    }
    if (auto refusal = RunConversion(record, measurement->distanceCm)) {
        return Refused(*refusal);
    }
    Expected<ProfileEvaluation> evaluation = EvaluateProfile(record);
    if (!evaluation) {
        return Refused(evaluation.error());
    }
    std::optional<AlEquivalentProfile> alEquivalent;
    if (record.spectrum) {
        Expected<AlEquivalentProfile> evaluated = EvaluateAlEquivalent(
            *evaluation, record.spectrum->spectrum, record.spectrum->centreAlMm.value_or(0));
        if (!evaluated) {
            return Refused(evaluated.error());
        }
        alEquivalent = std::move(*evaluated);
    }
    Json positions = Json::array();
    for (std::size_t k = 0; k < evaluation->positions.size(); ++k) {
        const PositionEvaluation& p = evaluation->positions[k];
        Json position = {{"position", p.position},
                         {"fanAngleDeg", p.fanAngleDeg},
                         {"reading", p.reading},
                         {"readingCount", p.readingCount},
                         {"readingU", Number(p.readingU)},
                         {"profile", p.profile},
                         {"profileU", Number(p.profileU)},
                         {"relativePercent", p.relativePercent},
                         {"relativePercentU", Number(p.relativePercentU)},
                         {"relativeOnArcPercent", p.relativeOnArcPercent},
                         {"relativeOnArcPercentU", Number(p.relativeOnArcPercentU)},
                         {"resultLine", record.resultLines[k]}};
        if (alEquivalent) {
            const AlEquivalentPosition& a = alEquivalent->positions[k];
            position["alEquivalentMm"] = Number(a.thicknessMm);
            position["alEquivalentU"] = Number(a.thicknessU);
            position["hvlMm"] = Number(a.hvlMm);
            position["fluenceTransmission"] = Number(a.fluenceTransmission);
            position["alEquivalentNotice"] = a.refusal ? Json(a.refusal->message) : Json(nullptr);
        }
        positions.push_back(std::move(position));
    }
    return Json{{"ok", true},
                {"model", std::string(ConversionModelName(evaluation->model))},
                {"distanceCm", evaluation->distanceCm},
                {"uncertaintyKnown", evaluation->uncertaintyKnown},
                {"positions", std::move(positions)}};
}

}  // namespace
}  // namespace tessaroven

using tessaroven::Last;
using tessaroven::MemoryFiles;

extern "C" {

// Puts a file of size bytes at data into the memory files under name, replacing any.
EMSCRIPTEN_KEEPALIVE void tessaroven_put_file(const char* name, const char* data, int size) {
    MemoryFiles()[name] = std::string(data, static_cast<std::size_t>(size));
}

// The size of the memory file name, or -1 when there is none; its bytes stay where tessaroven_file_data
// points until the next call that writes files.
EMSCRIPTEN_KEEPALIVE int tessaroven_file_size(const char* name) {
    const auto found = MemoryFiles().find(name);
    return found == MemoryFiles().end() ? -1 : static_cast<int>(found->second.size());
}

EMSCRIPTEN_KEEPALIVE const char* tessaroven_file_data(const char* name) {
    const auto found = MemoryFiles().find(name);
    return found == MemoryFiles().end() ? nullptr : found->second.data();
}

// The names of the memory files, as a JSON array.
EMSCRIPTEN_KEEPALIVE const char* tessaroven_file_names() {
    nlohmann::json names = nlohmann::json::array();
    for (const auto& [name, bytes] : MemoryFiles()) {
        names.push_back(name);
    }
    Last().json = names.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    return Last().json.c_str();
}

EMSCRIPTEN_KEEPALIVE void tessaroven_remove_files() {
    MemoryFiles().clear();
}

// Runs the converter with the arguments in argsJson (a JSON array of strings) on the memory files, with
// inputSize bytes at input as its standard input. Returns the exit status; the standard output and error
// are then at tessaroven_output_* and tessaroven_messages.
EMSCRIPTEN_KEEPALIVE int tessaroven_run(const char* argsJson, const char* input, int inputSize) {
    std::vector<std::string> args;
    const auto parsed = nlohmann::json::parse(argsJson, nullptr, false);
    if (parsed.is_array()) {
        for (const auto& arg : parsed) {
            args.push_back(arg.is_string() ? arg.get<std::string>() : arg.dump());
        }
    }
    tessaroven::ConverterEnvironment environment;
    environment.extensions.push_back(tessaroven::PlotOption());
    environment.extensions.push_back(tessaroven::ReportOption());
    std::istringstream in(std::string(input, static_cast<std::size_t>(inputSize)));
    std::ostringstream out;
    std::ostringstream err;
    const int status = tessaroven::RunConverter(args, in, out, err, environment);
    Last().output = out.str();
    Last().messages = err.str();
    return status;
}

EMSCRIPTEN_KEEPALIVE const char* tessaroven_output_data() {
    return Last().output.data();
}

EMSCRIPTEN_KEEPALIVE int tessaroven_output_size() {
    return static_cast<int>(Last().output.size());
}

EMSCRIPTEN_KEEPALIVE const char* tessaroven_messages() {
    return Last().messages.c_str();
}

// One conversion: requestJson is {"measurement": TEXT, "lang": "ja"|"en", "model": "compatible"|"isotropic",
// "spectrum": TEXT, "centreAlMm": MM}, all but the measurement optional; the answer is JSON (docs/wasm.md).
EMSCRIPTEN_KEEPALIVE const char* tessaroven_convert(const char* requestJson) {
    const auto request = nlohmann::json::parse(requestJson, nullptr, false);
    if (!request.is_object()) {
        Last().json = R"({"ok":false,"error":"request"})";  // a fault of the calling page, not of the user
        return Last().json.c_str();
    }
    const tessaroven::CallLanguage language(request.value("lang", ""));
    Last().json = tessaroven::Convert(request).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    return Last().json.c_str();
}

// The time of the conversion alone, in microseconds per conversion, averaged over repeats runs on the
// measurement of requestJson (as for tessaroven_convert, read once): what a page spends when only the profile
// is wanted, without the uncertainties and the JSON answer. -1 when the measurement is refused.
EMSCRIPTEN_KEEPALIVE double tessaroven_time_conversion(const char* requestJson, int repeats) {
    const auto request = nlohmann::json::parse(requestJson, nullptr, false);
    if (!request.is_object() || repeats < 1) {
        return -1;
    }
    tessaroven::Expected<tessaroven::Measurement> measurement =
        tessaroven::ParseMeasurementFile(request.value("measurement", ""));
    if (!measurement) {
        return -1;
    }
    tessaroven::MeasurementRecord record;
    tessaroven::TakeMeasurement(*measurement, record);
    if (request.value("model", "") == "isotropic") {
        record.model = tessaroven::ConversionModel::Isotropic;
    }
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < repeats; ++i) {
        if (tessaroven::RunConversion(record, measurement->distanceCm)) {
            return -1;
        }
    }
    const std::chrono::duration<double, std::micro> spent = std::chrono::steady_clock::now() - start;
    return spent.count() / repeats;
}

}  // extern "C"
