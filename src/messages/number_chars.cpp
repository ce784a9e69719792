// The portable number texts: digits from double-conversion, laid out as std::to_chars lays them out.
#include "messages/number_chars.h"

#include <double-conversion/bignum-dtoa.h>
#include <double-conversion/bignum.h>
#include <double-conversion/double-to-string.h>
#include <double-conversion/ieee.h>
#include <double-conversion/string-to-double.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string_view>

namespace tessaroven::portable_chars {

namespace {

namespace dc = double_conversion;

constexpr int kLargestPrecision = 100;

// The digits of a positive finite value and the place of its decimal point: value = 0.digits x 10^point.
struct Digits {
    char digits[420];  // up to 309 integer digits and kLargestPrecision decimals, and the terminating zero
    int length = 0;
    int point = 0;
};

std::to_chars_result TooLarge(char* last) {
    return {last, std::errc::value_too_large};
}

// Writes text at first, or reports that it does not fit as std::to_chars does.
std::to_chars_result Put(char* first, char* last, std::string_view text) {
    if (text.size() > static_cast<std::size_t>(last - first)) {
        return TooLarge(last);
    }
    return {std::copy(text.begin(), text.end(), first), std::errc()};
}

std::to_chars_result NonFinite(char* first, char* last, double value) {
    if (std::isnan(value)) {
        return Put(first, last, std::signbit(value) ? "-nan" : "nan");
    }
    return Put(first, last, value < 0 ? "-inf" : "inf");
}

// Whether magnitude lies exactly halfway between (digits - 1) and digits, in units of 10^(point - length):
// double-conversion rounds such halves up, printf and std::to_chars to the even neighbour. Compared exactly,
// as magnitude = significand x 2^exponent and the half as (2 digits - 1) x 10^(point - length) / 2.
bool ExactlyHalfBelow(double magnitude, const Digits& d) {
    const dc::Double number(magnitude);
    dc::Bignum half;
    half.AssignDecimalString(dc::Vector<const char>(d.digits, d.length));
    half.ShiftLeft(1);
    dc::Bignum one;
    one.AssignUInt16(1);
    half.SubtractBignum(one);
    dc::Bignum exact;
    exact.AssignUInt64(number.Significand());
    const int decimalExponent = d.point - d.length;
    const int binaryExponent = number.Exponent() + 1;
    if (decimalExponent >= 0) {
        half.MultiplyByPowerOfTen(decimalExponent);
    } else {
        exact.MultiplyByPowerOfTen(-decimalExponent);
    }
    if (binaryExponent >= 0) {
        exact.ShiftLeft(binaryExponent);
    } else {
        half.ShiftLeft(-binaryExponent);
    }
    return dc::Bignum::Compare(half, exact) == 0;
}

// The counted digits of a positive finite magnitude (fixed: `precision` decimals; else precision + 1
// significant digits), rounded half to even. Trailing zeros may be missing.
Digits CountedDigits(double magnitude, bool fixed, int precision) {
    Digits d;
    dc::BignumDtoa(magnitude, fixed ? dc::BIGNUM_DTOA_FIXED : dc::BIGNUM_DTOA_PRECISION,
                   fixed ? precision : precision + 1, dc::Vector<char>(d.digits, sizeof d.digits), &d.length,
                   &d.point);
    // Rounded up to an odd last digit: a half below it belonged to the even digit under it. (A carry leaves a
    // 0, an even digit, and so is never a half taken up from an even one.)
    if (d.length > 0 && (d.digits[d.length - 1] - '0') % 2 == 1 && ExactlyHalfBelow(magnitude, d)) {
        --d.digits[d.length - 1];
    }
    return d;
}

// The digit at index i of the digits, with the missing trailing ones as zeros.
char DigitAt(const Digits& d, int i) {
    return i < d.length ? d.digits[i] : '0';
}

// Appends the scientific form of the digits with `decimals` digits after the first: "1.5e-07", "1e+22".
char* WriteScientific(char* out, const Digits& d, int decimals) {
    *out++ = DigitAt(d, 0);
    if (decimals > 0) {
        *out++ = '.';
        for (int i = 1; i <= decimals; ++i) {
            *out++ = DigitAt(d, i);
        }
    }
    const int exponent = d.point - 1;
    *out++ = 'e';
    *out++ = exponent < 0 ? '-' : '+';
    const int magnitude = exponent < 0 ? -exponent : exponent;
    if (magnitude < 10) {
        *out++ = '0';
    }
    return std::to_chars(out, out + 3, magnitude).ptr;
}

// Appends the fixed form of the digits with `decimals` decimals: "123456", "0.0001", "12.5".
char* WriteFixed(char* out, const Digits& d, int decimals) {
    if (d.point <= 0) {
        *out++ = '0';
    } else {
        for (int i = 0; i < d.point; ++i) {
            *out++ = DigitAt(d, i);
        }
    }
    if (decimals > 0) {
        *out++ = '.';
        for (int i = 0; i < decimals; ++i) {
            const int at = d.point + i;
            *out++ = at < 0 ? '0' : DigitAt(d, at);
        }
    }
    return out;
}

// Writes a sign and then the text that write puts into a buffer large enough for any of them.
template <class Write>
std::to_chars_result WriteSigned(char* first, char* last, bool negative, Write write) {
    char text[sizeof(Digits::digits) + 16];
    char* out = text;
    if (negative) {
        *out++ = '-';
    }
    out = write(out);
    return Put(first, last, std::string_view(text, static_cast<std::size_t>(out - text)));
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Whether text starts with word (lower case), in either case.
bool StartsWithWord(std::string_view text, std::string_view word) {
    return text.size() >= word.size() &&
           std::equal(word.begin(), word.end(), text.begin(), [](char w, char c) { return Lower(c) == w; });
}

// "inf", "infinity", "nan" or "nan(letters, digits and _)" at the start of text: its length, or 0.
std::size_t NonFiniteLength(std::string_view text, bool& isNan) {
    isNan = false;
    if (StartsWithWord(text, "infinity")) {
        return 8;
    }
    if (StartsWithWord(text, "inf")) {
        return 3;
    }
    if (!StartsWithWord(text, "nan")) {
        return 0;
    }
    isNan = true;
    std::size_t end = 3;
    if (end < text.size() && text[end] == '(') {
        std::size_t i = end + 1;
        while (i < text.size() &&
               (IsDigit(text[i]) || (Lower(text[i]) >= 'a' && Lower(text[i]) <= 'z') || text[i] == '_')) {
            ++i;
        }
        if (i < text.size() && text[i] == ')') {
            end = i + 1;
        }
    }
    return end;
}

}  // namespace

std::to_chars_result ToChars(char* first, char* last, double value) {
    if (!std::isfinite(value)) {
        return NonFinite(first, last, value);
    }
    if (value == 0) {
        return Put(first, last, std::signbit(value) ? "-0" : "0");
    }
    Digits d;
    bool negative = false;
    dc::DoubleToStringConverter::DoubleToAscii(value, dc::DoubleToStringConverter::SHORTEST, 0, d.digits,
                                               sizeof d.digits, &negative, &d.length, &d.point);
    // The same digits in both notations; the one with fewer characters wins, fixed on a tie.
    const int exponent = d.point - 1;
    const int magnitude = exponent < 0 ? -exponent : exponent;
    const int scientificLength = d.length + (d.length > 1 ? 1 : 0) + 2 + (magnitude < 100 ? 2 : 3);
    const int fixedLength = d.point <= 0          ? 2 - d.point + d.length
                            : d.point >= d.length ? d.point
                                                  : d.length + 1;
    if (fixedLength <= scientificLength) {
        // An integer beyond the shortest digits is written with all of its own, as std::to_chars writes
        // it: 1105982607924416479232, not 1105982607924416500000.
        if (d.point > d.length) {
            d = CountedDigits(std::fabs(value), true, 0);
        }
        return WriteSigned(first, last, negative,
                           [&](char* out) { return WriteFixed(out, d, std::max(0, d.length - d.point)); });
    }
    return WriteSigned(first, last, negative,
                       [&](char* out) { return WriteScientific(out, d, d.length - 1); });
}

std::to_chars_result ToChars(char* first, char* last, double value, std::chars_format format, int precision) {
    const bool fixed = format == std::chars_format::fixed;
    if ((!fixed && format != std::chars_format::scientific) || precision < 0 ||
        precision > kLargestPrecision) {
        return {first, std::errc::invalid_argument};
    }
    if (!std::isfinite(value)) {
        return NonFinite(first, last, value);
    }
    const double magnitude = std::fabs(value);
    Digits d;
    if (magnitude == 0) {
        d.point = 1;  // 0.0 x 10^1: the digit 0 before the point
    } else {
        d = CountedDigits(magnitude, fixed, precision);
    }
    return WriteSigned(first, last, std::signbit(value), [&](char* out) {
        return fixed ? WriteFixed(out, d, precision) : WriteScientific(out, d, precision);
    });
}

std::from_chars_result FromChars(const char* first, const char* last, double& value) {
    const std::string_view text(first, static_cast<std::size_t>(last - first));
    const bool negative = text.starts_with('-');
    const std::size_t start = negative ? 1 : 0;
    bool isNan = false;
    if (const std::size_t length = NonFiniteLength(text.substr(start), isNan); length > 0) {
        const double magnitude =
            isNan ? std::numeric_limits<double>::quiet_NaN() : std::numeric_limits<double>::infinity();
        value = negative ? -magnitude : magnitude;
        return {first + start + length, std::errc()};
    }
    // The longest prefix of the general form; an exponent counts only with digits.
    std::size_t end = start;
    bool nonZeroDigit = false;
    int digits = 0;
    for (bool point = false; end < text.size(); ++end) {
        if (IsDigit(text[end])) {
            ++digits;
            nonZeroDigit = nonZeroDigit || text[end] != '0';
        } else if (text[end] == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (digits == 0) {
        return {first, std::errc::invalid_argument};
    }
    if (end < text.size() && Lower(text[end]) == 'e') {
        std::size_t at = end + 1;
        if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
            ++at;
        }
        if (at < text.size() && IsDigit(text[at])) {
            while (at < text.size() && IsDigit(text[at])) {
                ++at;
            }
            end = at;
        }
    }
    const dc::StringToDoubleConverter converter(dc::StringToDoubleConverter::NO_FLAGS, 0.0, 0.0, nullptr,
                                                nullptr);
    int processed = 0;
    const double read = converter.StringToDouble(first, static_cast<int>(end), &processed);
    if (std::isinf(read) || (read == 0 && nonZeroDigit)) {
        return {first + end, std::errc::result_out_of_range};
    }
    value = read;
    return {first + end, std::errc()};
}

}  // namespace tessaroven::portable_chars
