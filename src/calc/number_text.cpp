// Number texts: full-width mapping, leading-number parse, general number text, fixed-decimal patterns.
#include "calc/number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <system_error>

#include "messages/compat.h"
#include "messages/number_chars.h"

namespace tessaroven {
namespace {

bool IsIgnoredBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The ASCII character whose full-width (or typographic) form the text starts with, or 0 when there is
// none. Each of these forms is three bytes of UTF-8.
char HalfWidthAt(std::string_view text) {
    struct Form {
        std::string_view utf8;
        char ascii;
    };
    static constexpr Form kForms[] = {
        {"\xEF\xBC\x8B", '+'},  // U+FF0B full-width plus sign
        {"\xEF\xBC\x8D", '-'},  // U+FF0D full-width hyphen-minus
        {"\xE2\x88\x92", '-'},  // U+2212 minus sign
        {"\xEF\xBC\x8E", '.'},  // U+FF0E full-width full stop
        {"\xEF\xBD\x85", 'e'},  // U+FF45 full-width small e
        {"\xEF\xBC\xA5", 'E'},  // U+FF25 full-width capital E
        {"\xE3\x80\x80", ' '},  // U+3000 ideographic space
    };
    if (text.size() < 3) {
        return 0;
    }
    const auto last = static_cast<unsigned char>(text[2]);
    if (text.starts_with("\xEF\xBC") && last >= 0x90 && last <= 0x99) {  // U+FF10..U+FF19, digits 0-9
        return static_cast<char>('0' + (last - 0x90));
    }
    for (const Form& form : kForms) {
        if (text.starts_with(form.utf8)) {
            return form.ascii;
        }
    }
    return 0;
}

// The decimal order of the first non-zero digit of a number text as handed to from_chars (optional "-",
// digits with at most one ".", optional "e" exponent): 2 for "-123.4", -3 for "0.00123", 3 for
// "0.0012e6"; 0 when all digits are zero. The exponent is capped far beyond the double range.
long long DecimalOrder(std::string_view number) {
    const std::size_t marker = std::min(number.find('e'), number.size());
    const std::string_view mantissa = number.substr(0, marker);
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t first = mantissa.find_first_of("123456789");
    if (first == std::string_view::npos) {
        return 0;
    }
    long long order =
        first < point ? static_cast<long long>(point - first - 1) : -static_cast<long long>(first - point);
    std::size_t i = marker + 1;
    const bool negative = i < number.size() && number[i] == '-';
    if (i < number.size() && (number[i] == '+' || number[i] == '-')) {
        ++i;
    }
    constexpr long long kCap = 1'000'000'000'000'000;
    long long exponent = 0;
    for (; i < number.size(); ++i) {
        exponent = std::min(exponent * 10 + (number[i] - '0'), kCap);
    }
    order += negative ? -exponent : exponent;
    return order;
}

// Reads a number text in the form DecimalOrder describes; from_chars never looks at the process locale.
// from_chars reports a magnitude beyond the double range and one that rounds to zero alike, without a
// value; the decimal order tells the two apart, and the tiny one reads as a zero of the text's sign.
// (A magnitude that rounds to a subnormal is returned as that subnormal.)
double FromChars(std::string_view number, bool& overflow) {
    double value = 0;
    overflow = false;
    if (DoubleFromChars(number.data(), number.data() + number.size(), value).ec ==
        std::errc::result_out_of_range) {
        overflow = DecimalOrder(number) > 0;
        value = number.starts_with('-') ? -0.0 : 0.0;
    }
    return value;
}

// The value rounded to 15 significant digits: its digits (exactly 15) and the decimal exponent of the first.
struct Decimal15 {
    bool negative = false;
    char digits[15];
    int exponent = 0;
};

#if defined(__SIZEOF_INT128__)
using Wide = unsigned __int128;

constexpr auto kPowersOfTen = [] {
    std::array<Wide, 21> powers{};
    Wide power = 1;
    for (Wide& p : powers) {
        p = power;
        power *= 10;
    }
    return powers;
}();

// Writes the `count` decimal digits of value (with leading zeros) ending at end.
void WriteDigits(std::uint32_t value, int count, char* end) {
    for (int i = 0; i < count; ++i) {
        *--end = static_cast<char>('0' + value % 10);
        value /= 10;
    }
}

// The 15 digits of a magnitude from 2^-18 up to below 1e15, computed exactly in integers: with
// magnitude = m / 2^shift (m the 53-bit significand, shift at least 0) and s = 14 - exponent, the digits are
// floor(m 10^s / 2^shift) and the remainder decides the rounding, half to even as the scientific form does.
// Returns false for magnitudes outside that range.
bool ToDecimal15Exactly(double magnitude, Decimal15& d) {
    const auto bits = BitCast<std::uint64_t>(magnitude);
    const int biasedExponent = static_cast<int>(bits >> 52);
    const int shift = 1075 - biasedExponent;
    if (biasedExponent == 0 || shift < 0 || shift > 70 || !(magnitude < 1e15)) {
        return false;
    }
    const std::uint64_t significand = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
    constexpr std::uint64_t kLowest = 100'000'000'000'000;    // 10^14
    constexpr std::uint64_t kBeyond = 1'000'000'000'000'000;  // 10^15
    // floor(log2(magnitude) x log10(2)), with log10(2) as 78913 / 2^18: off by at most one, corrected below.
    int exponent = ((52 - shift) * 78913) >> 18;
    for (;;) {
        const Wide scaled = significand * kPowersOfTen[static_cast<std::size_t>(14 - exponent)];
        std::uint64_t digits = static_cast<std::uint64_t>(scaled >> shift);
        if (digits >= kBeyond) {
            ++exponent;
            continue;
        }
        if (digits < kLowest) {
            --exponent;
            continue;
        }
        if (shift > 0) {
            const Wide remainder = scaled & ((Wide{1} << shift) - 1);
            const Wide half = Wide{1} << (shift - 1);
            if (remainder > half || (remainder == half && (digits & 1) != 0)) {
                ++digits;
            }
        }
        if (digits == kBeyond) {
            digits = kLowest;
            ++exponent;
        }
        WriteDigits(static_cast<std::uint32_t>(digits / 100'000'000), 7, d.digits + 7);
        WriteDigits(static_cast<std::uint32_t>(digits % 100'000'000), 8, d.digits + 15);
        d.exponent = exponent;
        return true;
    }
}
#else
bool ToDecimal15Exactly(double, Decimal15&) {
    return false;
}
#endif

// value must be finite. Its 15-digit scientific form, such as "-1.23456789012346e+15", is rounded half to
// even on the exact binary value.
Decimal15 ToDecimal15(double value) {
    Decimal15 d;
    d.negative = std::signbit(value);
    if (ToDecimal15Exactly(std::fabs(value), d)) {
        return d;
    }
    char buffer[32];
    const char* const end =
        DoubleToChars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14).ptr;
    const char* p = buffer + (d.negative ? 1 : 0);  // "d.dddddddddddddde+dd"
    d.digits[0] = p[0];
    std::memcpy(d.digits + 1, p + 2, 14);
    p += 17;
    const bool negativeExponent = *p++ == '-';
    int exponent = 0;
    for (; p != end; ++p) {
        exponent = exponent * 10 + (*p - '0');
    }
    d.exponent = negativeExponent ? -exponent : exponent;
    return d;
}

std::string_view NonFiniteText(double value) {
    if (std::isnan(value)) {
        return "NaN";
    }
    return value < 0 ? "-Infinity" : "Infinity";
}

char* Append(char* out, std::string_view text) {
    return std::copy(text.begin(), text.end(), out);
}

}  // namespace

