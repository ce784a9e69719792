// The result file with arbitrary comments and values: either refused with a message, or the comment comes
// first in code page 932, reads back as typed, and the file has one CR LF per line and no others.
#include <cmath>
#include <cstdint>
#include <string>

#include "formats/cp932.h"
#include "formats/csv.h"
#include "fuzz_check.h"
#include "measurement/measurement_record.h"

namespace {

std::size_t CountCrLf(const std::string& bytes) {
    std::size_t count = 0;
    for (std::size_t pos = bytes.find("\r\n"); pos != std::string::npos; pos = bytes.find("\r\n", pos + 2)) {
        ++count;
    }
    return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tessaroven;
    FuzzedDataProvider provider(data, size);
    MeasurementRecord record;
    ResetMeasurement(record);
    record.lastPosition = fuzz::ConsumeLastPosition(provider);
    const int filled = provider.ConsumeIntegralInRange<int>(0, kSlotCount);
    for (int i = 0; i < filled; ++i) {
        record.profile[i] = fuzz::ConsumeValue(provider);
        record.relativePercent[i] = fuzz::ConsumeValue(provider);
    }
    const std::string comment = provider.ConsumeRemainingBytesAsString();

    const Expected<CsvFile> file = BuildCsvFile(comment, record);
    if (!file) {
        FUZZ_CHECK(!file.error().message.empty(), "a refusal says what was wrong");
        return 0;
    }
    const int n = LastPositionIndex(record.lastPosition);
    FUZZ_CHECK(n <= kLastSlot, "no file for positions beyond the slots");

    const Expected<std::string> encoded = EncodeCp932(comment);
    FUZZ_CHECK(encoded.has_value(), "an accepted comment can be encoded");
    FUZZ_CHECK(file->bytes.starts_with(*encoded + "\r\n"), "the file starts with the encoded comment line");
    const Expected<std::string> decoded = DecodeCp932(*encoded);
    // Code page 932 holds some characters under one code only (the micro sign as the Greek mu, the minus
    // sign as the full-width hyphen-minus, the yen sign as 0x5C, ...): what is read back must write the same
    // bytes again.
    FUZZ_CHECK(decoded.has_value(), "the written comment can be read back");
    const Expected<std::string> again = EncodeCp932(*decoded);
    FUZZ_CHECK(again.has_value() && *again == *encoded, "the comment read back writes the same bytes");
    FUZZ_CHECK(CountCrLf(file->bytes) == static_cast<std::size_t>(n + 2),
               "one CR LF per line, lastPosition + 2");
    FUZZ_CHECK(file->bytes.ends_with("\r\n"), "the last line ends in CR LF too");

    FUZZ_CHECK(file->dataLines.size() == static_cast<std::size_t>(n + 1), "one data line per position");
    std::string body;
    for (const std::string& line : file->dataLines) {
        FUZZ_CHECK(!fuzz::HasNonFiniteText(line), "no non-finite number in a data line");
        for (char c : line) {
            FUZZ_CHECK(c >= 0x20 && c < 0x7F, "data lines are printable ASCII");
        }
        body += line + "\r\n";
    }
    FUZZ_CHECK(file->bytes == *encoded + "\r\n" + body, "the data lines follow the comment, nothing else");
    return 0;
}
