// Result columns' headings and cell texts.
#include "calc/result_columns.h"

#include <array>
#include <optional>

#include "calc/number_text.h"

namespace tessaroven {

namespace {

constexpr std::array kColumns{
    ResultColumn::Position, ResultColumn::FanAngle, ResultColumn::Reading,  ResultColumn::ReadingCount,
    ResultColumn::ReadingU, ResultColumn::Profile,  ResultColumn::Relative, ResultColumn::RelativeOnArc,
};

std::string WithUncertainty(double value, const std::optional<double>& u, int decimals, double coverage) {
    std::string text = FixedNumberText(value, decimals);
    if (u) {
        text += " ± " + FixedNumberText(coverage * *u, decimals);
    }
    return text;
}

}  // namespace

std::span<const ResultColumn> ResultColumns() {
    return kColumns;
}

std::string_view ResultColumnHeading(ResultColumn column) {
    switch (column) {
        case ResultColumn::Position:
            return "位置 (cm)";
        case ResultColumn::FanAngle:
            return "ファン角 (°)";
        case ResultColumn::Reading:
            return "測定値 (平均)";
        case ResultColumn::ReadingCount:
            return "n";
        case ResultColumn::ReadingU:
            return "u (測定値)";
        case ResultColumn::Profile:
            return "プロファイル ± u";
        case ResultColumn::Relative:
            return "相対値 (%) ± U (k=2)";
        case ResultColumn::RelativeOnArc:
            return "円弧上の相対値 (%) ± U (k=2)";
    }
    return "";
}

std::string ResultCellText(const PositionEvaluation& p, ResultColumn column) {
    switch (column) {
        case ResultColumn::Position:
            return std::to_string(p.position);
        case ResultColumn::FanAngle:
            return FixedNumberText(p.fanAngleDeg, 2);
        case ResultColumn::Reading:
            return p.readingDecimals >= 0 ? FixedNumberText(p.reading, p.readingDecimals)
                                          : GeneralNumberText(p.reading);
        case ResultColumn::ReadingCount:
            return std::to_string(p.readingCount);
        case ResultColumn::ReadingU:
            return p.readingU ? FixedNumberText(*p.readingU, 3) : std::string();
        case ResultColumn::Profile:
            return WithUncertainty(p.profile, p.profileU, 3, 1.0);
        case ResultColumn::Relative:
            return WithUncertainty(p.relativePercent, p.relativePercentU, 2, 2.0);
        case ResultColumn::RelativeOnArc:
            return WithUncertainty(p.relativeOnArcPercent, p.relativeOnArcPercentU, 2, 2.0);
    }
    return "";
}

}  // namespace tessaroven
