// The per-position result columns that the results table and the report show: their headings and the text
// of each cell, so that both show the same digits.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "calc/uncertainty.h"

namespace tessaroven {

enum class ResultColumn {
    Position,
    FanAngle,
    Reading,
    ReadingCount,
    ReadingU,
    Profile,
    Relative,
    RelativeOnArc,
};

// Every column, in the results table's order.
std::span<const ResultColumn> ResultColumns();

// The column's heading (UTF-8).
std::string_view ResultColumnHeading(ResultColumn column);

// The cell of position p: fixed decimals per column, "value ± U" (k = 2) for the relative values and
// "value ± u" for the profile where the uncertainty is known, the mean of repeats with one decimal more than
// its repeats, a reading measured once as entered, and nothing for an unknown uncertainty.
std::string ResultCellText(const PositionEvaluation& p, ResultColumn column);

}  // namespace tessaroven
