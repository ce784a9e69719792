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

#include "measurement/measurement.h"
#include "messages/outcome.h"

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
// Reads a measurement file's bytes. Refused, with a message naming the line and column or the key (such as
// "readings[3][1]"), for text that is not UTF-8 or not JSON, an unknown format or a newer version, a missing
// key or one of the wrong type, a number beyond the double range, brackets nested deeper than
// kMaxMeasurementFileDepth, and values outside their limits. Keys this program does not know are ignored.
// A message shows at most the start of a text value, escaped, and an array or an object only by its kind.
Expected<Measurement> ParseMeasurementFile(std::string_view bytes);

// The file's text: keys in a fixed order, 2-space indentation, a line feed at the end.
std::string MeasurementFileText(const Measurement& measurement);

// MeasurementFileText once it is known to read back: refused for a measurement the reader would refuse, one
// whose texts are not UTF-8, and one whose file would be larger than kMaxMeasurementFileBytes.
Expected<std::string> MeasurementFileBytes(const Measurement& measurement);

}  // namespace tessaroven
