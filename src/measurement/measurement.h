// What one measurement is, as plain values: the readings with their repeats, the distance, the comment, the
// uncertainties, the measuring conditions, the centre spectrum and the conversion model. The measurement file
// stores exactly this; the in-memory record (measurement/measurement_record.h) holds it beside the results.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "measurement/spectrum.h"

namespace tessaroven {

inline constexpr const char* kDefaultComment = "Comment";

// How the measurement was made. Every member is optional: an empty text or an empty number is not written.
struct MeasurementConditions {
    std::string scanner;
    std::string scannerSerial;
    std::string bowtieFilter;
    std::string detector;
    std::string detectorSerial;
    std::string calibrationDate;
    std::string operatorName;
    std::string measuredOn;  // YYYY-MM-DD
    std::string site;
    std::string notes;
    std::optional<double> tubeVoltageKv;
    std::optional<double> collimationMm;
    std::optional<double> rotationTimeS;
    std::optional<double> tubeCurrentTimeProductMas;
    std::optional<double> calibrationFactor;

    bool operator==(const MeasurementConditions&) const = default;
};

// How the readings become the profile. Compatible: each gantry angle weighted by its cosine, the rays beyond
// a position counted at that position (the conversion of every earlier record). Isotropic: every angle of a
// constant-speed turn counts alike and every ray is taken where it crosses, exact for a detector without
// directional dependence.
enum class ConversionModel { Compatible, Isotropic };

struct Measurement {
    double distanceCm = 60;                 // focus to rotation centre
    std::string comment = kDefaultComment;  // the first line of the result file; no line break
    // readings[k]: the repeated readings at position k cm (one or more each), 1 to 31 positions.
    std::vector<std::vector<double>> readings;
    std::optional<double> readingRepeatabilityPercent;    // relative standard deviation of a single reading
    std::optional<double> calibrationUncertaintyPercent;  // relative standard uncertainty of the calibration
    MeasurementConditions conditions;
    std::optional<MeasurementSpectrum> spectrum;  // the centre spectrum for the Al-equivalent thickness
    ConversionModel model = ConversionModel::Compatible;

    bool operator==(const Measurement&) const = default;
};

// The value the conversion uses for one position: the repeats summed in order, divided by their number.
double MeanOfRepeats(const std::vector<double>& repeats);

}  // namespace tessaroven
