// The profile file's reader (--simulate) on arbitrary bytes: it never crashes, a refusal says why, and an
// accepted table keeps the promises the simulator relies on (abscissas 0 or more and nondecreasing, at most
// two at one abscissa, values finite and 0 or more, at most the largest number of rows); a small one is
// simulated at two positions, giving finite readings of 0 or more or a refusal with a message.
#include <cmath>
#include <cstdint>
#include <string_view>

#include "calc/simulator.h"
#include "formats/profile_columns.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tessaroven;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const Expected<TabulatedProfile> parsed = ParseProfileColumns(bytes);
    if (!parsed) {
        FUZZ_CHECK(!parsed.error().message.empty(), "a refusal says what was wrong");
        return 0;
    }
    const TabulatedProfile& profile = *parsed;
    FUZZ_CHECK(profile.at.size() == profile.value.size(), "one value per abscissa");
    FUZZ_CHECK(profile.at.size() <= kMaxProfileFileRows, "at most the largest number of rows");
    for (std::size_t i = 0; i < profile.at.size(); ++i) {
        FUZZ_CHECK(std::isfinite(profile.at[i]) && profile.at[i] >= 0, "abscissas finite, 0 or more");
        FUZZ_CHECK(std::isfinite(profile.value[i]) && profile.value[i] >= 0, "values finite, 0 or more");
        FUZZ_CHECK(i == 0 || profile.at[i] >= profile.at[i - 1], "abscissas nondecreasing");
        FUZZ_CHECK(i < 2 || profile.at[i] != profile.at[i - 2], "at most two rows at one abscissa");
    }
    if (profile.at.size() <= 64) {
        const Expected<std::vector<double>> readings = SimulateReadings(profile, 60, 2);
        if (!readings) {
            FUZZ_CHECK(!readings.error().message.empty(), "a refused simulation says why");
            return 0;
        }
        for (double reading : *readings) {
            FUZZ_CHECK(std::isfinite(reading) && reading >= 0, "a reading is finite and 0 or more");
        }
    }
    return 0;
}
