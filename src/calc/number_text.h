// Number texts: the leading-number parse, the strict reading of a number or of the readings of one position
// typed into a box (with full-width characters mapped to ASCII first), the general number text written into
// text boxes and list lines, and the fixed-decimal patterns "##0.000", "##0.0" and "##0.00".
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "messages/outcome.h"

namespace tessaroven {

struct ParsedNumber {
    double value = 0;       // the number read; 0 when there is none or when it is out of range
    bool found = false;     // a number (at least one digit) was read
    bool complete = false;  // the whole text, blanks ignored, was that number (strict reading, command line)
    bool outOfRange = false;  // the magnitude is beyond the double range; value is then 0 and must be refused
};

// Reads the number at the start of text. Blanks, tabs and line feeds anywhere in the text are ignored; then
// an optional sign, digits with at most one "." (always the decimal point), and an optional exponent (E or D,
// either case, optional sign, digits) are read up to the first other character. Text without a number reads
// as 0. Magnitudes too small for a double read as 0 (or the nearest subnormal).
ParsedNumber ParseLeadingNumber(std::string_view text);

// The text with the full-width forms of the characters a number is made of mapped to ASCII, as a Japanese or
// Chinese input method types them: digits U+FF10..U+FF19, plus U+FF0B, minus U+FF0D and the minus sign
// U+2212, full stop U+FF0E, e and E (U+FF45, U+FF25) and the ideographic space U+3000 (to a blank). All
// else, invalid UTF-8 included, is copied unchanged; the full-width comma and D are not mapped.
std::string HalfWidthNumberText(std::string_view utf8);

// ParseLeadingNumber of the UTF-8 text after HalfWidthNumberText, so "６０" reads as 60 and not as 0.
// Lenient: "60cm" reads as 60; the desktop program's boxes use ReadTypedNumber below.
ParsedNumber ParseTypedNumber(std::string_view utf8);

// The blanks a strictly read number may have around it (and that separate numbers in a list of them).
inline constexpr std::string_view kStrictNumberBlanks = " \t\r\n\f\v";

// A number read strictly, as the converter and the files of outside data read them: the whole token, apart
// from blanks around it, must be one number. Blanks inside would be skipped by the program's parse ("1 00"
// reads 100), which in a batch hides a typo, so they are refused here.
struct StrictNumber {
    double value = 0;
    bool isNumber = false;    // the token is one complete number
    bool outOfRange = false;  // it is a number, but its magnitude is beyond the double range
};
StrictNumber ReadStrictNumber(std::string_view token);

// A number typed into a box of the desktop program, read as the converter reads a reading: ReadStrictNumber
// of the text after HalfWidthNumberText, so "６０" is 60 while "60cm", "100,5", "1 00" and "" are no number.
// A decimalSeparator other than "." reads as "." too, because the program writes its own numbers into the
// boxes with the locale's separator and must read them back.
StrictNumber ReadTypedNumber(std::string_view utf8, char decimalSeparator = '.');

// The readings typed for one position: one number, or its repeats separated by ";" or the full-width "；"
// ("100.2; 100.0; 99.9"), each read by ReadTypedNumber. Refused, naming the part, when a part is empty or not
// one number; refused as NumberOutOfRange when a part is beyond the double range.
Expected<std::vector<double>> ReadTypedReadings(std::string_view utf8, char decimalSeparator = '.');

// The shortest text that reads back (through ReadStrictNumber, or any correct reader) to the same double,
// with "." whatever the locale: "100", "93.60068337320365", "1e-07".
std::string ShortestNumberText(double value);

// Convenience: the value of ParseLeadingNumber (0 for text without a number or out of range).
double LeadingNumber(std::string_view text);

// General number text: rounded to 15 significant digits, no trailing zeros ("3", not "3.0"), no leading
// blank, no grouping, decimalSeparator as decimal mark. Magnitudes from 1e15 up and below 1e-5 use an
// exponent form such as "1.5E+20" or "-2E-07". Non-finite values give "NaN", "Infinity" or "-Infinity"
// (callers refuse those first).
std::string GeneralNumberText(double value, char decimalSeparator = '.');

// Fixed-decimal pattern "##0.0...": all integer digits (at least one), no grouping, exactly `decimals`
// decimals, halves away from zero. Halves are decided on the value's 15-significant-digit decimal form,
// so 2.675 with two decimals gives "2.68". A value that rounds to zero is written without a minus sign.
// decimals must be 0..15.
std::string FixedNumberText(double value, int decimals, char decimalSeparator = '.');

// Decimals of the shortest text that reads back as value: 100.2 has 1, 100 has 0, 1.5e-07 has 8.
int ShortestDecimals(double value);

// The decimals a mean of repeated readings is shown with: one more than its most precise repeat, at most 15.
int MeanDecimals(std::span<const double> repeats);

// The room WriteFixedNumberText needs: a sign, up to 310 integer digits, the separator and 15 decimals, and
// the working space in front of them.
inline constexpr std::size_t kFixedNumberTextCapacity = 352;

// FixedNumberText written into out, which has room for kFixedNumberTextCapacity characters; returns the end.
char* WriteFixedNumberText(char* out, double value, int decimals, char decimalSeparator = '.');

// The patterns by name: "##0.000", "##0.0" and "##0.00".
inline std::string Pattern000(double value, char sep = '.') {
    return FixedNumberText(value, 3, sep);
}
inline std::string Pattern0(double value, char sep = '.') {
    return FixedNumberText(value, 1, sep);
}
inline std::string Pattern00(double value, char sep = '.') {
    return FixedNumberText(value, 2, sep);
}

// Round half to even, as used for a point number turned into a list-line index.
double RoundHalfEven(double value);

}  // namespace tessaroven
