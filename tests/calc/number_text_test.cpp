// The leading-number parse and the number texts, table-driven.
#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "calc/number_text.h"

namespace tessaroven {
namespace {

struct ParseCase {
    const char* text;
    double value;
    bool found;
    bool complete;
    bool outOfRange;
};

class LeadingNumberParse : public ::testing::TestWithParam<ParseCase> {};

TEST_P(LeadingNumberParse, ReadsTheNumberAtTheStart) {
    const ParseCase& c = GetParam();
    const ParsedNumber parsed = ParseLeadingNumber(c.text);
    EXPECT_EQ(parsed.value, c.value) << '"' << c.text << '"';
    EXPECT_EQ(parsed.found, c.found) << '"' << c.text << '"';
    EXPECT_EQ(parsed.complete, c.complete) << '"' << c.text << '"';
    EXPECT_EQ(parsed.outOfRange, c.outOfRange) << '"' << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LeadingNumberParse,
    ::testing::Values(ParseCase{"60", 60, true, true, false}, ParseCase{"", 0, false, false, false},
                      ParseCase{"abc", 0, false, false, false}, ParseCase{"   ", 0, false, false, false},
                      ParseCase{" 1 5", 15, true, true, false},        // blanks inside the number are ignored
                      ParseCase{"1,5", 1, true, false, false},         // a comma is never a decimal mark
                      ParseCase{"\t12\n.5", 12.5, true, true, false},  // tabs and line feeds too
                      ParseCase{"95.5", 95.5, true, true, false}, ParseCase{"-.5", -0.5, true, true, false},
                      ParseCase{"+7.", 7, true, true, false}, ParseCase{"1.2.3", 1.2, true, false, false},
                      ParseCase{"1E2", 100, true, true, false}, ParseCase{"1e-2", 0.01, true, true, false},
                      ParseCase{"2D3", 2000, true, true, false}, ParseCase{"2d+1", 20, true, true, false},
                      ParseCase{"1e", 1, true, false,
                                false},  // exponent marker without digits is not part of it
                      ParseCase{"1e+", 1, true, false, false}, ParseCase{"5cm", 5, true, false, false},
                      ParseCase{"-", 0, false, false, false}, ParseCase{".", 0, false, false, false},
                      ParseCase{"--5", 0, false, false, false}, ParseCase{"5\r", 5, true, false, false},
                      ParseCase{"１２", 0, false, false, false},  // full-width digits are not digits
                      ParseCase{"1e400", 0, true, true, true}, ParseCase{"-1e400", 0, true, true, true},
                      ParseCase{"1e99999999999999999999", 0, true, true, true},
                      ParseCase{"1e-400", 0, true, true, false},  // too small reads as 0, not as an error
                      ParseCase{"0.1", 0.1, true, true, false}));

TEST(LeadingNumberParse, LargestFiniteMagnitudesAreNotOutOfRange) {
    EXPECT_EQ(LeadingNumber("1.7976931348623157e308"), std::numeric_limits<double>::max());
    EXPECT_TRUE(ParseLeadingNumber("1.8e308").outOfRange);
    EXPECT_EQ(LeadingNumber("4.9e-324"), std::numeric_limits<double>::denorm_min());
}

struct TypedCase {
    const char* typed;
    const char* halfWidth;
    double value;
};

class TypedNumberParse : public ::testing::TestWithParam<TypedCase> {};

TEST_P(TypedNumberParse, ReadsFullWidthNumberCharactersAsAscii) {
    EXPECT_EQ(HalfWidthNumberText(GetParam().typed), GetParam().halfWidth);
    EXPECT_EQ(ParseTypedNumber(GetParam().typed).value, GetParam().value) << '"' << GetParam().typed << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TypedNumberParse,
    ::testing::Values(TypedCase{"６０", "60", 60}, TypedCase{"１２．５", "12.5", 12.5},
                      TypedCase{"－３", "-3", -3}, TypedCase{"−3", "-3", -3},  // U+2212 minus sign
                      TypedCase{"＋７ｅ２", "+7e2", 700}, TypedCase{"1Ｅ－２", "1E-2", 0.01},
                      TypedCase{"　６　０　", " 6 0 ", 60}, TypedCase{"12.5", "12.5", 12.5},
                      TypedCase{"1２.５cm", "12.5cm", 12.5},
                      TypedCase{"１，５", "1，5", 1},           // the full-width comma is no decimal mark
                      TypedCase{"２Ｄ３", "2Ｄ3", 2},           // only e and E are exponent markers
                      TypedCase{"５\xEF\xBC", "5\xEF\xBC", 5},  // cut-off character, kept as it is
                      TypedCase{"\xEF\xEF\xBC\x99", "\xEF\x39", 0},  // stray lead byte, then "９"
                      TypedCase{"\xBC\x90", "\xBC\x90", 0}));

struct TextCase {
    double value;
    const char* text;
};

class GeneralText : public ::testing::TestWithParam<TextCase> {};

TEST_P(GeneralText, FifteenSignificantDigitsWithoutTrailingZeros) {
    EXPECT_EQ(GeneralNumberText(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, GeneralText,
    ::testing::Values(TextCase{3, "3"}, TextCase{2.3 + 1, "3.3"}, TextCase{-1, "-1"}, TextCase{0, "0"},
                      TextCase{-0.0, "0"}, TextCase{95.5, "95.5"}, TextCase{0.5, "0.5"},
                      TextCase{0.1 + 0.2, "0.3"}, TextCase{1.0 / 3, "0.333333333333333"},
                      TextCase{2.0 / 3, "0.666666666666667"}, TextCase{123456789012345, "123456789012345"},
                      TextCase{1e15, "1E+15"}, TextCase{-2.5e20, "-2.5E+20"}, TextCase{0.00001, "0.00001"},
                      TextCase{0.000001, "1E-06"}, TextCase{-1.5e-7, "-1.5E-07"}, TextCase{1e-300, "1E-300"},
                      TextCase{1.7976931348623157e308, "1.79769313486232E+308"},
                      TextCase{99.999936, "99.999936"}, TextCase{30, "30"}));

TEST(GeneralText, UsesTheGivenDecimalSeparator) {
    EXPECT_EQ(GeneralNumberText(3.25, ','), "3,25");
    EXPECT_EQ(GeneralNumberText(-2.5e-9, ','), "-2,5E-09");
    EXPECT_EQ(GeneralNumberText(12, ','), "12");
}

TEST(GeneralText, NonFiniteValuesAreNamed) {
    EXPECT_EQ(GeneralNumberText(std::numeric_limits<double>::infinity()), "Infinity");
    EXPECT_EQ(GeneralNumberText(-std::numeric_limits<double>::infinity()), "-Infinity");
    EXPECT_EQ(GeneralNumberText(std::nan("")), "NaN");
}

struct PatternCase {
    double value;
    const char* three;  // "##0.000"
    const char* two;    // "##0.00"
    const char* one;    // "##0.0"
};

class FixedPatterns : public ::testing::TestWithParam<PatternCase> {};

TEST_P(FixedPatterns, RoundHalvesAwayFromZeroOnTheDecimalForm) {
    const PatternCase& c = GetParam();
    EXPECT_EQ(Pattern000(c.value), c.three) << c.value;
    EXPECT_EQ(Pattern00(c.value), c.two) << c.value;
    EXPECT_EQ(Pattern0(c.value), c.one) << c.value;
}

INSTANTIATE_TEST_SUITE_P(
    Values, FixedPatterns,
    ::testing::Values(
        PatternCase{2.2, "2.200", "2.20", "2.2"}, PatternCase{0.5, "0.500", "0.50", "0.5"},
        PatternCase{-0.25, "-0.250", "-0.25", "-0.3"}, PatternCase{100, "100.000", "100.00", "100.0"},
        PatternCase{89.141, "89.141", "89.14", "89.1"}, PatternCase{7.5, "7.500", "7.50", "7.5"},
        PatternCase{2.675, "2.675", "2.68", "2.7"},  // 2.675 is stored just below; a reader expects 2.68
        PatternCase{1.005, "1.005", "1.01", "1.0"}, PatternCase{0.0005, "0.001", "0.00", "0.0"},
        PatternCase{-0.0005, "-0.001", "0.00", "0.0"},  // rounds to zero: no minus sign
        PatternCase{-0.0004, "0.000", "0.00", "0.0"}, PatternCase{0, "0.000", "0.00", "0.0"},
        PatternCase{99.999936, "100.000", "100.00", "100.0"}, PatternCase{99.95, "99.950", "99.95", "100.0"},
        PatternCase{93.600744, "93.601", "93.60", "93.6"}, PatternCase{46.0697, "46.070", "46.07", "46.1"},
        PatternCase{-4.233604, "-4.234", "-4.23", "-4.2"},
        PatternCase{1234567.8915, "1234567.892", "1234567.89", "1234567.9"},
        PatternCase{1e20, "100000000000000000000.000", "100000000000000000000.00", "100000000000000000000.0"},
        PatternCase{1e-20, "0.000", "0.00", "0.0"}, PatternCase{9.9996, "10.000", "10.00", "10.0"}));

TEST(FixedPatterns, UseTheGivenDecimalSeparator) {
    EXPECT_EQ(Pattern000(57.105193, ','), "57,105");
    EXPECT_EQ(Pattern0(-4.233604, ','), "-4,2");
}

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(3.5), 4);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(2.6), 3);
    EXPECT_EQ(RoundHalfEven(30.4), 30);
}

}  // namespace
}  // namespace tessaroven
