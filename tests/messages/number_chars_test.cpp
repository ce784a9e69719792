// The portable number texts against the standard library's, on many random and special doubles: the same
// characters, the same values, the same errors.
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "messages/number_chars.h"

namespace tessaroven {
namespace {

std::vector<double> SampleDoubles() {
    using limits = std::numeric_limits<double>;
    std::vector<double> values = {0.0, -0.0, limits::infinity(), -limits::infinity(), limits::quiet_NaN(),
                                  -limits::quiet_NaN(), limits::denorm_min(), limits::min(), limits::max(),
                                  1e15, 1e16, 1e21, 1e22, 1e23, 5e-324, 1e-5, 1e-4, 100000, 123456, 0.3,
                                  // exactly halfway at 15 significant digits, and at a few decimals
                                  1234567890123455.0, 1234567890123445.0, 0.5, 1.5, 2.5, 0.125, 0.375};
    for (int e = -30; e <= 30; ++e) {
        values.push_back(std::pow(10.0, e));
        values.push_back(std::ldexp(1.0, e * 35));
    }
    std::mt19937_64 random(20240611);
    std::uniform_real_distribution<double> plain(-1000, 1000);
    for (int i = 0; i < 12000; ++i) {
        values.push_back(std::bit_cast<double>(random()));       // every magnitude
        values.push_back(plain(random));                         // readings and angles
        values.push_back(std::round(plain(random) * 8e12) / 8);  // halves and eighths at 15 or 16 digits
    }
    return values;
}

std::string Text(std::to_chars_result result, char* first, char* last) {
    return result.ec == std::errc() ? std::string(first, result.ptr)
                                    : "error " + std::to_string(static_cast<int>(result.ec)) +
                                          (result.ptr == last ? " at end" : "");
}

TEST(PortableNumberChars, WriteTheCharactersOfTheStandardLibrary) {
    char expected[512];
    char actual[512];
    for (const double value : SampleDoubles()) {
        EXPECT_EQ(Text(portable_chars::ToChars(actual, actual + 512, value), actual, actual + 512),
                  Text(std::to_chars(expected, expected + 512, value), expected, expected + 512));
        for (const int precision : {0, 1, 3, 6, 13, 14, 17, 40}) {
            for (const auto format : {std::chars_format::fixed, std::chars_format::scientific}) {
                ASSERT_EQ(Text(portable_chars::ToChars(actual, actual + 512, value, format, precision),
                               actual, actual + 512),
                          Text(std::to_chars(expected, expected + 512, value, format, precision), expected,
                               expected + 512))
                    << std::bit_cast<std::uint64_t>(value) << " precision " << precision;
            }
        }
        // Too little room is an error at the end, never a cut text.
        EXPECT_EQ(Text(portable_chars::ToChars(actual, actual + 3, value), actual, actual + 3),
                  Text(std::to_chars(expected, expected + 3, value), expected, expected + 3));
    }
}

TEST(PortableNumberChars, ReadTheValuesOfTheStandardLibrary) {
    std::vector<std::string> texts = {"",
                                      "-",
                                      "+1",
                                      ".",
                                      ".5",
                                      "5.",
                                      "-.e1",
                                      "1e",
                                      "1e+",
                                      "1E-2x",
                                      "0x10",
                                      "00012.50e-1",
                                      "inf",
                                      "-INFINITY",
                                      "infinit",
                                      "nan",
                                      "-nan",
                                      "NaN(a_1)",
                                      "nan(a b)",
                                      "1e400",
                                      "-1e400",
                                      "1e-400",
                                      "2e-324",
                                      "3e-324",
                                      "1.7976931348623158e308",
                                      "1.7976931348623159e308",
                                      "0e99999999999",
                                      "1e-99999999999999999999",
                                      std::string(800, '9') + "e-500"};
    std::mt19937_64 random(7);
    char buffer[64];
    for (const double value : SampleDoubles()) {
        texts.emplace_back(buffer, std::to_chars(buffer, buffer + 64, value).ptr);
        texts.emplace_back(buffer, std::to_chars(buffer, buffer + 64, value, std::chars_format::scientific,
                                                 static_cast<int>(random() % 25))
                                       .ptr);
        std::string digits = std::to_string(random()) + std::to_string(random());
        digits.insert(random() % digits.size(), ".");
        texts.push_back(digits.substr(0, random() % digits.size() + 1) + "e" +
                        std::to_string(static_cast<int>(random() % 700) - 350));
    }
    for (const std::string& text : texts) {
        double expected = 42;
        double actual = 42;
        const auto wanted = std::from_chars(text.data(), text.data() + text.size(), expected);
        const auto got = portable_chars::FromChars(text.data(), text.data() + text.size(), actual);
        ASSERT_EQ(got.ec, wanted.ec) << text;
        ASSERT_EQ(got.ptr, wanted.ptr) << text;
        ASSERT_EQ(std::isnan(actual), std::isnan(expected)) << text;
        ASSERT_TRUE(std::isnan(actual)
                        ? std::signbit(actual) == std::signbit(expected)
                        : std::bit_cast<std::uint64_t>(actual) == std::bit_cast<std::uint64_t>(expected))
            << text;
    }
}

}  // namespace
}  // namespace tessaroven
