// The portable number texts on arbitrary bytes and doubles: reading gives what the standard library's
// from_chars gives (value, error and end), and writing gives its characters, so the WebAssembly build reads
// and writes every number as the native builds do.
#include <charconv>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "fuzz_check.h"
#include "messages/number_chars.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const char* text = reinterpret_cast<const char*>(data);
    double expected = 42;
    double actual = 42;
    const auto wanted = std::from_chars(text, text + size, expected);
    const auto got = tessaroven::portable_chars::FromChars(text, text + size, actual);
    FUZZ_CHECK(got.ec == wanted.ec && got.ptr == wanted.ptr, "the same error and end as from_chars");
    FUZZ_CHECK(
        std::isnan(actual) ? std::isnan(expected) : std::memcmp(&actual, &expected, sizeof actual) == 0,
        "the same value as from_chars");

    if (size >= sizeof(double) + 1) {
        double value = 0;
        std::memcpy(&value, data, sizeof value);
        const int precision = data[sizeof value] % 40;
        char a[512];
        char b[512];
        const auto mine = tessaroven::portable_chars::ToChars(a, a + sizeof a, value);
        const auto theirs = std::to_chars(b, b + sizeof b, value);
        FUZZ_CHECK(std::string_view(a, mine.ptr) == std::string_view(b, theirs.ptr), "the shortest text");
        for (const auto format : {std::chars_format::fixed, std::chars_format::scientific}) {
            const auto mineCounted =
                tessaroven::portable_chars::ToChars(a, a + sizeof a, value, format, precision);
            const auto theirsCounted = std::to_chars(b, b + sizeof b, value, format, precision);
            FUZZ_CHECK(mineCounted.ec == theirsCounted.ec &&
                           std::string_view(a, mineCounted.ptr) == std::string_view(b, theirsCounted.ptr),
                       "the fixed and scientific texts");
        }
    }
    return 0;
}
