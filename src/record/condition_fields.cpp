// The measuring conditions' field table.
#include "record/condition_fields.h"

#include "calc/number_text.h"

namespace tessaroven {

namespace {

using C = MeasurementConditions;
using R = MeasurementRecord;
using K = ConditionKind;

// clang-format off
const ConditionField kFields[] = {
    {.key = "scanner", .label = "装置", .kind = K::Text, .text = &C::scanner},
    {.key = "scannerSerial", .label = "装置シリアル番号", .kind = K::Text, .text = &C::scannerSerial},
    {.key = "bowtieFilter", .label = "ボウタイフィルタ", .kind = K::Text, .text = &C::bowtieFilter},
    {.key = "tubeVoltage", .label = "管電圧 (kV)", .kind = K::Number, .number = &C::tubeVoltageKv},
    {.key = "collimation", .label = "コリメーション (mm)", .kind = K::Number, .number = &C::collimationMm},
    {.key = "rotationTime", .label = "回転時間 (s)", .kind = K::Number, .number = &C::rotationTimeS},
    {.key = "currentTimeProduct", .label = "管電流時間積 (mAs)", .kind = K::Number, .number = &C::tubeCurrentTimeProductMas},
    {.key = "detector", .label = "線量計 (検出器)", .kind = K::Text, .text = &C::detector},
    {.key = "detectorSerial", .label = "検出器シリアル番号", .kind = K::Text, .text = &C::detectorSerial},
    {.key = "calibrationFactor", .label = "校正定数", .kind = K::Number, .number = &C::calibrationFactor},
    {.key = "calibrationDate", .label = "校正日", .kind = K::Text, .text = &C::calibrationDate},
    {.key = "calibrationUncertainty", .label = "校正の不確かさ (%)", .kind = K::Uncertainty, .uncertainty = &R::calibrationUncertaintyPercent},
    {.key = "repeatability", .label = "読み値の繰り返し精度 (%)", .kind = K::Uncertainty, .note = "1 回だけ測定した位置に使用", .uncertainty = &R::readingRepeatabilityPercent},
    {.key = "measuredOn", .label = "測定日 (YYYY-MM-DD)", .kind = K::Date, .text = &C::measuredOn},
    {.key = "operator", .label = "測定者", .kind = K::Text, .text = &C::operatorName},
    {.key = "site", .label = "施設", .kind = K::Text, .text = &C::site},
    {.key = "notes", .label = "備考", .kind = K::Text, .text = &C::notes},
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

std::vector<std::pair<std::string, std::string>> SetConditionTexts(const MeasurementRecord& record) {
    std::vector<std::pair<std::string, std::string>> texts;
    for (const ConditionField& field : kFields) {
        if (field.text != nullptr) {
            if (const std::string& text = record.conditions.*field.text; !text.empty()) {
                texts.emplace_back(field.label, text);
            }
        } else if (const std::optional<double>* number = ConditionNumber(field, record); number && *number) {
            texts.emplace_back(field.label, GeneralNumberText(**number));
        }
    }
    return texts;
}

}  // namespace tessaroven
