// The measurement file's reader on arbitrary bytes: it never crashes, a refusal says why in a short message
// without control characters, and an accepted
// file, written again and read back, gives the same measurement with every number the same bit for bit.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "formats/measurement_file.h"
#include "fuzz_check.h"
#include "measurement/measurement_record.h"
#include "record_compare.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tessaroven;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const Expected<Measurement> parsed = ParseMeasurementFile(bytes);
    if (!parsed) {
        const std::string& message = parsed.error().message;
        FUZZ_CHECK(!message.empty(), "a refusal says what was wrong");
        // A message repeats at most the start of a value and never a whole array or object.
        FUZZ_CHECK(message.size() < 1000, "a refusal is short, whatever the file holds");
        FUZZ_CHECK(std::none_of(message.begin(), message.end(),
                                [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }),
                   "no control character of the file reaches a message");
        return 0;
    }
    FUZZ_CHECK(!parsed->readings.empty() && parsed->readings.size() <= static_cast<std::size_t>(kSlotCount),
               "1 to 31 positions");
    const std::string text = MeasurementFileText(*parsed);
    const Expected<Measurement> again = ParseMeasurementFile(text);
    FUZZ_CHECK(again.has_value(), "a written file is read again");
    FUZZ_CHECK(testing::SameMeasurement(*again, *parsed), "the measurement reads back bit for bit");
    FUZZ_CHECK(MeasurementFileText(*again) == text, "writing it again gives the same text");
    return 0;
}
