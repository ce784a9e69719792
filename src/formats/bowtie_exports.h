// The bow-tie filter as Monte Carlo programs read it: the absolute Al-equivalent thickness (the bow-tie's
// central thickness plus each position's thickness relative to the centre) and the fluence transmission,
// interpolated linearly in fan angle between the measured positions and mirrored about the central ray.
//   - XCIST's bow-tie file: the header comment "# angle, materials in cm ('al', 'graphite', 'cu', 'ti')",
//     then per angle, ascending from -max to +max in radians, the aluminium thickness in cm and 0 for the
//     three other materials, tab-separated with six decimals.
//   - EGSnrc's Al-equivalent CT source: PREFIX_distribution.dat (a title line, "N, 0.0, 0", then
//     "angle_rad    intensity" rows) and PREFIX_bowtie.dat (material, density, angular increment in degrees,
//     count and the thickness array in mm, each under its comment line), both on the grid 0, step/2,
//     3 step/2, ... up to the largest fan angle.
// Thicknesses below 0 (a profile above its centre value with no central thickness given) are written as
// they are. Text is ASCII apart from the title, with LF line ends.
// A profile converted with the compatible model carries kCompatibleModelNote, as a second comment line in
// XCIST's file (its reader skips '#' lines) and at the end of the distribution's title in EGSnrc's (the
// bow-tie file has no room: its reader skips exactly eight lines before the count). The note is English
// ASCII whatever the display language, as the files are the same in both.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "calc/al_equivalent.h"
#include "messages/outcome.h"

namespace tessaroven {

inline constexpr double kDefaultAngleStepDeg = 0.125;
inline constexpr double kSmallestAngleStepDeg = 0.001;  // keeps a file below 100,000 rows
inline constexpr std::string_view kXcistHeader = "# angle, materials in cm ('al', 'graphite', 'cu', 'ti')";
inline constexpr std::string_view kCompatibleModelNote =
    "converted with the compatible (cosine-weight) model; for Monte Carlo work, convert with the isotropic "
    "detector model";

// The measured positions' fan angles with the absolute thickness and the fluence transmission there.
struct BowtieTable {
    std::vector<double> angleDeg;  // ascending from 0
    std::vector<double> thicknessMm;
    std::vector<double> fluenceTransmission;
};

// The table of a profile where every position has a thickness.
BowtieTable BowtieTableOf(const AlEquivalentProfile& profile);

// The linear interpolation of values (given at the table's angles) at angleDeg within them.
double InterpolateAtAngle(const BowtieTable& table, const std::vector<double>& values, double angleDeg);

std::string XcistBowtieText(const BowtieTable& table, double stepDeg);

struct EgsnrcBowtieTexts {
    std::string distribution;
    std::string bowtie;
};
EgsnrcBowtieTexts EgsnrcBowtieText(const BowtieTable& table, double stepDeg, std::string_view title);

// The names of EGSnrc's two files after the prefix.
inline constexpr const char* kEgsnrcDistributionSuffix = "_distribution.dat";
inline constexpr const char* kEgsnrcBowtieSuffix = "_bowtie.dat";

// The files' texts with the note for the profile's model. Refused when a position has no thickness, or for
// a step below kSmallestAngleStepDeg.
Expected<std::string> XcistBowtieFile(const AlEquivalentProfile& profile, double stepDeg);
Expected<EgsnrcBowtieTexts> EgsnrcBowtieFiles(const AlEquivalentProfile& profile, double stepDeg,
                                              std::string_view title);

}  // namespace tessaroven
