// The profile file that --simulate reads: a dose profile as two comma-separated columns under a heading that
// says what the abscissa is,
//   position_cm,relative     the profile on the line through the rotation centre, x in cm;
//   fan_angle_deg,relative   the profile on the arc about the focus, per fan angle in degrees.
// Rows of two numbers follow, blanks around them allowed; lines starting with '#' and blank lines are ignored
// anywhere; CR LF or LF line ends and a UTF-8 byte order mark are accepted. Abscissas are 0 or more and
// nondecreasing (two equal ones make a step, a third is refused); values are finite and 0 or more. Reading is
// strict and every refusal names the line (and the column where a value is at fault).
#pragma once

#include <cstddef>
#include <string_view>

#include "calc/simulator.h"
#include "messages/outcome.h"

namespace tessaroven {

inline constexpr std::size_t kMaxProfileFileBytes = 1 << 20;
// Each row adds a kink that the simulator's integration keeps on a panel edge, so the rows bound its time.
inline constexpr std::size_t kMaxProfileFileRows = 20000;

inline constexpr std::string_view kLineProfileHeading = "position_cm,relative";
inline constexpr std::string_view kArcProfileHeading = "fan_angle_deg,relative";

// Reads a profile file's bytes (no file access: the caller reads the file and names it in a refusal).
// Whether the table starts at 0 and reaches far enough is the simulator's to judge, for its distance.
Expected<TabulatedProfile> ParseProfileColumns(std::string_view bytes);

}  // namespace tessaroven
