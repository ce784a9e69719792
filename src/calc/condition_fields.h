// The measuring conditions as the user sees them: every field of the conditions with its label, in the order
// the conditions dialog and the report list them, and the texts of the fields that are set.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "measurement/measurement_record.h"
#include "messages/catalogue.h"
#include "messages/outcome.h"

namespace tessaroven {

enum class ConditionKind {
    Text,         // any text
    Date,         // empty or a calendar day, typed in any form ParseTypedDate reads, kept as YYYY-MM-DD
    Number,       // empty or one complete finite number
    Uncertainty,  // a Number of 0 or more, kept in the record beside the conditions
};

// The values a typed number may take: above low (or from it, when included) up to high. Only what is typed
// is checked; a measurement file keeps whatever it holds.
struct PlausibleRange {
    double low = 0;
    bool lowIncluded = false;
    double high = 0;
};

struct ConditionField {
    const char* key;  // an English name for the field ("scanner"); windows name their controls after it
    Reason label;     // with the unit; also names the field in a refusal
    ConditionKind kind;
    std::optional<Reason> note{};                                     // a second line under the label
    std::string MeasurementConditions::*text = nullptr;               // Text, Date
    std::optional<double> MeasurementConditions::*number = nullptr;   // Number
    std::optional<double> MeasurementRecord::*uncertainty = nullptr;  // Uncertainty
    std::optional<PlausibleRange> plausible{};                        // Number
};

// Every field, from the equipment to the notes.
std::span<const ConditionField> ConditionFields();

// The field's value in record, if the field is a number or an uncertainty.
const std::optional<double>* ConditionNumber(const ConditionField& field, const MeasurementRecord& record);

// Refused, naming the field and its range, when a typed value lies outside the field's plausible range.
MaybeRefusal CheckPlausible(const ConditionField& field, double value);

// Reads a field's typed text into record, as the conditions dialog and the browser edition take it: a text
// as it is; a date in any form ParseTypedDate reads, kept as YYYY-MM-DD; a number as every number box reads
// one (full-width digits too, decimalSeparator read as "."), an uncertainty of 0 or more, within the field's
// plausible range. Blanks only (an input method's ideographic space included) empty a date or a number.
// Refused, naming the field, with record left as it was.
MaybeRefusal ReadConditionField(const ConditionField& field, std::string_view text, MeasurementRecord& record,
                                char decimalSeparator = '.');

// Label and value text ("." as the decimal mark, 15 significant digits) of every field that is set in
// record, in the order of ConditionFields; the text field leftOut, when given, is left out.
std::vector<std::pair<std::string, std::string>> SetConditionTexts(
    const MeasurementRecord& record, std::string MeasurementConditions::*leftOut = nullptr);

}  // namespace tessaroven