std::string HalfWidthNumberText(std::string_view utf8) {
    // A UTF-8 lead byte is never a continuation byte, so matching the three-byte forms byte by byte finds
    // the same characters a decoder finds, also next to invalid bytes, which are copied as they are.
    std::string text;
    text.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        if (const char ascii = HalfWidthAt(utf8.substr(i)); ascii != 0) {
            text.push_back(ascii);
            i += 3;
        } else {
            text.push_back(utf8[i++]);
        }
    }
    return text;
}

ParsedNumber ParseLeadingNumber(std::string_view text) {
    std::string s;
    s.reserve(text.size());
    for (char c : text) {
        if (!IsIgnoredBlank(c)) {
            s.push_back(c);
        }
    }

    std::string number;  // the number in the form from_chars takes: no "+" sign, "e" as exponent marker
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        if (s[i] == '-') {
            number.push_back('-');
        }
        ++i;
    }
    int mantissaDigits = 0;
    bool seenPoint = false;
    for (; i < s.size(); ++i) {
        if (IsDigit(s[i])) {
            number.push_back(s[i]);
            ++mantissaDigits;
        } else if (s[i] == '.' && !seenPoint) {
            number.push_back('.');
            seenPoint = true;
        } else {
            break;
        }
    }
    ParsedNumber parsed;
    if (mantissaDigits == 0) {
        return parsed;
    }
    parsed.found = true;

    if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) {
            exponent.push_back(s[j++]);
        }
        const std::size_t firstExponentDigit = j;
        while (j < s.size() && IsDigit(s[j])) {
            exponent.push_back(s[j++]);
        }
        if (j > firstExponentDigit) {  // an exponent marker without digits is not part of the number
            number += exponent;
            i = j;
        }
    }
    parsed.complete = i == s.size();

    bool overflow = false;
    const double value = FromChars(number, overflow);
    if (overflow) {
        parsed.outOfRange = true;
        return parsed;
    }
    parsed.value = value;
    return parsed;
}

