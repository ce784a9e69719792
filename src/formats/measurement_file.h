// The measurement file (".tessaroven.json"): the readings of one measurement with their repeats, the
// distance, the comment, the uncertainties and the measuring conditions, as UTF-8 JSON. Reading checks
// everything and refuses with a message that names the place; writing gives numbers that read back bit for
// bit.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/spectrum_file.h"
#include "messages/outcome.h"
#include "storage/posix/safe_file_writer.h"

namespace tessaroven {

inline constexpr std::string_view kMeasurementFileFormat = "tessaroven-measurement";
// The newest version this program reads. A measurement converted with the isotropic model is written as
// version 2, so that a program that knows only version 1 (and would convert it with the compatible model)
// refuses it; every other measurement is still written as version 1, byte for byte as before.
inline constexpr int kMeasurementFileVersion = 2;
inline constexpr int kCompatibleMeasurementFileVersion = 1;
// Above the largest file the writer makes from a spectrum file of the largest size (1 MiB of spectrum gives
// about 2.2 MB); the writer refuses a measurement whose file would be larger still.
inline constexpr std::size_t kMaxMeasurementFileBytes = 4 << 20;
// A measurement file nests three levels deep; far deeper text is refused before it is parsed.
inline constexpr std::size_t kMaxMeasurementFileDepth = 64;
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

// Reads a measurement file's bytes. Refused, with a message naming the line and column or the key (such as
// "readings[3][1]"), for text that is not UTF-8 or not JSON, an unknown format or a newer version, a missing
// key or one of the wrong type, a number beyond the double range, brackets nested deeper than
// kMaxMeasurementFileDepth, and values outside their limits. Keys this program does not know are ignored.
// A message shows at most the start of a text value, escaped, and an array or an object only by its kind.
Expected<Measurement> ParseMeasurementFile(std::string_view bytes);

// Reads the file at path. Besides the refusals above, a file that cannot be read or is larger than
// kMaxMeasurementFileBytes is refused; every message names the file.
Expected<Measurement> ReadMeasurementFile(const std::string& path);

// The file's text: keys in a fixed order, 2-space indentation, a line feed at the end.
std::string MeasurementFileText(const Measurement& measurement);

// MeasurementFileText once it is known to read back: refused for a measurement the reader would refuse, one
// whose texts are not UTF-8, and one whose file would be larger than kMaxMeasurementFileBytes.
Expected<std::string> MeasurementFileBytes(const Measurement& measurement);

// Writes MeasurementFileBytes safely (a failed save leaves the old file); a refused measurement writes
// nothing.
MaybeRefusal SaveMeasurementFile(const std::string& path, const Measurement& measurement,
                                 const FileSystemOps& ops = PosixFileSystem());

// The value the conversion uses for one position: the repeats summed in order, divided by their number.
double MeanOfRepeats(const std::vector<double>& repeats);

}  // namespace tessaroven
