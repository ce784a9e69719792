// The conversion from readings taken with the gantry rotating to the fan-direction dose profile: the grid
// model, the solve, the percent values and the result-list lines.
//
// A conversion works on a copy of the record and commits only when every step succeeded, so a refused
// conversion leaves the record exactly as it was.
#pragma once

#include <string>

#include "measurement/measurement_record.h"
#include "messages/outcome.h"

namespace tessaroven {

// The conversion's constant: sum of cos(angle) over the 90 gantry angles (1 / sin 1 degree, to four
// decimals).
inline constexpr double kAngleWeightSum = 57.2987;
inline constexpr int kAngleCount = 90;

// Gantry angle in degrees for angle step m = -45..44: the odd whole degrees -89..89.
constexpr double GantryAngleDegrees(int m) {
    return static_cast<double>((m + 46) * 2) + (-91.0);
}

// cos and sin of gantry angle step m = -45..44 at a value of pi, of the argument (GantryAngleDegrees(m) /
// 180) x piValue. At kConversionPi, the value every reset sets, they are the values of a table made from
// glibc's cos and sin (gantry_angle_table.inc), which decided the compatible model's results before the core
// had maths of its own; those results stay the same to the bit on every system. Any other value of pi uses
// the core's functions (calc/portable_math.h).
struct GantryAngleTerms {
    double cosine;
    double sine;
};
GantryAngleTerms GantryAngleCosSin(int m, double piValue);

// What every model's grid starts with: refused when lastPosition is above 30; the whole grid cleared; refused
// when there are positions and D is 0 or not finite. Gives the last position index (-1: no row to build).
Expected<int> StartGrid(MeasurementRecord& record, double distance);

// Clears the whole grid and fills rows 0..lastPosition with the model's coefficients for focus distance D
// (cm). Refused (record partly rebuilt: work on a copy) when lastPosition is above 30, when D is 0 or not
// finite, when the distance is not larger than the measuring radius, or when a coefficient is not a finite
// number. (A conversion also refuses a distance less than 1 cm beyond the farthest position.)
MaybeRefusal BuildGrid(MeasurementRecord& record, double distance);

// relativePercent[i] = profile[i] / profile[0] x 100 for i = 0..lastPosition; refused when profile[0] is 0 or
// a value is not finite (relativePercent partly written: work on a copy).
MaybeRefusal ComputePercent(MeasurementRecord& record);

// One result-list line: "i : ##0.000  ##0.0".
std::string ResultListLine(int index, double profile, double relativePercent, char decimalSeparator = '.');

// Writes resultLines[0..lastPosition] (lastPosition must be at most 30).
void ComposeResultLines(MeasurementRecord& record, char decimalSeparator = '.');

// The matrix that turns the readings into the profile on the line for the record's converted model and
// distance (convertedModel, convertedDistanceCm), rows and columns 0..lastPosition, lower triangular: the
// inverse of the compatible grid, or the isotropic model's interpolation times the inverse of its grid. The
// propagation of the readings' uncertainties goes through it.
Expected<GridMatrix> ReadingsToProfile(const MeasurementRecord& record);

// The model's name as the windows, the report and the files' notes show it, in the catalogue's language.
std::string_view ConversionModelName(ConversionModel model);

// A conversion in its steps, so that the GUI can let pending window events run between them.
class Conversion {
public:
    Conversion(const MeasurementRecord& record, double distance, char decimalSeparator = '.');

    MaybeRefusal BuildGrid();  // the record's model's grid (on the working copy); refuses a distance less
                               // than 1 cm beyond the farthest position
    MaybeRefusal Solve();      // SolveGrid, then the isotropic model's nodes to the line (working copy)
    MaybeRefusal Finish();     // percent values and result lines (on the working copy)

    // Copies grid, profile, relativePercent, resultLines, the distance and the model of the finished working
    // copy into record; the entered readings are never changed.
    void CommitTo(MeasurementRecord& record) const;
    const MeasurementRecord& Working() const { return m_work; }

private:
    MeasurementRecord m_work;
    double m_distance;
    char m_decimalSeparator;
};

// All steps at once with the record's model; on success the record holds the conversion's results, on refusal
// it is unchanged.
MaybeRefusal RunConversion(MeasurementRecord& record, double distance, char decimalSeparator = '.');

}  // namespace tessaroven
