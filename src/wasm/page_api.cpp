// What the browser edition's page asks of the core besides conversions: the user's typing read by the core's
// own functions, so that the page accepts and refuses exactly what the desktop program does (a cell of the
// readings table, a number box, a pasted block, an opened measurement file's fields as texts for the boxes),
// and the results table's headings and cells with the desktop's digits.
#include <emscripten.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "calc/conversion.h"
#include "calc/number_text.h"
#include "calc/pasted_readings.h"
#include "formats/cp932.h"
#include "formats/measurement_file.h"
#include "measurement/measurement_record.h"
#include "messages/catalogue.h"
#include "wasm/call_language.h"
#include "wasm/page_inputs.h"
#include "wasm/page_views.h"

namespace tessaroven {
namespace {

using Json = nlohmann::json;

Json Refused(const std::string& message) {
    return Json{{"ok", false}, {"message", message}};
}

bool IsBlank(std::string_view text) {
    return HalfWidthNumberText(text).find_first_not_of(kStrictNumberBlanks) == std::string::npos;
}

// The repeats of one position as the cell shows them after a paste or an opened file.
std::string RepeatsText(const std::vector<double>& repeats) {
    std::string text;
    for (const double value : repeats) {
        text += (text.empty() ? "" : "; ") + ShortestNumberText(value);
    }
    return text;
}

// {"text", "required"}: one position's readings as the desktop's reading box takes them ("100.2; 100.0"),
// with a notice for a reading of 0 or less. A blank cell is no readings, refused only when required
// (converting).
Json ReadReadings(const Json& request) {
    const std::string text = request.value("text", "");
    if (IsBlank(text)) {
        return request.value("required", false) ? Refused(Message(Reason::MissingReading))
                                                : Json{{"ok", true}, {"readings", Json::array()}};
    }
    Expected<std::vector<double>> readings = ReadTypedReadings(text);
    if (!readings) {
        return Refused(readings.error().message);
    }
    Json answer = {{"ok", true}, {"readings", *readings}};
    for (const double value : *readings) {
        if (!(value > 0)) {
            answer["notice"] = Message(Reason::NonPositiveReadingCell);
        }
    }
    return answer;
}

// {"text", "box": "distance" | "positions", "farthest"}: the focus distance or the number of positions, read
// and refused as the desktop's main window reads its boxes. With farthest (the farthest position in cm, -1
// when saving), a distance the focus cannot turn at is refused here, in the words the desktop shows at its
// box, before the page's measurement file would refuse it with its key's name or the conversion with the
// converter's option.
Json ReadNumberBox(const Json& request) {
    const std::string text = request.value("text", "");
    const StrictNumber number = ReadTypedNumber(text);
    if (request.value("box", "") == "positions") {
        if (number.outOfRange) {
            return Refused(Message(Reason::NumberOutOfRange));
        }
        if (number.isNumber && number.value > kSlotCount) {
            return Refused(Message(Reason::TooManyPositions));
        }
        if (!number.isNumber || !(number.value >= 1) || number.value != std::floor(number.value)) {
            return Refused(Message(Reason::PointCountInvalid, {text, std::to_string(kSlotCount)}));
        }
        return Json{{"ok", true}, {"value", number.value}};
    }
    const std::string name = Message(Reason::DistanceBoxName);
    if (IsBlank(text)) {
        return Refused(Message(Reason::NumberBoxEmpty, {name}));
    }
    if (!number.isNumber) {
        return Refused(Message(Reason::NumberBoxInvalid, {name, text}));
    }
    if (number.outOfRange) {
        return Refused(Message(Reason::NumberOutOfRange));
    }
    if (request.contains("farthest") &&
        !(number.value > 0 && number.value >= request.value("farthest", 0.0) + 1)) {
        return Refused(Message(Reason::DistanceTooShort));
    }
    return Json{{"ok", true}, {"value", number.value}};
}

// {"text", "converting"}: the comment box, refused at the box as the converter would refuse it for the
// measurement file (empty, a line break) and, when converting, for the CSV file (a character code page 932
// cannot hold), in words that name the box rather than the converter's option.
Json ReadCommentBox(const Json& request) {
    const std::string text = request.value("text", "");
    if (text.empty()) {
        return Refused(Message(Reason::CommentNotEntered));
    }
    if (text.find_first_of("\r\n") != std::string::npos) {
        return Refused(Message(Reason::LineBreakInComment));
    }
    if (request.value("converting", false)) {
        if (text.find('\0') != std::string::npos) {
            return Refused(Message(Reason::UnrepresentableCharacter,
                                   {Message(Reason::ControlCharacterName, {"U+0000"})}));
        }
        if (const Expected<std::string> encoded = EncodeCp932(text); !encoded) {
            return Refused(encoded.error().message);
        }
    }
    return Json{{"ok", true}};
}

// {"text", "position", "lastPosition"}: a pasted column, row or block with its top-left cell at position;
// each row becomes the text of one position's cell (its repeats), an empty row an empty cell.
Json ReadPasted(const Json& request) {
    const Expected<ReadingBlock> block = ReadPastedReadings(
        request.value("text", ""), request.value("position", 0), 0, request.value("lastPosition", kLastSlot));
    if (!block) {
        return Refused(block.error().message);
    }
    Json cells = Json::array();
    for (const std::vector<ReadingCell>& row : *block) {
        std::vector<double> repeats;
        for (const ReadingCell& cell : row) {
            if (cell) {
                repeats.push_back(*cell);
            }
        }
        cells.push_back(RepeatsText(repeats));
    }
    return Json{{"ok", true}, {"cells", std::move(cells)}};
}

// {"text"}: a measurement file, refused as the program refuses it, else the texts its boxes show.
Json OpenMeasurement(const Json& request) {
    const Expected<Measurement> measurement = ParseMeasurementFile(request.value("text", ""));
    if (!measurement) {
        return Refused(measurement.error().message);
    }
    Json cells = Json::array();
    for (const std::vector<double>& repeats : measurement->readings) {
        cells.push_back(RepeatsText(repeats));
    }
    return Json{{"ok", true},
                {"distance", ShortestNumberText(measurement->distanceCm)},
                {"comment", measurement->comment},
                {"cells", std::move(cells)}};
}

// {}: the question asked before unsaved changes are replaced, and its three answers, in the desktop's words.
Json UnsavedQuestion() {
    return Json{{"ok", true},
                {"question", Message(Reason::SaveChangesQuestion)},
                {"save", Message(Reason::SaveChoice)},
                {"discard", Message(Reason::DiscardChoice)},
                {"cancel", Message(Reason::CancelChoice)}};
}

std::string& Answer() {
    static std::string answer;
    return answer;
}

}  // namespace
}  // namespace tessaroven

