// The profile table: every position's fan angle, reading, profile and relative values with their standard
// uncertainties (k = 1), as UTF-8 comma-separated text with LF line ends, for further work in other programs.
// Numbers use "." whatever the locale and are written in the shortest form that reads back to the same
// double; a cell whose value is unknown is empty.
#pragma once

#include <string>
#include <string_view>

#include "calc/al_equivalent.h"
#include "calc/comparison.h"
#include "calc/uncertainty.h"
#include "messages/outcome.h"

namespace tessaroven {

// The column names, without the line end.
inline constexpr std::string_view kProfileTableHeader =
    "position_cm,fan_angle_deg,reading,reading_u,profile,profile_u,relative_percent,relative_percent_u,"
    "relative_on_arc_percent,relative_on_arc_percent_u";

// The columns added after the others when the profile is compared with a baseline.
inline constexpr std::string_view kProfileTableBaselineColumns = "baseline_percent,delta_percent,flagged";

// The whole table, each line ended by LF: "# distance_cm=60 comment=<comment> uncertainty=standard (k=1)",
// with " model=isotropic" after the distance for a profile of the isotropic model
// (a CR or LF in the comment is written as a blank, so the line stays one line), the column names, and one
// row per position. With a baseline, the first line ends in " baseline_distance_cm=<D> tolerance_percent=<T>"
// and every row gains q_base, d and the flag (0 or 1), empty for a position the baseline lacks.
std::string ProfileTableText(const ProfileEvaluation& evaluation, std::string_view comment,
                             const BaselineComparison* baseline = nullptr);

// The Al-equivalent columns a table gains when a centre spectrum is given: the thickness relative to the
// centre (mm of aluminium) and its standard uncertainty, the half-value layer (mm) and the fluence
// transmission relative to the centre; cells of a position without a thickness are empty.
inline constexpr std::string_view kAlEquivalentColumns =
    "al_equivalent_mm,al_equivalent_mm_u,hvl_mm,fluence_transmission";

// Appends those columns to ProfileTableText's text (its name line and one row per position, in order).
void AppendAlEquivalentColumns(std::string& table, const AlEquivalentProfile& profile);

}  // namespace tessaroven