ParsedNumber ParseTypedNumber(std::string_view utf8) {
    return ParseLeadingNumber(HalfWidthNumberText(utf8));
}

StrictNumber ReadStrictNumber(std::string_view token) {
    const std::size_t first = token.find_first_not_of(kStrictNumberBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    const std::size_t last = token.find_last_not_of(kStrictNumberBlanks);
    const std::string_view core = token.substr(first, last - first + 1);
    if (core.find_first_of(kStrictNumberBlanks) != std::string_view::npos) {
        return {};
    }
    const ParsedNumber parsed = ParseLeadingNumber(core);
    StrictNumber result;
    if (!parsed.found || !parsed.complete) {
        return result;
    }
    result.isNumber = true;
    result.outOfRange = parsed.outOfRange;
    result.value = parsed.outOfRange ? 0 : parsed.value;
    return result;
}

StrictNumber ReadTypedNumber(std::string_view utf8, char decimalSeparator) {
    std::string text = HalfWidthNumberText(utf8);
    if (decimalSeparator != '.') {
        std::replace(text.begin(), text.end(), decimalSeparator, '.');
    }
    return ReadStrictNumber(text);
}

Expected<std::vector<double>> ReadTypedReadings(std::string_view utf8, char decimalSeparator) {
    constexpr std::string_view kFullWidthSemicolon = "\xEF\xBC\x9B";  // U+FF1B
    std::string text(utf8);
    for (std::size_t at = text.find(kFullWidthSemicolon); at != std::string::npos;
         at = text.find(kFullWidthSemicolon, at + 1)) {
        text.replace(at, kFullWidthSemicolon.size(), ";");
    }
    std::vector<double> readings;
    const std::string_view all = text;
    for (std::size_t from = 0;;) {
        const std::size_t end = std::min(all.find(';', from), all.size());
        const std::string_view part = all.substr(from, end - from);
        const StrictNumber number = ReadTypedNumber(part, decimalSeparator);
        if (!number.isNumber) {
            // A column pasted from a spreadsheet is quoted on one line.
            std::string quoted(part);
            std::replace_if(
                quoted.begin(), quoted.end(), [](char c) { return c == '\n' || c == '\r' || c == '\t'; },
                ' ');
            return Refuse(Reason::RepeatNotANumber, {quoted});
        }
        if (number.outOfRange) {
            return Refuse(Reason::NumberOutOfRange);
        }
        readings.push_back(number.value);
        if (end == all.size()) {
            return readings;
        }
        from = end + 1;
    }
}

std::string ShortestNumberText(double value) {
    char buffer[32];
    const std::to_chars_result written = DoubleToChars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, written.ptr);
}

double LeadingNumber(std::string_view text) {
    return ParseLeadingNumber(text).value;
}