// One request: requestJson is {"what": "readings" | "number" | "comment" | "pasted" | "measurement" |
// "unsavedQuestion", or one of page_inputs.h's or page_views.h's, "lang": "ja" | "en", ...} with the fields
// above; the answer is JSON, {"ok": false, "message": TEXT} when refused.
extern "C" EMSCRIPTEN_KEEPALIVE const char* tessaroven_page_request(const char* requestJson) {
    using namespace tessaroven;
    const Json request = Json::parse(requestJson, nullptr, false);
    if (!request.is_object()) {
        Answer() = R"({"ok":false,"error":"request"})";  // a fault of the calling page, not of the user
        return Answer().c_str();
    }
    const CallLanguage language(request.value("lang", ""));
    const std::string what = request.value("what", "");
    // The model, the conditions, the uncertainties and the spectrum: page_inputs.cpp.
    std::optional<Json> answer = PageInputsAnswer(what, request);
    if (!answer) {
        // What a conversion shows: page_views.cpp.
        answer = PageViewsAnswer(what, request);
    }
    if (!answer) {
        answer = what == "readings"          ? ReadReadings(request)
                 : what == "number"          ? ReadNumberBox(request)
                 : what == "pasted"          ? ReadPasted(request)
                 : what == "comment"         ? ReadCommentBox(request)
                 : what == "unsavedQuestion" ? UnsavedQuestion()
                                             : OpenMeasurement(request);
    }
    Answer() = answer->dump(-1, ' ', false, Json::error_handler_t::replace);
    return Answer().c_str();
}
