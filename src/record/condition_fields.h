// The measuring conditions as the user sees them: every field of the conditions with its label, in the order
// the conditions dialog and the report list them, and the texts of the fields that are set.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "messages/catalogue.h"
#include "record/measurement_file.h"
#include "record/measurement_record.h"

namespace tessaroven {

enum class ConditionKind {
    Text,         // any text
    Date,         // empty or a YYYY-MM-DD calendar day
    Number,       // empty or one complete finite number
    Uncertainty,  // a Number of 0 or more, kept in the record beside the conditions
};

struct ConditionField {
    const char* key;  // an English name for the field ("scanner"); windows name their controls after it
    Reason label;     // with the unit; also names the field in a refusal
    ConditionKind kind;
    std::optional<Reason> note{};                                     // a second line under the label
    std::string MeasurementConditions::*text = nullptr;               // Text, Date
    std::optional<double> MeasurementConditions::*number = nullptr;   // Number
    std::optional<double> MeasurementRecord::*uncertainty = nullptr;  // Uncertainty
};

// Every field, from the equipment to the notes.
std::span<const ConditionField> ConditionFields();

// The field's value in record, if the field is a number or an uncertainty.
const std::optional<double>* ConditionNumber(const ConditionField& field, const MeasurementRecord& record);

// Label and value text ("." as the decimal mark, 15 significant digits) of every field that is set in
// record, in the order of ConditionFields.
std::vector<std::pair<std::string, std::string>> SetConditionTexts(const MeasurementRecord& record);

}  // namespace tessaroven
