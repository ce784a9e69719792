// The measuring conditions' field table.
#include "calc/condition_fields.h"

#include <cmath>

#include "calc/number_text.h"
#include "calc/typed_date.h"

namespace tessaroven {

namespace {

using C = MeasurementConditions;
using R = MeasurementRecord;
using K = ConditionKind;

// clang-format off
const ConditionField kFields[] = {
    {.key = "scanner", .label = Reason::ConditionScanner, .kind = K::Text, .text = &C::scanner},
    {.key = "scannerSerial", .label = Reason::ConditionScannerSerial, .kind = K::Text, .text = &C::scannerSerial},
    {.key = "bowtieFilter", .label = Reason::ConditionBowtieFilter, .kind = K::Text, .text = &C::bowtieFilter},
    {.key = "tubeVoltage", .label = Reason::ConditionTubeVoltage, .kind = K::Number, .number = &C::tubeVoltageKv, .plausible = PlausibleRange{40, true, 150}},
    {.key = "collimation", .label = Reason::ConditionCollimation, .kind = K::Number, .number = &C::collimationMm, .plausible = PlausibleRange{0, false, 200}},
    {.key = "rotationTime", .label = Reason::ConditionRotationTime, .kind = K::Number, .number = &C::rotationTimeS, .plausible = PlausibleRange{0, false, 10}},
    {.key = "currentTimeProduct", .label = Reason::ConditionCurrentTimeProduct, .kind = K::Number, .number = &C::tubeCurrentTimeProductMas, .plausible = PlausibleRange{0, false, 10000}},
    {.key = "detector", .label = Reason::ConditionDetector, .kind = K::Text, .text = &C::detector},
    {.key = "detectorSerial", .label = Reason::ConditionDetectorSerial, .kind = K::Text, .text = &C::detectorSerial},
    {.key = "calibrationFactor", .label = Reason::ConditionCalibrationFactor, .kind = K::Number, .number = &C::calibrationFactor},
    {.key = "calibrationDate", .label = Reason::ConditionCalibrationDate, .kind = K::Date, .text = &C::calibrationDate},
    {.key = "calibrationUncertainty", .label = Reason::ConditionCalibrationUncertainty, .kind = K::Uncertainty, .uncertainty = &R::calibrationUncertaintyPercent},
    {.key = "repeatability", .label = Reason::ConditionRepeatability, .kind = K::Uncertainty, .note = Reason::ConditionRepeatabilityNote, .uncertainty = &R::readingRepeatabilityPercent},
    {.key = "measuredOn", .label = Reason::ConditionMeasuredOn, .kind = K::Date, .text = &C::measuredOn},
    {.key = "operator", .label = Reason::ConditionOperator, .kind = K::Text, .text = &C::operatorName},
    {.key = "site", .label = Reason::ConditionSite, .kind = K::Text, .text = &C::site},
    {.key = "notes", .label = Reason::ConditionNotes, .kind = K::Text, .text = &C::notes},
};
// clang-format on

}  // namespace

std::span<const ConditionField> ConditionFields() {
    return kFields;
}

const std::optional<double>* ConditionNumber(const ConditionField& field, const MeasurementRecord& record) {
    if (field.uncertainty != nullptr) {
        return &(record.*field.uncertainty);
    }
    return field.number != nullptr ? &(record.conditions.*field.number) : nullptr;
}

MaybeRefusal CheckPlausible(const ConditionField& field, double value) {
    if (!field.plausible) {
        return std::nullopt;
    }
    const PlausibleRange& range = *field.plausible;
    const bool aboveLow = range.lowIncluded ? value >= range.low : value > range.low;
    if (aboveLow && value <= range.high) {
        return std::nullopt;
    }
    const std::string label(MessageText(field.label));
    if (range.lowIncluded) {
        return Refuse(Reason::ConditionOutsideRange,
                      {label, GeneralNumberText(range.low), GeneralNumberText(range.high)});
    }
    return Refuse(Reason::ConditionOutsideRangeAbove,
                  {label, GeneralNumberText(range.low), GeneralNumberText(range.high)});
}

MaybeRefusal ReadConditionField(const ConditionField& field, std::string_view text, MeasurementRecord& record,
                                char decimalSeparator) {
    if (field.kind == ConditionKind::Text) {
        record.conditions.*field.text = std::string(text);
        return std::nullopt;
    }
    const auto naming = [&field](Reason reason) { return Refuse(reason, {MessageText(field.label)}); };
    const bool empty = HalfWidthNumberText(text).find_first_not_of(kStrictNumberBlanks) == std::string::npos;
    if (field.kind == ConditionKind::Date) {
        const std::optional<std::string> date = ParseTypedDate(text);
        if (!empty && !date) {
            return naming(Reason::ConditionBadDate);
        }
        record.conditions.*field.text = date.value_or(std::string());
        return std::nullopt;
    }
    std::optional<double>& number =
        field.uncertainty != nullptr ? record.*field.uncertainty : record.conditions.*field.number;
    if (empty) {
        number.reset();
        return std::nullopt;
    }
    // One complete number, read as every other number box reads it ("1 00" is not 100).
    const StrictNumber parsed = ReadTypedNumber(text, decimalSeparator);
    if (!parsed.isNumber) {
        return naming(Reason::ConditionNotANumber);
    }
    if (parsed.outOfRange || !std::isfinite(parsed.value)) {
        return naming(Reason::ConditionNumberOutOfRange);
    }
    if (field.kind == ConditionKind::Uncertainty && parsed.value < 0) {
        return naming(Reason::ConditionNegativeUncertainty);
    }
    if (MaybeRefusal implausible = CheckPlausible(field, parsed.value)) {
        return implausible;
    }
    number = parsed.value;
    return std::nullopt;
}

std::vector<std::pair<std::string, std::string>> SetConditionTexts(
    const MeasurementRecord& record, std::string MeasurementConditions::*leftOut) {
    std::vector<std::pair<std::string, std::string>> texts;
    for (const ConditionField& field : kFields) {
        if (field.text != nullptr && field.text == leftOut) {
            continue;
        }
        if (field.text != nullptr) {
            if (const std::string& text = record.conditions.*field.text; !text.empty()) {
                texts.emplace_back(MessageText(field.label), text);
            }
        } else if (const std::optional<double>* number = ConditionNumber(field, record); number && *number) {
            texts.emplace_back(MessageText(field.label), GeneralNumberText(**number));
        }
    }
    return texts;
}

}  // namespace tessaroven