std::string GeneralNumberText(double value, char decimalSeparator) {
    if (!std::isfinite(value)) {
        return std::string(NonFiniteText(value));
    }
    if (value == 0) {
        return "0";
    }
    const Decimal15 d = ToDecimal15(value);
    int size = 15;
    while (size > 1 && d.digits[size - 1] == '0') {
        --size;
    }
    const std::string_view digits(d.digits, static_cast<std::size_t>(size));
    char text[32];  // at most a sign, "0.", four zeros and 15 digits, or an exponent form of 22 characters
    char* out = text;
    if (d.negative) {
        *out++ = '-';
    }
    if (d.exponent >= 15 || d.exponent < -5) {
        *out++ = digits[0];
        if (size > 1) {
            *out++ = decimalSeparator;
            out = Append(out, digits.substr(1));
        }
        const int magnitude = std::abs(d.exponent);
        out = Append(out, d.exponent < 0 ? "E-" : "E+");
        if (magnitude < 10) {
            *out++ = '0';  // at least two exponent digits
        }
        out = std::to_chars(out, text + sizeof text, magnitude).ptr;
    } else if (d.exponent < 0) {
        *out++ = '0';
        *out++ = decimalSeparator;
        out = std::fill_n(out, -d.exponent - 1, '0');
        out = Append(out, digits);
    } else if (const int integerDigits = d.exponent + 1; size <= integerDigits) {
        out = Append(out, digits);
        out = std::fill_n(out, integerDigits - size, '0');
    } else {
        out = Append(out, digits.substr(0, static_cast<std::size_t>(integerDigits)));
        *out++ = decimalSeparator;
        out = Append(out, digits.substr(static_cast<std::size_t>(integerDigits)));
    }
    return std::string(text, out);
}

char* WriteFixedNumberText(char* out, double value, int decimals, char decimalSeparator) {
    if (!std::isfinite(value)) {
        return Append(out, NonFiniteText(value));
    }
    decimals = decimals < 0 ? 0 : decimals > 15 ? 15 : decimals;
    const Decimal15 d = ToDecimal15(value);

    // keep = number of leading digits of the 15-digit form that survive rounding to `decimals` places.
    // scaled = |value| x 10^decimals, rounded, as decimal digits, with room in front for a carry and for the
    // zeros up to `decimals` + 1 digits.
    const int keep = d.exponent + 1 + decimals;
    char scaled[kFixedNumberTextCapacity];
    char* first = scaled + 17;
    char* last = first;
    if (keep <= 0) {
        *last++ = (keep == 0 && d.digits[0] >= '5') ? '1' : '0';
    } else if (keep >= 15) {
        last = std::copy_n(d.digits, 15, first);
        last = std::fill_n(last, keep - 15, '0');
    } else {
        last = std::copy_n(d.digits, keep, first);
        if (d.digits[keep] >= '5') {  // halves away from zero
            char* p = last;
            while (p != first && p[-1] == '9') {
                *--p = '0';
            }
            if (p == first) {
                *--first = '1';
            } else {
                ++p[-1];
            }
        }
    }
    while (last - first > 1 && *first == '0') {
        ++first;
    }
    const bool isZero = last - first == 1 && *first == '0';
    while (last - first < decimals + 1) {
        *--first = '0';
    }

    if (d.negative && !isZero) {
        *out++ = '-';
    }
    out = std::copy(first, last - decimals, out);
    if (decimals > 0) {
        *out++ = decimalSeparator;
        out = std::copy(last - decimals, last, out);
    }
    return out;
}

std::string FixedNumberText(double value, int decimals, char decimalSeparator) {
    char text[kFixedNumberTextCapacity];
    return std::string(text, WriteFixedNumberText(text, value, decimals, decimalSeparator));
}

double RoundHalfEven(double value) {
    // nearbyint rounds in the current mode, which the program never changes from round-to-nearest-even.
    return std::nearbyint(value);
}

int ShortestDecimals(double value) {
    char buffer[64];
    const auto [end, error] = DoubleToChars(buffer, buffer + sizeof buffer, value);
    if (error != std::errc()) {
        return 0;
    }
    const std::string_view text(buffer, static_cast<std::size_t>(end - buffer));
    const std::size_t e = text.find('e');
    const std::string_view mantissa = text.substr(0, e);
    const std::size_t point = mantissa.find('.');
    int decimals = point == std::string_view::npos ? 0 : static_cast<int>(mantissa.size() - point - 1);
    if (e != std::string_view::npos) {
        int exponent = 0;
        std::from_chars(text.data() + e + 1 + (text[e + 1] == '+' ? 1 : 0), text.data() + text.size(),
                        exponent);
        decimals = std::max(0, decimals - exponent);
    }
    return decimals;
}

int MeanDecimals(std::span<const double> repeats) {
    int decimals = 0;
    for (const double repeat : repeats) {
        decimals = std::max(decimals, ShortestDecimals(repeat));
    }
    return std::min(decimals + 1, 15);
}

}  // namespace tessaroven
