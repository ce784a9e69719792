// The result file: a comment line, then one data line per position, every line ending in CR LF, in code page
// 932. The data lines always use "." as decimal mark, whatever the locale, so the file's columns stay intact.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "measurement/measurement_record.h"
#include "messages/outcome.h"

namespace tessaroven {

// One data line without its line end: "i, ##0.000,  ##0.00".
std::string CsvDataLine(int index, double profile, double relativePercent);

struct CsvFile {
    std::string bytes;                   // the whole file, code page 932, CR LF after every line
    std::vector<std::string> dataLines;  // data lines 0..lastPosition, without line ends
};

// Builds the file for positions 0..lastPosition from profile and relativePercent. Refused when lastPosition
// is above 30, when a value is not finite, or when the comment cannot be written in code page 932.
Expected<CsvFile> BuildCsvFile(std::string_view commentUtf8, const MeasurementRecord& record);

}  // namespace tessaroven
